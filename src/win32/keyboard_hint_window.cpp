#include "win32/keyboard_hint_window.h"

#include "platform/win32/win32_text.h"
#include "win32/buffered_paint.h"

namespace kv::win32app {

namespace {
constexpr int kPaddingX = 4, kPaddingY = 2;
constexpr UINT kTextFormat = DT_WORDBREAK | DT_NOPREFIX | DT_LEFT;

// The monitor's scale for a per-monitor aware program; the system's on systems without it.
UINT DpiOf(HWND hwnd) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpi = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpi && hwnd) {
        if (const UINT dpi = getDpi(hwnd)) return dpi;
    }
    const win32::WindowDc screen(nullptr);
    return static_cast<UINT>(GetDeviceCaps(screen.Get(), LOGPIXELSY));
}
}  // namespace

void KeyboardHintWindow::OnCreated() {
    SetWindowLongPtrW(Handle(), GWL_STYLE, WS_POPUP | WS_BORDER);
    SetWindowLongPtrW(Handle(), GWL_EXSTYLE, WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE);
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

HFONT KeyboardHintWindow::HintFont() {
    const UINT dpi = DpiOf(Handle());
    if (!font_ || dpi != fontDpi_) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        LOGFONTW face = metrics.lfStatusFont;
        // The metrics are at the system's scale; the hint follows its monitor.
        const win32::WindowDc screen(nullptr);
        const int systemDpi = GetDeviceCaps(screen.Get(), LOGPIXELSY);
        face.lfHeight = MulDiv(face.lfHeight, static_cast<int>(dpi), systemDpi);
        font_.Reset(CreateFontIndirectW(&face));
        fontDpi_ = dpi;
    }
    return font_.Get();
}

SIZE KeyboardHintWindow::Measure(const std::u16string& text, int maxWidth) {
    RECT r{0, 0, maxWidth - 2 * kPaddingX, 0};
    {
        const win32::WindowDc dc(Handle());
        const win32::SelectedObject font(dc.Get(), HintFont());
        DrawTextW(dc.Get(), win32::W(text), static_cast<int>(text.size()), &r, kTextFormat | DT_CALCRECT);
    }
    const int border = 2 * GetSystemMetrics(SM_CXBORDER);
    return {r.right + 2 * kPaddingX + border, r.bottom + 2 * kPaddingY + border};
}

void KeyboardHintWindow::ShowAt(const RECT& area, std::u16string text) {
    text_ = std::move(text);
    // Also its caption, so the hint can be read from outside (accessibility tools, tests).
    SetWindowTextW(Handle(), win32::W(text_));
    SetWindowPos(Handle(), HWND_TOPMOST, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(Handle(), nullptr, TRUE);
}

void KeyboardHintWindow::Hide() { ShowWindow(Handle(), SW_HIDE); }

void KeyboardHintWindow::Paint() {
    const BufferedPaint paint(Handle());
    const HDC dc = paint.Dc();
    RECT client{};
    GetClientRect(Handle(), &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_INFOBK));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    const win32::SelectedObject font(dc, HintFont());
    RECT text{client.left + kPaddingX, client.top + kPaddingY, client.right - kPaddingX, client.bottom};
    DrawTextW(dc, win32::W(text_), static_cast<int>(text_.size()), &text, kTextFormat);
}

LRESULT KeyboardHintWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_PAINT:
            Paint();
            return 0;
        default:
            return FormWindow::HandleMessage(message, wParam, lParam);
    }
}

}  // namespace kv::win32app
