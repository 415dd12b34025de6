#include "win32/keyboard_form_base.h"

namespace kv::win32app {

void KeyboardFormBase::OnCreated() {
    KvForm::OnCreated();
    HWND hwnd = Handle();
    SetWindowLongPtrW(hwnd, GWL_STYLE, WS_POPUP | WS_CLIPCHILDREN);
    SetWindowLongPtrW(hwnd, GWL_EXSTYLE, WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_LAYERED);
    SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    SetLayering(RGB(0, 255, 0), 255);
}

void KeyboardFormBase::SetLayering(COLORREF key, BYTE opacity) {
    SetLayeredWindowAttributes(Handle(), key, opacity, LWA_COLORKEY | (opacity < 255 ? LWA_ALPHA : 0));
}

LRESULT KeyboardFormBase::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;  // a click leaves the focus where the user types
        case WM_ERASEBKGND:
            return 1;  // the paint covers everything
        case WM_DPICHANGED: {
            // The image is in device pixels at every scale: take the new place, keep the size.
            const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(Handle(), nullptr, suggested->left, suggested->top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        default:
            return KvForm::HandleMessage(message, wParam, lParam);
    }
}

}  // namespace kv::win32app
