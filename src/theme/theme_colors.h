#pragma once
#include <cstdint>

namespace kv {

// The 13 colours a colour scheme chooses (0x00BBGGRR). The pressed key's character colour is
// not among them: it always follows PressedLabel.
struct ThemeColors {
    std::uint32_t Background = 0;
    std::uint32_t Frame = 0;
    std::uint32_t KeyFace = 0;
    std::uint32_t KeyBorder = 0;
    std::uint32_t KeyLabel = 0;
    std::uint32_t KeyChar = 0;
    std::uint32_t PressedFace = 0;
    std::uint32_t PressedBorder = 0;
    std::uint32_t PressedLabel = 0;
    std::uint32_t HotFace = 0;
    std::uint32_t HotBorder = 0;
    std::uint32_t HotLabel = 0;
    std::uint32_t HotChar = 0;
    friend bool operator==(const ThemeColors&, const ThemeColors&) = default;
};

// Scheme 0, the default look; also the user's own colours until they are changed.
inline constexpr ThemeColors kDefaultThemeColors{
    0xFF9933, 0x800000, 0xFEFEFE, 0xFF9933, 0x808080, 0x000000, 0x800000,
    0x91D0FF, 0xFFFFFF, 0xCC6600, 0x4E91FE, 0xFFFFFF, 0xFFFFFF,
};

}  // namespace kv
