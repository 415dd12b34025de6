#include "win32/caret_flag_form.h"

#include "win32/buffered_paint.h"
#include "win32/res/resource_ids.h"

namespace kv::win32app {

namespace {
constexpr UINT kMoveFlags = SWP_NOACTIVATE | SWP_NOSIZE;

// The DPI of the monitor the window is on for this per-monitor aware program; the system's on
// systems that know no other.
UINT MonitorDpiOf(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto dpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (dpiForWindow) {
        if (const UINT dpi = dpiForWindow(window)) return dpi;
    }
    const win32::WindowDc screen(nullptr);
    return static_cast<UINT>(GetDeviceCaps(screen.Get(), LOGPIXELSY));
}
}  // namespace

CaretFlagForm::CaretFlagForm(win32::Win32MessageLoop& loop, LanguageFlags& flags, ICaretFlagWindowEvents& events)
    : FormWindow(loop, u"TCaretFlagForm"), flags_(flags), events_(events) {}

void CaretFlagForm::Open(Point topLeft, std::uint8_t opacity, std::int32_t flagIndex) {
    flagIndex_ = flagIndex;
    Create(GetDesktopWindow(), u"");
    SetOpacity(opacity);
    SetWindowPos(Handle(), HWND_TOPMOST, topLeft.x, topLeft.y, kFlagWidth, kFlagHeight,
                 SWP_NOACTIVATE | SWP_FRAMECHANGED);
    FollowMonitorScale();
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
}

void CaretFlagForm::FollowMonitorScale() {
    const int scale = CaretFlagScaleForDpi(MonitorDpiOf(Handle()));
    if (scale == scale_ && IsWindowVisible(Handle())) return;
    scale_ = scale;
    SetWindowPos(Handle(), nullptr, 0, 0, kFlagWidth * scale_, kFlagHeight * scale_,
                 SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOZORDER);
    InvalidateRect(Handle(), nullptr, FALSE);
}

void CaretFlagForm::OnCreated() {
    SetWindowLongPtrW(Handle(), GWL_STYLE, WS_POPUP);
    SetWindowLongPtrW(Handle(), GWL_EXSTYLE, WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_LAYERED);
}

void CaretFlagForm::MoveTo(Point topLeft) {
    // Over a newly activated window, the flag leaves the top-most band and comes back into it:
    // a real change of its place in the stack, which also reaches the X server under Wine, where
    // an activated window is raised over top-most ones.
    const HWND foreground = GetForegroundWindow();
    if (foreground != foregroundAtLastMove_) {
        foregroundAtLastMove_ = foreground;
        SetWindowPos(Handle(), HWND_NOTOPMOST, 0, 0, 0, 0, kMoveFlags | SWP_NOMOVE);
    }
    // Again top-most each time: another top-most window may have come over it meanwhile.
    SetWindowPos(Handle(), HWND_TOPMOST, topLeft.x, topLeft.y, 0, 0, kMoveFlags);
    FollowMonitorScale();
}

void CaretFlagForm::SetOpacity(std::uint8_t opacity) {
    SetLayeredWindowAttributes(Handle(), 0, opacity, LWA_ALPHA);
}

void CaretFlagForm::SetFlagImage(std::int32_t index) {
    flagIndex_ = index;
    InvalidateRect(Handle(), nullptr, FALSE);
}

void CaretFlagForm::Paint() {
    const BufferedPaint paint(Handle());
    RECT client;
    GetClientRect(Handle(), &client);
    FillRect(paint.Dc(), &client, GetSysColorBrush(COLOR_BTNFACE));
    flags_.Draw(scale_, flagIndex_, paint.Dc(), 0, -kFlagTopRow * scale_);
}

LRESULT CaretFlagForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_MOUSEMOVE:
            events_.MouseOverFlag();
            return 0;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_CLOSE:
            events_.CloseRequested();
            return 0;
        case WM_DPICHANGED:
            // The flag stays at the caret; only its size follows the new monitor.
            FollowMonitorScale();
            return 0;
        default:
            return FormWindow::HandleMessage(message, wParam, lParam);
    }
}

Win32CaretFlagWindows::Win32CaretFlagWindows(win32::Win32MessageLoop& loop, LanguageFlags& flags)
    : loop_(loop), flags_(flags) {}

std::unique_ptr<ICaretFlagWindow> Win32CaretFlagWindows::CreateCaretFlagWindow(ICaretFlagWindowEvents& events,
                                                                               Point topLeft, std::uint8_t opacity,
                                                                               std::int32_t flagIndex) {
    auto form = std::make_unique<CaretFlagForm>(loop_, flags_, events);
    form->Open(topLeft, opacity, flagIndex);
    return form;
}

}  // namespace kv::win32app
