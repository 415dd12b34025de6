#pragma once
#include <string>

namespace kv {

struct TKvTheme;

// The settings and theme the keyboard image is drawn with; the owner keeps them current and
// asks for a full redraw after a change.
struct KeyboardLook {
    const TKvTheme* theme = nullptr;
    bool showKeyboardZone = false;
    bool showLabels = false;
    bool centerInfo = false;
    bool showCharCtrl = false;
    bool showCaption = false;
    bool showHotkeySquare = false;
    bool showIconApp = false;
    bool showIconWindows = false;
    std::u16string caption;  // the on-screen keyboard's localised name, shown in the caption strip
};

}  // namespace kv
