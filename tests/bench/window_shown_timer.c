/* The timer of tests/bench/settings_open.sh: runs inside the Wine prefix and prints the
 * milliseconds from the moment a popup menu (the tray menu) closes until a visible top-level
 * window of the given class is there. Start it before the menu opens.
 *
 *   window_shown_timer.exe WINDOW_CLASS [TIMEOUT_MS]
 *
 * Prints "ready" once it watches, then "shown after N ms", or "not shown" and exits with 1. A benchmark's tool: it asserts
 * nothing itself. */
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

static double NowMs(void) {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return (double)now.QuadPart * 1000.0 / (double)frequency.QuadPart;
}

static BOOL MenuShown(void) {
    HWND menu = FindWindowW(MAKEINTATOM(32768), NULL);
    return menu && IsWindowVisible(menu);
}

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        fwprintf(stderr, L"usage: window_shown_timer WINDOW_CLASS [TIMEOUT_MS]\n");
        return 2;
    }
    const double timeout = argc > 2 ? _wtof(argv[2]) : 30000;
    wprintf(L"ready\n");
    fflush(stdout);
    const double begin = NowMs();
    while (!MenuShown()) {
        if (NowMs() - begin > timeout) {
            wprintf(L"no menu shown\n");
            return 1;
        }
        Sleep(1);
    }
    while (MenuShown()) Sleep(1);
    const double closed = NowMs();
    for (;;) {
        HWND window = FindWindowW(argv[1], NULL);
        if (window && IsWindowVisible(window)) break;
        if (NowMs() - closed > timeout) {
            wprintf(L"not shown\n");
            return 1;
        }
        Sleep(1);
    }
    wprintf(L"shown after %.0f ms\n", NowMs() - closed);
    return 0;
}
