// Arbitrary bytes as an icon pack: the scan, the full read, the run index and every lookup.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "icon_pack_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string violation =
        kv::fuzz::IconPackViolation(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!violation.empty()) {
        std::fprintf(stderr, "icon pack property broken: %s\n", violation.c_str());
        std::abort();
    }
    return 0;
}
