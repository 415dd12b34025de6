/* A program planted under the name of one the program starts (KarmuxCm.exe): if it is run, it
   leaves "<its own path>.ran" beside itself and ends. */
#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int show) {
    wchar_t path[MAX_PATH + 8];
    DWORD n = GetModuleFileNameW(NULL, path, MAX_PATH);
    (void)instance; (void)previous; (void)commandLine; (void)show;
    if (n > 0 && n < MAX_PATH) {
        lstrcatW(path, L".ran");
        HANDLE marker = CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
    }
    return 0;
}
