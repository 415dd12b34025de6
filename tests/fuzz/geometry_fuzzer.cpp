// Arbitrary bytes as a keyboard geometry file: the reader, every key outline and its hit test.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "geometry_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string violation = kv::fuzz::GeometryViolation(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!violation.empty()) {
        std::fprintf(stderr, "geometry file property broken: %s\n", violation.c_str());
        std::abort();
    }
    return 0;
}
