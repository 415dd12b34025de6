// Arbitrary bytes as the never-ask list file: reading, writing back and reading again.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "never_ask_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string violation =
        kv::fuzz::NeverAskFileViolation(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!violation.empty()) {
        std::fprintf(stderr, "never-ask file property broken: %s\n", violation.c_str());
        std::abort();
    }
    return 0;
}
