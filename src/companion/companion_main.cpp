// KarmuxCm: the companion process. The program finds it by class and caption, tells it when
// its keyboard hook and synthetic input come and go, and ends it with WM_DESTROY.
#include <windows.h>

#include "platform/win32/dll_search.h"

namespace {

constexpr wchar_t kCompanionName[] = L"KarmuxCm";

LRESULT CALLBACK CompanionWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        // Also arrives as a plain sent message from the program, without the window being destroyed.
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    kv::win32::RestrictDllSearchToSystemFolder();
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = CompanionWindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = kCompanionName;
    if (!RegisterClassExW(&wc)) return 1;
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, kCompanionName, kCompanionName, WS_POPUP, 0, 0, 0, 0, nullptr,
                                  nullptr, instance, nullptr);
    if (!window) return 1;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (IsWindow(window)) DestroyWindow(window);
    return 0;
}
