#include "indicators/caret_locator.h"

#include "common/foreground.h"
#include "platform/platform.h"

namespace kv {

bool PlausibleCaret(const Rect& caret, const Rect& virtualScreen) {
    if (caret.Width() < 0 || caret.Height() <= 0 || caret.Height() > virtualScreen.Height()) return false;
    return caret.left >= virtualScreen.left && caret.right <= virtualScreen.right && caret.top >= virtualScreen.top &&
           caret.bottom <= virtualScreen.bottom;
}

bool CaretLocator::Locate(bool requireBlinking, CaretSpot& spot) {
    lastFromAccessibility_ = false;
    const IWindowing& windows = platform_.windows;
    const WindowHandle foreground = windows.ForegroundWindow();
    if (!windows.IsWindow(foreground)) return false;
    const std::optional<CaretInfo> caret = windows.ThreadCaret(windows.WindowThreadProcessId(foreground, nullptr));
    if (caret && caret->caretWindow != kNoWindow) {
        // As GetCaretScreenPos, from the one look at the thread already taken.
        if (requireBlinking && !caret->blinking) return false;
        Point origin{0, 0};
        if (!windows.ClientToScreen(caret->caretWindow, origin)) return false;
        spot.point = Point{origin.x + caret->caretRect.right, origin.y + caret->caretRect.top};
        spot.height = caret->caretRect.Height();
        return true;
    }
    // Whether a caret drawn by the application blinks cannot be told.
    if (requireBlinking) return false;
    const std::optional<Rect> found = accessible_.FindCaret(foreground, kAccessibilityBudgetMs);
    if (!found || !PlausibleCaret(*found, accessible_.VirtualScreen())) return false;
    spot.point = Point{found->right, found->top};
    spot.height = found->Height();
    lastFromAccessibility_ = true;
    return true;
}

bool CaretLocator::Blinking() { return lastFromAccessibility_ || IsCaretBlinking(platform_); }

}  // namespace kv
