#pragma once

namespace kv {

// What the program knows about the application in front, recomputed whenever another one comes
// to the foreground.
struct ForegroundFlags {
    // The caret position counts only while the caret blinks.
    bool CaretNeedsBlink = false;
    // The layout is switched without the hook library's request and acknowledgement.
    bool DirectLayoutSwitch = false;
    // The application needs time after a copy; its clipboard is restored later.
    bool SlowClipboard = false;
};

}  // namespace kv
