#include "common/foreground.h"

#include "platform/platform.h"
#include "platform/win_constants.h"

namespace kv {

WindowHandle FindDesktopWindow(const Platform& platform) {
    return platform.windows.FindTopLevelWindow(u"Progman", u"Program Manager");
}

void ForceForeground(Platform& platform, WindowHandle window, bool showIfHidden) {
    IWindowing& windows = platform.windows;
    if (window == kNoWindow || !windows.IsWindow(window) || windows.ForegroundWindow() == window) return;
    if (showIfHidden && !windows.IsWindowVisible(window)) windows.ShowWindowAsync(window, win::kSwShow);

    const std::uint32_t savedTimeout = platform.foregroundLock.ForegroundLockTimeout();
    platform.foregroundLock.SetForegroundLockTimeout(0);
    if (windows.ForegroundWindow() != window && !windows.SetForegroundWindow(window)) {
        // Input from this process lifts the foreground lock.
        platform.keyInput.SendEmptyMouseInput();
        windows.SetForegroundWindow(window);
    }
    platform.foregroundLock.SetForegroundLockTimeout(savedTimeout);

    if (windows.IsIconic(window)) windows.ShowWindowAsync(window, win::kSwRestore);
    if (windows.ForegroundWindow() != window) windows.ShowWindowAsync(window, win::kSwShow);
}

namespace {
std::optional<CaretInfo> ForegroundCaret(const Platform& platform) {
    const WindowHandle foreground = platform.windows.ForegroundWindow();
    if (!platform.windows.IsWindow(foreground)) return std::nullopt;
    return platform.windows.ThreadCaret(platform.windows.WindowThreadProcessId(foreground, nullptr));
}
}  // namespace

bool GetCaretScreenPos(const Platform& platform, Point& point, std::int32_t& height, bool requireBlinking) {
    const std::optional<CaretInfo> caret = ForegroundCaret(platform);
    if (!caret || (requireBlinking && !caret->blinking)) return false;
    Point origin{0, 0};
    if (!platform.windows.ClientToScreen(caret->caretWindow, origin)) return false;
    point = Point{origin.x + caret->caretRect.right, origin.y + caret->caretRect.top};
    height = caret->caretRect.Height();
    return true;
}

bool IsCaretBlinking(const Platform& platform) {
    const std::optional<CaretInfo> caret = ForegroundCaret(platform);
    return caret && caret->blinking;
}

}  // namespace kv
