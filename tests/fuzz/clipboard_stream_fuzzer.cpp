// Arbitrary bytes as a clipboard snapshot: restoring it, saving the result, restoring one format.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "clipboard_stream_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string violation =
        kv::fuzz::ClipboardStreamViolation(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!violation.empty()) {
        std::fprintf(stderr, "clipboard stream property broken: %s\n", violation.c_str());
        std::abort();
    }
    return 0;
}
