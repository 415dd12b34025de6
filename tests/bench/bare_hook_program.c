/* The yardstick of tests/bench/startup_memory.sh: the least a resident keyboard tool does before
 * its message loop (one window, one low-level keyboard hook, a "Run" line in Log.txt beside the
 * program, in the format of Tolvex's debug log), so Tolvex's start-up time and working set can be
 * compared with it in the same run. It ends when its window is closed or its process is ended. */
#include <windows.h>

#include "bare_run_line.h"

static LRESULT CALLBACK PassKey(int code, WPARAM wParam, LPARAM lParam) {
    return CallNextHookEx(NULL, code, wParam, lParam);
}

static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int show) {
    (void)previous;
    (void)commandLine;
    (void)show;
    WNDCLASSW windowClass = {0};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"BareHookProgram";
    if (!RegisterClassW(&windowClass)) return 1;
    HWND window = CreateWindowExW(0, L"BareHookProgram", L"BareHookProgram", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 320, 200, NULL, NULL, instance, NULL);
    if (!window) return 1;
    HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, PassKey, instance, 0);
    if (!hook) return 1;
    WriteRunLine();
    MSG message;
    while (GetMessageW(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    UnhookWindowsHookEx(hook);
    return 0;
}
