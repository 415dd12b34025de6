/* gettext.c - print the text of an edit control in another process (Wine e2e helper).
 *


 *
 * Usage (run with the same WINEPREFIX/wineserver as the target):
 *   wine64 gettext.exe [-w MS] [-r] [-c CHILDCLASS] WINDOW
 *     WINDOW  : "0x1234"          - a top-level HWND in hex, or
 *               "class:Notepad"   - first top-level window of that class, or
 *               any other string  - case-insensitive substring of a top-level title
 *     -c CLS  : class of the child whose text is read (default "Edit";
 *               "-" reads the top-level window's own text)
 *     -d ID   : read the dialog item with this control id instead (65535 is a message box's text)
 *     -w MS   : keep retrying for up to MS milliseconds until the window/child exists
 *     -r      : raw output (default converts CRLF to LF)
 *     -t MS   : trace instead: for MS milliseconds, read the text length every 2 ms and print
 *               "<unix time in ms> <length>" on a line of its own whenever it changes
 *   The text is written to stdout as UTF-8 with no trailing newline added.
 * Exit codes: 0 ok, 2 window not found, 3 child not found, 4 WM_GETTEXT timed out, 64 usage.
 *
 * How: WM_GETTEXTLENGTH + WM_GETTEXT via SendMessageTimeoutW (Wine marshals WM_GETTEXT
 * across processes just like Windows), so it works for any Edit/RichEdit-like control.
 */
#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <wchar.h>

static const wchar_t *g_want;   /* title substring (lower-cased) or class name */
static int g_by_class;
static HWND g_found;

static BOOL CALLBACK enum_top(HWND h, LPARAM l) {
    wchar_t buf[512];
    (void)l;
    if (g_by_class) {
        if (GetClassNameW(h, buf, 512) && !_wcsicmp(buf, g_want)) { g_found = h; return FALSE; }
    } else if (IsWindowVisible(h) && GetWindowTextW(h, buf, 512)) {
        _wcslwr(buf);
        if (wcsstr(buf, g_want)) { g_found = h; return FALSE; }
    }
    return TRUE;
}

static HWND find_top(const wchar_t *query) {
    static wchar_t lower[512];
    if (!wcsncmp(query, L"0x", 2)) { HWND h = (HWND)(ULONG_PTR)wcstoull(query, NULL, 16); return IsWindow(h) ? h : NULL; }
    if (!wcsncmp(query, L"class:", 6)) { g_want = query + 6; g_by_class = 1; }
    else { wcsncpy(lower, query, 511); _wcslwr(lower); g_want = lower; g_by_class = 0; }
    g_found = NULL;
    EnumWindows(enum_top, 0);
    return g_found;
}

/* The host's wall clock (Wine's system time is the host's), to compare with times taken outside Wine. */
static unsigned long long unix_ms(void) {
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    return ((((unsigned long long)ft.dwHighDateTime << 32) | ft.dwLowDateTime) - 116444736000000000ULL) / 10000ULL;
}

static int trace_length(HWND target, DWORD trace_ms) {
    DWORD start = GetTickCount();
    DWORD_PTR last = (DWORD_PTR)-1;
    char line[64];
    DWORD written;
    while (GetTickCount() - start < trace_ms) {
        DWORD_PTR len = 0;
        if (SendMessageTimeoutW(target, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 1000, &len) && len != last) {
            int n = snprintf(line, sizeof line, "%llu %lu\n", unix_ms(), (unsigned long)len);
            WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line, (DWORD)n, &written, NULL);
            last = len;
        }
        Sleep(2);
    }
    return 0;
}

int wmain(int argc, wchar_t **argv) {
    const wchar_t *child_cls = L"Edit", *query = NULL;
    int item_id = -1;
    DWORD wait_ms = 0, trace_ms = 0, start;
    int raw = 0, i;
    for (i = 1; i < argc; i++) {
        if (!wcscmp(argv[i], L"-c") && i + 1 < argc) child_cls = argv[++i];
        else if (!wcscmp(argv[i], L"-w") && i + 1 < argc) wait_ms = wcstoul(argv[++i], NULL, 10);
        else if (!wcscmp(argv[i], L"-r")) raw = 1;
        else if (!wcscmp(argv[i], L"-t") && i + 1 < argc) trace_ms = wcstoul(argv[++i], NULL, 10);
        else if (!wcscmp(argv[i], L"-d") && i + 1 < argc) item_id = (int)wcstol(argv[++i], NULL, 0);
        else query = argv[i];
    }
    if (!query) { fputs("usage: gettext [-w MS] [-r] [-c CHILDCLASS | -d ID] WINDOW\n", stderr); return 64; }

    start = GetTickCount();
    HWND top = NULL, target = NULL;
    for (;;) {
        top = find_top(query);
        if (top && item_id >= 0) target = GetDlgItem(top, item_id);
        else if (top) target = wcscmp(child_cls, L"-") ? FindWindowExW(top, NULL, child_cls, NULL) : top;
        if (target || GetTickCount() - start >= wait_ms) break;
        Sleep(100);
    }
    if (!top) { fputs("gettext: window not found\n", stderr); return 2; }
    if (!target) { fputs("gettext: child control not found\n", stderr); return 3; }

    if (trace_ms) return trace_length(target, trace_ms);

    DWORD_PTR len = 0;
    if (!SendMessageTimeoutW(target, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 3000, &len)) {
        fputs("gettext: WM_GETTEXTLENGTH timed out\n", stderr); return 4;
    }
    wchar_t *buf = calloc(len + 2, sizeof(wchar_t));
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutW(target, WM_GETTEXT, len + 1, (LPARAM)buf, SMTO_ABORTIFHUNG, 3000, &got)) {
        fputs("gettext: WM_GETTEXT timed out\n", stderr); return 4;
    }
    if (!raw) { /* CRLF -> LF */
        wchar_t *s = buf, *d = buf;
        for (; *s; s++) if (!(s[0] == L'\r' && s[1] == L'\n')) *d++ = *s;
        *d = 0;
    }
    int n = WideCharToMultiByte(CP_UTF8, 0, buf, -1, NULL, 0, NULL, NULL);
    char *u = malloc(n);
    WideCharToMultiByte(CP_UTF8, 0, buf, -1, u, n, NULL, NULL);
    DWORD written;
    /* WriteFile: no CRT text-mode translation, exact UTF-8 bytes reach the unix side */
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), u, (DWORD)(n - 1), &written, NULL);
    return 0;
}
