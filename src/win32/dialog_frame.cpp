#include "win32/dialog_frame.h"

#include <string>
#include <vector>

#include "platform/win32/win32_text.h"
#include "win32/window_controls.h"

namespace kv::win32app {

void SetFrame(HWND window, DWORD style, DWORD exStyle, int clientWidth, int clientHeight) {
    SetWindowLongPtrW(window, GWL_STYLE, static_cast<LONG_PTR>(style));
    SetWindowLongPtrW(window, GWL_EXSTYLE, static_cast<LONG_PTR>(exStyle));
    RECT r{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&r, style, FALSE, exStyle);
    const HWND order = (exStyle & WS_EX_TOPMOST) ? HWND_TOPMOST : HWND_NOTOPMOST;
    SetWindowPos(window, order, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CenterOnWorkArea(HWND window) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromRect(&bounds, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    const RECT& area = monitor.rcWork;
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    SetWindowPos(window, nullptr, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND CreateChild(HWND parent, const wchar_t* className, DWORD style, int x, int y, int width, int height, int id,
                 HFONT font) {
    HWND child = CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (child) SetControlFont(child, font, false);
    return child;
}

void SetText(HWND window, std::u16string_view text) {
    if (window) SetWindowTextW(window, win32::W(std::u16string(text)));
}

HFONT FormFontOrDefault(HFONT formFont) {
    return formFont ? formFont : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

namespace {

struct DisabledWindows {
    HWND dialog;
    std::vector<HWND> windows;
};

BOOL CALLBACK DisableOne(HWND window, LPARAM context) {
    auto* disabled = reinterpret_cast<DisabledWindows*>(context);
    if (window != disabled->dialog && IsWindowVisible(window) && IsWindowEnabled(window)) {
        EnableWindow(window, FALSE);
        disabled->windows.push_back(window);
    }
    return TRUE;
}

}  // namespace

void RunModal(HWND dialog, const bool& closed) {
    DisabledWindows disabled{dialog, {}};
    EnumThreadWindows(GetCurrentThreadId(), DisableOne, reinterpret_cast<LPARAM>(&disabled));
    MSG message;
    while (!closed && IsWindow(dialog)) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));  // the main loop still has to see it
            break;
        }
        if (got == -1) break;
        if (IsDialogMessageW(dialog, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    // Re-enabled before the dialog hides, so the activation goes back to a window of the program.
    for (HWND window : disabled.windows) {
        if (IsWindow(window)) EnableWindow(window, TRUE);
    }
}

}  // namespace kv::win32app
