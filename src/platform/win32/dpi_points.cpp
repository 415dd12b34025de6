#include "platform/win32/dpi_points.h"

#include "platform/win32/system_library.h"

namespace kv::win32 {

namespace {

using LogicalToPhysicalFn = BOOL(WINAPI*)(HWND, LPPOINT);
using WindowContextFn = HANDLE(WINAPI*)(HWND);
using SetThreadContextFn = HANDLE(WINAPI*)(HANDLE);

struct DpiFunctions {
    LogicalToPhysicalFn logicalToPhysical = nullptr;
    WindowContextFn windowContext = nullptr;
    SetThreadContextFn setThreadContext = nullptr;
};

DpiFunctions Functions() {
    const HMODULE user = GetModuleHandleW(L"user32.dll");
    if (!user) return {};
    return {ExportOf<LogicalToPhysicalFn>(user, "LogicalToPhysicalPointForPerMonitorDPI"),
            ExportOf<WindowContextFn>(user, "GetWindowDpiAwarenessContext"),
            ExportOf<SetThreadContextFn>(user, "SetThreadDpiAwarenessContext")};
}

// The thread sees coordinates as `window` does while it exists.
class ThreadDpiContextOf {
public:
    ThreadDpiContextOf(const DpiFunctions& f, HWND window) : f_(f) {
        if (f.windowContext && f.setThreadContext) {
            if (HANDLE context = f.windowContext(window)) previous_ = f.setThreadContext(context);
        }
    }
    ~ThreadDpiContextOf() {
        if (previous_) f_.setThreadContext(previous_);
    }
    ThreadDpiContextOf(const ThreadDpiContextOf&) = delete;
    ThreadDpiContextOf& operator=(const ThreadDpiContextOf&) = delete;
    bool Active() const { return previous_ != nullptr; }

private:
    const DpiFunctions& f_;
    HANDLE previous_ = nullptr;
};

}  // namespace

RECT LogicalToPhysical(HWND window, const RECT& logical) {
    const DpiFunctions f = Functions();
    if (!f.logicalToPhysical) return logical;
    POINT topLeft{logical.left, logical.top};
    POINT bottomRight{logical.right, logical.bottom};
    if (!f.logicalToPhysical(window, &topLeft) || !f.logicalToPhysical(window, &bottomRight)) return logical;
    return RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

std::optional<RECT> CaretRectInPhysicalClient(HWND caretWindow, const RECT& caret) {
    const DpiFunctions f = Functions();
    if (!f.logicalToPhysical || !caretWindow) return std::nullopt;
    POINT corners[2] = {{caret.right, caret.top}, {caret.right, caret.bottom}};
    {
        const ThreadDpiContextOf asTheWindow(f, caretWindow);
        if (!asTheWindow.Active()) return std::nullopt;
        for (POINT& p : corners) {
            if (!ClientToScreen(caretWindow, &p)) return std::nullopt;
        }
    }
    for (POINT& p : corners) {
        if (!f.logicalToPhysical(caretWindow, &p)) return std::nullopt;
    }
    POINT origin{0, 0};
    if (!ClientToScreen(caretWindow, &origin)) return std::nullopt;
    // Only the caret's right edge, top and bottom count; its width stays as reported.
    const LONG right = corners[0].x - origin.x;
    return RECT{right - (caret.right - caret.left), corners[0].y - origin.y, right, corners[1].y - origin.y};
}

}  // namespace kv::win32
