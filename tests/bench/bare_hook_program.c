/* The yardstick of tests/bench/startup_memory.sh: the least a resident keyboard tool does before
 * its message loop (one window, one low-level keyboard hook, a "Run" line in Log.txt beside the
 * program, in the format of Tolvex's debug log), so Tolvex's start-up time and working set can be
 * compared with it in the same run. It ends when its window is closed or its process is ended. */
#include <windows.h>

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

static void WriteRunLine(void) {
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(NULL, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    while (length > 0 && path[length - 1] != L'\\') --length;
    if (length + 8 > MAX_PATH) return;
    lstrcpyW(path + length, L"Log.txt");
    HANDLE file = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return;
    SYSTEMTIME now;
    GetLocalTime(&now);
    char line[64];
    int n = wsprintfA(line, "%02u.%02u.%04u %02u:%02u:%02u : Run\r\n", now.wDay, now.wMonth, now.wYear, now.wHour,
                      now.wMinute, now.wSecond);
    DWORD written = 0;
    WriteFile(file, line, (DWORD)n, &written, NULL);
    CloseHandle(file);
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
