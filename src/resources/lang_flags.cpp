#include "resources/lang_flags.h"

#include <array>
#include <utility>

namespace kv {

namespace {

constexpr std::uint16_t kEnglishUnitedStates = 0x0409;
constexpr std::uint16_t kPortugueseBrazil = 0x0416;
constexpr std::uint8_t kUnknownLanguageFlag = 0;
constexpr std::uint8_t kEnglishUnitedStatesFlag = 1;
constexpr std::uint8_t kPortugueseBrazilFlag = 26;

// Primary language -> flag. The two full ids above are tested first, so English and
// Portuguese here are the other countries' flags.
constexpr std::array<std::pair<std::uint8_t, std::uint8_t>, 38> kPrimaryLanguageFlags{{
    {0x09, 2},  {0x1C, 3},  {0x01, 4},  {0x23, 5},  {0x02, 6},  {0x03, 7},  {0x04, 8},  {0x05, 9},
    {0x06, 10}, {0x13, 11}, {0x25, 12}, {0x0B, 13}, {0x0C, 14}, {0x07, 15}, {0x08, 16}, {0x0E, 17},
    {0x10, 18}, {0x11, 19}, {0x12, 20}, {0x40, 21}, {0x26, 22}, {0x27, 23}, {0x14, 24}, {0x15, 25},
    {0x16, 27}, {0x18, 28}, {0x19, 29}, {0x1B, 30}, {0x24, 31}, {0x0A, 32}, {0x1D, 33}, {0x1F, 34},
    {0x22, 35}, {0x43, 36}, {0x2A, 37}, {0x0D, 38}, {0x5A, 39}, {0x1A, 40},
}};

}  // namespace

std::uint8_t LangFlagIndex(std::uint32_t layoutOrLanguage) {
    const auto language = static_cast<std::uint16_t>(layoutOrLanguage & 0xFFFF);
    if (language == kEnglishUnitedStates) return kEnglishUnitedStatesFlag;
    if (language == kPortugueseBrazil) return kPortugueseBrazilFlag;
    const auto primary = static_cast<std::uint8_t>(language & 0xFF);
    for (const auto& [primaryLanguage, flag] : kPrimaryLanguageFlags) {
        if (primaryLanguage == primary) return flag;
    }
    return kUnknownLanguageFlag;
}

}  // namespace kv
