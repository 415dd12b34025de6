/* A program that imports version.dll statically: the image check must refuse it. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    DWORD handle = 0;
    (void)instance; (void)previous; (void)commandLine; (void)show;
    return (int)GetFileVersionInfoSizeW(L"kernel32.dll", &handle);
}
