#include "theme/system_themes.h"

#include "common/menu_colors.h"
#include "platform/system_api.h"
#include "theme/color_math.h"
#include "theme/system_color_index.h"

namespace kv {

// The Office-2003 look carried over to whatever colours the user chose: a band a little darker
// than the window, items almost window-coloured, outlines in button shadow (what the look
// draws on an unthemed system), the selection outlined in the highlight colour and filled with
// the menu hot and select blends.
MenuPalette OfficeMenuPalette(const ISystemColors& system) {
    const std::uint32_t face = system.SystemColor(kColorButtonFace);
    const std::uint32_t window = system.SystemColor(kColorWindow);
    MenuPalette palette;
    palette.background = system.NearestScreenColor(MixColors(face, window, 60));
    palette.face = system.NearestScreenColor(MixColors(face, window, 20));
    palette.border = system.SystemColor(kColorButtonShadow);
    palette.selectBorder = system.SystemColor(kColorHighlight);
    palette.hotFace = MenuSelectColor(system);
    palette.pressedFace = MenuHotColor(system);
    palette.text = system.SystemColor(kColorWindowText);
    return palette;
}

ThemeColors SystemThemeColors(const ISystemColors& system) {
    const std::uint32_t windowText = system.SystemColor(kColorWindowText);
    const std::uint32_t menuBorder = OfficeMenuPalette(system).border;
    ThemeColors colors;
    colors.Background = system.SystemColor(kColor3DDarkShadow);
    colors.Frame = 0x000000;
    colors.KeyFace = system.SystemColor(kColorButtonFace);
    colors.KeyBorder = windowText;
    colors.KeyLabel = windowText;
    colors.KeyChar = kThemeBlue;
    colors.PressedFace = MenuHotColor(system);
    colors.PressedBorder = menuBorder;
    colors.PressedLabel = system.SystemColor(kColorWindow);
    colors.HotFace = MenuSelectColor(system);
    colors.HotBorder = menuBorder;
    colors.HotLabel = windowText;
    colors.HotChar = kThemeBlue;
    return colors;
}

ThemeColors OfficeThemeColors(const ISystemColors& system) {
    const MenuPalette palette = OfficeMenuPalette(system);
    ThemeColors colors;
    colors.Background = palette.background;
    colors.Frame = palette.border;
    colors.KeyFace = palette.face;
    colors.KeyBorder = palette.border;
    colors.KeyLabel = palette.text;
    colors.KeyChar = kThemeBlue;
    colors.PressedFace = palette.pressedFace;
    colors.PressedBorder = palette.selectBorder;
    colors.PressedLabel = palette.text;
    colors.HotFace = palette.hotFace;
    colors.HotBorder = palette.selectBorder;
    colors.HotLabel = palette.text;
    colors.HotChar = kThemeBlue;
    return colors;
}

}  // namespace kv
