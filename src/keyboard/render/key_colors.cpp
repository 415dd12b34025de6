#include "keyboard/render/key_colors.h"

#include "common/canvas.h"
#include "theme/kv_theme.h"

namespace kv {

std::uint32_t FingerZoneColor(std::uint8_t code, std::uint32_t keyFace) {
    switch (code) {
        case 9: case 20: case 49: case 65: case 81: case 90: case 192:
        case 56: case 73: case 75: case 188:
            return 0x9EE9B9;
        case 50: case 83: case 87: case 88:
        case 55: case 72: case 74: case 77: case 78: case 85: case 89:
            return 0x72E2FE;
        case 51: case 67: case 68: case 69:
        case 8: case 13: case 48: case 80: case 186: case 187: case 189: case 191: case 219: case 220: case 221: case 222:
            return 0xFFD288;
        case 52: case 53: case 54: case 66: case 70: case 71: case 82: case 84: case 86:
        case 57: case 76: case 79: case 190:
            return 0x79B5FD;
        case 32:
            return 0xAEA999;
        default:
            return keyFace;
    }
}

KeyColors StateColors(const TKvTheme& theme, std::uint8_t code, bool pressed, bool hot, bool showZone,
                      bool transparentBackground) {
    if (pressed) return {theme.PressedBorder, theme.PressedFace, theme.PressedLabel, theme.PressedChar};
    if (hot) return {theme.HotBorder, theme.HotFace, theme.HotLabel, theme.HotChar};
    KeyColors colors{theme.KeyBorder, showZone ? FingerZoneColor(code, theme.KeyFace) : theme.KeyFace, theme.KeyLabel,
                     theme.KeyChar};
    if (!transparentBackground && colors.brush == kColorLime) colors.brush = theme.Background;
    return colors;
}

}  // namespace kv
