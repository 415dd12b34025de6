#pragma once
#include <cstdint>
#include <optional>

#include "theme/theme_colors.h"

namespace kv {

class ISystemColors;

inline constexpr std::uint32_t kThemeBlue = 0xFF0000;

// Office-2003-style menu colours derived from the system colours.
struct MenuPalette {
    std::uint32_t background = 0;
    std::uint32_t face = 0;
    std::uint32_t border = 0;
    std::uint32_t selectBorder = 0;
    std::uint32_t hotFace = 0;
    std::uint32_t pressedFace = 0;
    std::uint32_t text = 0;
};

MenuPalette OfficeMenuPalette(const ISystemColors& system);

// Schemes 0 and 3 to 8; nothing for any other scheme.
std::optional<ThemeColors> FixedThemeColors(int scheme);
// Scheme 1.
ThemeColors SystemThemeColors(const ISystemColors& system);
// Scheme 2.
ThemeColors OfficeThemeColors(const ISystemColors& system);

}  // namespace kv
