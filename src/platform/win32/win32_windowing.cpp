#include "platform/win32/win32_windowing.h"

#include "platform/win32/win32_handles.h"
#include "platform/win32/dpi_points.h"
#include "platform/win32/win32_text.h"

namespace kv::win32 {

WindowHandle Win32Windowing::FindTopLevelWindow(std::u16string_view className, std::u16string_view caption) const {
    const std::wstring c = ToWide(className);
    const std::wstring t = ToWide(caption);
    return FromHwnd(FindWindowW(c.c_str(), t.c_str()));
}

bool Win32Windowing::IsWindow(WindowHandle window) const { return ::IsWindow(ToHwnd(window)) != FALSE; }

bool Win32Windowing::IsWindowVisible(WindowHandle window) const {
    return ::IsWindowVisible(ToHwnd(window)) != FALSE;
}

namespace {
BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM param) {
    reinterpret_cast<std::vector<WindowHandle>*>(param)->push_back(FromHwnd(hwnd));
    return TRUE;
}
}  // namespace

std::vector<WindowHandle> Win32Windowing::TopLevelWindows() const {
    std::vector<WindowHandle> windows;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

bool Win32Windowing::PostToWindow(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                 std::intptr_t lParam) {
    return PostMessageW(ToHwnd(window), message, wParam, lParam) != FALSE;
}

namespace {
// Below the shortest time-out of a low-level hook call (LowLevelHooksTimeout, 300 ms by default).
constexpr UINT kSendBoundMs = 200;
}  // namespace

std::intptr_t Win32Windowing::SendToWindow(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                          std::intptr_t lParam) {
    // A window of this thread is called directly, without a time-out.
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(ToHwnd(window), message, wParam, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG, kSendBoundMs,
                             &result)) {
        return 0;
    }
    return static_cast<std::intptr_t>(result);
}

void Win32Windowing::ShowWindow(WindowHandle window, int command) { ::ShowWindow(ToHwnd(window), command); }

Rect Win32Windowing::WorkAreaNearest(const Rect& area) const {
    RECT r{area.left, area.top, area.right, area.bottom};
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &info)) {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &info.rcWork, 0);
    }
    return Rect{info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
}

Rect Win32Windowing::PrimaryScreen() const {
    return Rect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

WindowHandle Win32Windowing::ForegroundWindow() const { return FromHwnd(GetForegroundWindow()); }

bool Win32Windowing::SetForegroundWindow(WindowHandle window) { return ::SetForegroundWindow(ToHwnd(window)) != FALSE; }

bool Win32Windowing::IsIconic(WindowHandle window) const { return ::IsIconic(ToHwnd(window)) != FALSE; }

void Win32Windowing::ShowWindowAsync(WindowHandle window, int command) { ::ShowWindowAsync(ToHwnd(window), command); }

std::uint32_t Win32Windowing::WindowThreadProcessId(WindowHandle window, std::uint32_t* processId) const {
    DWORD pid = 0;
    const DWORD thread = GetWindowThreadProcessId(ToHwnd(window), &pid);
    if (processId) *processId = pid;
    return thread;
}

std::u16string Win32Windowing::WindowClassName(WindowHandle window) const {
    wchar_t name[257] = {};
    const UINT length = RealGetWindowClassW(ToHwnd(window), name, 256);
    return FromWide(std::wstring_view(name, length));
}

std::optional<CaretInfo> Win32Windowing::ThreadCaret(std::uint32_t threadId) const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(threadId, &info)) return std::nullopt;
    CaretInfo caret;
    caret.caretWindow = FromHwnd(info.hwndCaret);
    // In physical pixels, as ClientToScreen gives this per-monitor aware program the origin.
    const RECT rect = CaretRectInPhysicalClient(info.hwndCaret, info.rcCaret).value_or(info.rcCaret);
    caret.caretRect = Rect{rect.left, rect.top, rect.right, rect.bottom};
    caret.blinking = (info.flags & GUI_CARETBLINKING) != 0;
    return caret;
}

bool Win32Windowing::ClientToScreen(WindowHandle window, Point& point) const {
    POINT p{point.x, point.y};
    if (!::ClientToScreen(ToHwnd(window), &p)) return false;
    point = Point{p.x, p.y};
    return true;
}

std::optional<Rect> Win32Windowing::WindowBounds(WindowHandle window) const {
    RECT r{};
    if (window == kNoWindow || !::GetWindowRect(ToHwnd(window), &r)) return std::nullopt;
    return Rect{r.left, r.top, r.right, r.bottom};
}

void Win32Windowing::SetCursorShape(CursorShape shape) {
    LPCWSTR id = IDC_ARROW;
    if (shape == CursorShape::Hourglass) id = IDC_WAIT;
    if (shape == CursorShape::Hand) id = IDC_HAND;
    HCURSOR cursor = shape == CursorShape::Magnify ? LoadCursorW(GetModuleHandleW(nullptr), L"MAGNIFY") : nullptr;
    SetCursor(cursor ? cursor : LoadCursorW(nullptr, id));
}

}  // namespace kv::win32
