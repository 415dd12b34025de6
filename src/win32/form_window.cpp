#include "win32/form_window.h"

#include "app/app_forms.h"
#include "platform/error.h"
#include "platform/win32/win32_message_loop.h"
#include "platform/win32/win32_text.h"
#include "win32/window_controls.h"

namespace kv::win32app {

using win32::W;

FormWindow::FormWindow(win32::Win32MessageLoop& loop, std::u16string className)
    : loop_(loop), className_(std::move(className)) {}

FormWindow::~FormWindow() {
    if (window_) SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, 0);
}

void FormWindow::Create(HWND owner, const std::u16string& caption) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = W(className_);
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        throw KvError(u"Cannot register the window class " + className_ + u": " +
                      win32::SystemErrorText(GetLastError()));
    }
    HWND hwnd = CreateWindowExW(WS_EX_TOOLWINDOW, W(className_), W(caption), WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                CW_USEDEFAULT, CW_USEDEFAULT, 320, 200, owner, nullptr, instance, this);
    if (!hwnd) throw KvError(u"Cannot create the window " + className_ + u": " + win32::SystemErrorText(GetLastError()));
    OnCreated();
}

LRESULT FormWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window_.Get(), message, wParam, lParam);
}

LRESULT CALLBACK FormWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        reinterpret_cast<FormWindow*>(create->lpCreateParams)->window_.Reset(hwnd);
    }
    auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->window_.Release();
        if (self->onDestroyed) self->loop_.Guarded([&] {
            self->onDestroyed();
            return LRESULT(0);
        });
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return self->loop_.Guarded([&] { return self->HandleMessage(message, wParam, lParam); });
}

namespace {
std::function<std::optional<int>()>& LanguageSource() {
    static std::function<std::optional<int>()> source;
    return source;
}
}  // namespace

void KvForm::SetLanguageSource(std::function<std::optional<int>()> source) { LanguageSource() = std::move(source); }

void KvForm::ApplyLanguage() {
    if (!LanguageSource()) return;
    const std::optional<int> language = LanguageSource()();
    if (!language) return;
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    LOGFONTW face = metrics.lfMessageFont;
    face.lfCharSet = static_cast<BYTE>(CharsetForLanguage(*language));
    font_.Reset(CreateFontIndirectW(&face));
    if (Handle() && font_) SetControlFont(Handle(), font_.Get(), true);
}

}  // namespace kv::win32app
