#pragma once
#include <cstdint>

namespace kv {

// Images in the flag list `ilLangs`; index 0 is the flag of no known language.
inline constexpr int kLangFlagCount = 41;

// The `ilLangs` image of a keyboard layout handle or a language id: only the low word, the
// language id, counts, so both forms give the same flag.
std::uint8_t LangFlagIndex(std::uint32_t layoutOrLanguage);

}  // namespace kv
