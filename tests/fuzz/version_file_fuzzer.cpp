// Arbitrary bytes as the update check's version file.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "version_file_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string violation =
        kv::fuzz::VersionFileViolation(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!violation.empty()) {
        std::fprintf(stderr, "version file property broken: %s\n", violation.c_str());
        std::abort();
    }
    return 0;
}
