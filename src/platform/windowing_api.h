#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"

namespace kv {

struct CaretInfo {
    WindowHandle caretWindow = kNoWindow;  // the window the caret rectangle is relative to
    Rect caretRect{};                      // in that window's client coordinates
    bool blinking = false;                 // GUI_CARETBLINKING
};

enum class CursorShape { Default, Hourglass, Hand, Magnify };

// Windows and messages of the whole desktop (any process).
class IWindowing {
public:
    virtual ~IWindowing() = default;
    virtual WindowHandle FindTopLevelWindow(std::u16string_view className, std::u16string_view caption) const = 0;
    virtual bool IsWindow(WindowHandle window) const = 0;
    virtual bool IsWindowVisible(WindowHandle window) const = 0;
    virtual std::vector<WindowHandle> TopLevelWindows() const = 0;
    virtual bool PostToWindow(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
    // To a window of another thread it waits a short while at most, and not at all for a hung
    // receiver: the sender may be the keyboard hook, which the system drops when it waits long.
    // 0 when it gave up; whether the receiver still handles the message later is the system's
    // affair (Wine drops it).
    virtual std::intptr_t SendToWindow(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
    virtual void ShowWindow(WindowHandle window, int command) = 0;
    // Work area (screen minus task bar) of the monitor nearest to `area`.
    virtual Rect WorkAreaNearest(const Rect& area) const = 0;
    // The primary screen's size as a rectangle at 0,0.
    virtual Rect PrimaryScreen() const = 0;

    virtual WindowHandle ForegroundWindow() const = 0;
    virtual bool SetForegroundWindow(WindowHandle window) = 0;
    virtual bool IsIconic(WindowHandle window) const = 0;
    virtual void ShowWindowAsync(WindowHandle window, int command) = 0;
    // The thread that created the window (0 for none) and its process.
    virtual std::uint32_t WindowThreadProcessId(WindowHandle window, std::uint32_t* processId) const = 0;
    // The caret of a GUI thread; empty when it cannot be read.
    virtual std::optional<CaretInfo> ThreadCaret(std::uint32_t threadId) const = 0;
    // RealGetWindowClass: the class of the window, at most 256 characters; empty when none.
    virtual std::u16string WindowClassName(WindowHandle window) const = 0;
    virtual bool ClientToScreen(WindowHandle window, Point& point) const = 0;
    // GetWindowRect in screen coordinates; empty for no window. Sends no message, so it may be
    // asked inside a hook.
    virtual std::optional<Rect> WindowBounds(WindowHandle window) const = 0;
    virtual void SetCursorShape(CursorShape shape) = 0;
};

}  // namespace kv
