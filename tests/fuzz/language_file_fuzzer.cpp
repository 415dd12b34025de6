// Arbitrary bytes as a language file: the loader, the start-up scan and the table built from them.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "language_file_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string violation =
        kv::fuzz::LanguageFileViolation(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!violation.empty()) {
        std::fprintf(stderr, "language file property broken: %s\n", violation.c_str());
        std::abort();
    }
    return 0;
}
