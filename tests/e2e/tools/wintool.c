/* wintool.c - small Win32 inspection/control helper for Wine e2e tests.
 *

 * Run it with the same WINEPREFIX (same wineserver) and - in virtual-desktop
 * mode - on the same desktop as the program under test (the default when the
 * desktop is configured through the registry, see wine-e2e-lib.sh).
 *
 * WINDOW query (top-level windows only):
 *   0x1234          HWND in hex
 *   class:NAME      first top-level window of that class (visible or not)
 *   anything else   case-insensitive substring of a *visible* top-level title
 *
 * Commands (output is UTF-8 on stdout):
 *   fg                          foreground window  -> "hwnd=.. pid=.. class='..' title='..' rect=l,t,r,b visible=1"
 *   find WINDOW                 describe window (exit 2 if not found)
 *   list                        all visible top-level windows
 *   children WINDOW             window + all descendants (with screen rects)
 *   setfg WINDOW                SetForegroundWindow (exit 1 if it fails)
 *   post WINDOW MSG WP LP       PostMessageW   (numbers: decimal or 0x..)
 *   send WINDOW MSG WP LP       SendMessageTimeoutW, 2 s, prints result
 *   caret WINDOW                GetGUIThreadInfo of the window's thread, caret in screen coords
 *   clipget                     CF_UNICODETEXT from the clipboard (exit 3 if none)
 *   clipset TEXT                put TEXT (ASCII/argv) on the clipboard
 *   clipbig MB                  put MB million characters of lines of text on the clipboard
 *   cliphash                    "chars=N fnv=H seq=S" of the CF_UNICODETEXT text (FNV-1a, 64 bits,
 *                               of its UTF-16 bytes up to the terminator); exit 3 if none
 *   trayicon [N]                screen centre "X Y" of the N-th (0-based) tray icon:
 *                               stand-alone Wine tray (no virtual desktop) or the
 *                               virtual-desktop taskbar (Shell_TrayWnd)
 *   count [-v] CLASS...         number of top-level windows of these classes (-v: visible ones)
 *   watch MS CLASS...           prints "ready" once it knows the windows of these classes that
 *                               exist, then for MS ms a "new hwnd=.." line for every top-level
 *                               window of these classes that appears (told by EVENT_OBJECT_CREATE
 *                               and checked every 5 ms, so a window that lives only a few ms is
 *                               seen too), and at the end "appeared N"
 *   clipwatch MS [QUIET_MS]     prints "ready seq=N", then for MS ms "change seq=N" for every
 *                               WM_CLIPBOARDUPDATE and, once the clipboard has not changed for
 *                               QUIET_MS (default 100) ms, "text seq=N 'TEXT'" (CR, LF and
 *                               backslash escaped) or "notext seq=N": reading only in quiet
 *                               moments keeps the clipboard free for the programs changing it
 * Exit codes: 0 ok, 1 operation failed, 2 window not found, 3 nothing to report, 64 usage.
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

static void out(const wchar_t *fmt, ...) {
    wchar_t buf[8192]; static char u[32768];
    va_list ap; va_start(ap, fmt); _vsnwprintf(buf, 8191, fmt, ap); va_end(ap); buf[8191] = 0;
    int n = WideCharToMultiByte(CP_UTF8, 0, buf, -1, u, sizeof u, NULL, NULL);
    DWORD w; WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), u, n > 0 ? n - 1 : 0, &w, NULL);
}

/* ---- window lookup (same rules as gettext.c) ---- */
static const wchar_t *g_want; static int g_by_class; static HWND g_found;
static BOOL CALLBACK enum_top(HWND h, LPARAM l) {
    wchar_t buf[512]; (void)l;
    if (g_by_class) { if (GetClassNameW(h, buf, 512) && !_wcsicmp(buf, g_want)) { g_found = h; return FALSE; } }
    else if (IsWindowVisible(h) && GetWindowTextW(h, buf, 512)) { _wcslwr(buf); if (wcsstr(buf, g_want)) { g_found = h; return FALSE; } }
    return TRUE;
}
static HWND find_top(const wchar_t *query) {
    static wchar_t lower[512];
    if (!wcsncmp(query, L"0x", 2)) { HWND h = (HWND)(ULONG_PTR)wcstoull(query, NULL, 16); return IsWindow(h) ? h : NULL; }
    if (!wcsncmp(query, L"class:", 6)) { g_want = query + 6; g_by_class = 1; }
    else { wcsncpy(lower, query, 511); _wcslwr(lower); g_want = lower; g_by_class = 0; }
    g_found = NULL; EnumWindows(enum_top, 0); return g_found;
}

static void desc(HWND h) {
    wchar_t c[128] = L"", t[256] = L""; RECT r = {0}; DWORD pid = 0, tid = 0;
    if (h) { GetClassNameW(h, c, 128); GetWindowTextW(h, t, 256); GetWindowRect(h, &r); tid = GetWindowThreadProcessId(h, &pid); }
    out(L"hwnd=0x%llx pid=%lu tid=%lu class='%ls' title='%ls' rect=%ld,%ld,%ld,%ld visible=%d\n",
        (unsigned long long)(ULONG_PTR)h, pid, tid, c, t, r.left, r.top, r.right, r.bottom, h ? IsWindowVisible(h) : 0);
}
static BOOL CALLBACK enum_vis(HWND h, LPARAM l) { (void)l; if (IsWindowVisible(h)) desc(h); return TRUE; }
static BOOL CALLBACK enum_all(HWND h, LPARAM l) { (void)l; desc(h); return TRUE; }

/* ---- tray icons ---- */
static HWND g_icons[64]; static int g_nicons;
static BOOL CALLBACK enum_icons(HWND h, LPARAM l) {
    wchar_t c[64]; (void)l;
    if (GetClassNameW(h, c, 64) && !wcscmp(c, L"__winex11_tray_icon") && IsWindowVisible(h) && g_nicons < 64) g_icons[g_nicons++] = h;
    return TRUE;
}
static int cmp_x(const void *a, const void *b) {
    RECT ra, rb; GetWindowRect(*(HWND *)a, &ra); GetWindowRect(*(HWND *)b, &rb); return ra.left - rb.left;
}
static int trayicon(int n) {
    HWND tray = FindWindowW(L"__winex11_standalone_tray", NULL);   /* Wine 8 stand-alone tray (no virtual desktop) */
    RECT r;
    if (tray && IsWindowVisible(tray)) {
        EnumChildWindows(tray, enum_icons, 0);
        qsort(g_icons, g_nicons, sizeof(HWND), cmp_x);
        if (n >= g_nicons) return 3;
        GetWindowRect(g_icons[n], &r);
        out(L"%ld %ld\n", (r.left + r.right) / 2, (r.top + r.bottom) / 2);
        return 0;
    }
    tray = FindWindowW(L"Shell_TrayWnd", NULL);                      /* virtual desktop taskbar */
    if (tray && IsWindowVisible(tray)) {
        /* explorer's systray.c draws icons right-aligned, icon_cx = SM_CXSMICON + 4 */
        int cx = GetSystemMetrics(SM_CXSMICON) + 4;
        GetWindowRect(tray, &r);
        out(L"%ld %ld\n", r.right - cx * n - cx / 2, (r.top + r.bottom) / 2);
        return 0;
    }
    return 2;
}

/* ---- windows of given classes ---- */
#define MAX_CLASSES 32
#define MAX_KNOWN 1024
static wchar_t **g_classes; static int g_nclasses, g_only_visible;
static HWND g_known[MAX_KNOWN]; static int g_nknown, g_count, g_appeared;

static int of_classes(HWND h) {
    wchar_t c[256]; int i;
    if (!GetClassNameW(h, c, 256)) return 0;
    for (i = 0; i < g_nclasses; i++) if (!_wcsicmp(c, g_classes[i])) return 1;
    return 0;
}
static BOOL CALLBACK enum_count(HWND h, LPARAM l) {
    (void)l; if (of_classes(h) && (!g_only_visible || IsWindowVisible(h))) g_count++;
    return TRUE;
}
static int known(HWND h) { int i; for (i = 0; i < g_nknown; i++) if (g_known[i] == h) return 1; return 0; }
static void note_window(HWND h, int report) {
    if (!h || known(h) || GetAncestor(h, GA_ROOT) != h || !of_classes(h)) return;
    if (g_nknown < MAX_KNOWN) g_known[g_nknown++] = h;
    if (report) { g_appeared++; out(L"new "); desc(h); }
}
static int g_reporting;
static BOOL CALLBACK enum_note(HWND h, LPARAM l) { (void)l; note_window(h, g_reporting); return TRUE; }
static void CALLBACK on_create(HWINEVENTHOOK hook, DWORD event, HWND h, LONG obj, LONG child, DWORD tid, DWORD time) {
    (void)hook; (void)event; (void)child; (void)tid; (void)time;
    if (obj == OBJID_WINDOW) note_window(h, 1);
}
static void pump(void) { MSG m; while (PeekMessageW(&m, NULL, 0, 0, PM_REMOVE)) { TranslateMessage(&m); DispatchMessageW(&m); } }

static int watch(DWORD ms) {
    HWINEVENTHOOK hook;
    DWORD start;
    g_reporting = 0; EnumWindows(enum_note, 0);
    hook = SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_CREATE, NULL, on_create, 0, 0, WINEVENT_OUTOFCONTEXT);
    out(L"ready known=%d hook=%d\n", g_nknown, hook != NULL);
    g_reporting = 1;
    start = GetTickCount();
    while (GetTickCount() - start < ms) {
        MsgWaitForMultipleObjects(0, NULL, FALSE, 5, QS_ALLINPUT);
        pump();
        EnumWindows(enum_note, 0);
    }
    if (hook) UnhookWinEvent(hook);
    out(L"appeared %d\n", g_appeared);
    return 0;
}

/* ---- clipboard changes ---- */
#define QUIET_TIMER 1
static DWORD g_quiet_ms = 100;
static void out_clip_text(HWND h) {
    DWORD seq = GetClipboardSequenceNumber();
    HANDLE data; const wchar_t *p; int i;
    static wchar_t esc[8192];
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) { out(L"notext seq=%lu\n", seq); return; }
    for (i = 0; i < 20 && !OpenClipboard(h); i++) Sleep(5);
    if (i == 20) { out(L"busy seq=%lu\n", seq); return; }
    data = GetClipboardData(CF_UNICODETEXT);
    p = data ? (const wchar_t *)GlobalLock(data) : NULL;
    if (!p) { CloseClipboard(); out(L"notext seq=%lu\n", seq); return; }
    for (i = 0; *p && i < 8180; p++) {
        if (*p == L'\r' || *p == L'\n' || *p == L'\\') { esc[i++] = L'\\'; esc[i++] = *p == L'\r' ? L'r' : *p == L'\n' ? L'n' : L'\\'; }
        else esc[i++] = *p;
    }
    esc[i] = 0;
    GlobalUnlock(data); CloseClipboard();
    out(L"text seq=%lu '%ls'\n", seq, esc);
}
static LRESULT CALLBACK clip_proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CLIPBOARDUPDATE) { out(L"change seq=%lu\n", GetClipboardSequenceNumber()); SetTimer(h, QUIET_TIMER, g_quiet_ms, NULL); return 0; }
    if (msg == WM_TIMER && wp == QUIET_TIMER) { KillTimer(h, QUIET_TIMER); out_clip_text(h); return 0; }
    return DefWindowProcW(h, msg, wp, lp);
}
static int clipwatch(DWORD ms) {
    WNDCLASSW wc; HWND h; DWORD start;
    memset(&wc, 0, sizeof wc);
    wc.lpfnWndProc = clip_proc; wc.hInstance = GetModuleHandleW(NULL); wc.lpszClassName = L"wintool_clipwatch";
    if (!RegisterClassW(&wc)) return 1;
    h = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, wc.hInstance, NULL);
    if (!h || !AddClipboardFormatListener(h)) return 1;
    out(L"ready seq=%lu\n", GetClipboardSequenceNumber());
    start = GetTickCount();
    while (GetTickCount() - start < ms) {
        MsgWaitForMultipleObjects(0, NULL, FALSE, ms - (GetTickCount() - start), QS_ALLINPUT);
        pump();
    }
    RemoveClipboardFormatListener(h);
    DestroyWindow(h);
    return 0;
}

int wmain(int argc, wchar_t **argv) {
    if (argc < 2) { out(L"usage: wintool fg|find|list|children|setfg|post|send|caret|clipget|clipset|clipbig|cliphash|trayicon|count|watch|clipwatch ...\n"); return 64; }
    const wchar_t *cmd = argv[1];
    if (!wcscmp(cmd, L"fg")) { HWND h = GetForegroundWindow(); desc(h); return h ? 0 : 3; }
    if (!wcscmp(cmd, L"list")) { EnumWindows(enum_vis, 0); return 0; }
    if (!wcscmp(cmd, L"trayicon")) return trayicon(argc > 2 ? _wtoi(argv[2]) : 0);
    if (!wcscmp(cmd, L"count") && argc > 2) {
        g_only_visible = !wcscmp(argv[2], L"-v");
        g_classes = argv + 2 + g_only_visible; g_nclasses = argc - 2 - g_only_visible;
        if (g_nclasses < 1 || g_nclasses > MAX_CLASSES) return 64;
        EnumWindows(enum_count, 0); out(L"%d\n", g_count); return 0;
    }
    if (!wcscmp(cmd, L"watch") && argc > 3) {
        g_classes = argv + 3; g_nclasses = argc - 3;
        if (g_nclasses > MAX_CLASSES) return 64;
        return watch((DWORD)wcstoul(argv[2], NULL, 0));
    }
    if (!wcscmp(cmd, L"clipwatch") && argc > 2) {
        if (argc > 3) g_quiet_ms = (DWORD)wcstoul(argv[3], NULL, 0);
        return clipwatch((DWORD)wcstoul(argv[2], NULL, 0));
    }
    if (!wcscmp(cmd, L"clipget")) {
        int i; for (i = 0; i < 50 && !OpenClipboard(NULL); i++) Sleep(20);
        HANDLE h = GetClipboardData(CF_UNICODETEXT);
        if (!h) { CloseClipboard(); return 3; }
        out(L"%ls", (wchar_t *)GlobalLock(h)); GlobalUnlock(h); CloseClipboard(); return 0;
    }
    if (!wcscmp(cmd, L"clipbig") && argc > 2) {
        static const wchar_t line[] = L"The quick brown fox jumps over the lazy dog 0123456789.\r\n";
        const size_t lineChars = sizeof line / sizeof line[0] - 1;
        size_t chars = (size_t)wcstoul(argv[2], NULL, 0) * 1000000u, i; int tries;
        HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, (chars + 1) * sizeof(wchar_t));
        wchar_t *p = g ? (wchar_t *)GlobalLock(g) : NULL;
        if (!p) return 1;
        for (i = 0; i < chars; i++) p[i] = line[i % lineChars];
        p[chars] = 0;
        GlobalUnlock(g);
        for (tries = 0; tries < 50 && !OpenClipboard(NULL); tries++) Sleep(20);
        EmptyClipboard(); HANDLE r = SetClipboardData(CF_UNICODETEXT, g); CloseClipboard();
        return r ? 0 : 1;
    }
    if (!wcscmp(cmd, L"cliphash")) {
        unsigned long long hash = 1469598103934665603ULL; size_t chars = 0, cap, i; int tries;
        for (tries = 0; tries < 50 && !OpenClipboard(NULL); tries++) Sleep(20);
        HANDLE h = GetClipboardData(CF_UNICODETEXT);
        const wchar_t *p = h ? (const wchar_t *)GlobalLock(h) : NULL;
        if (!p) { CloseClipboard(); return 3; }
        cap = GlobalSize(h) / sizeof(wchar_t);
        while (chars < cap && p[chars]) chars++;
        for (i = 0; i < chars * sizeof(wchar_t); i++) {
            hash ^= ((const unsigned char *)p)[i];
            hash *= 1099511628211ULL;
        }
        GlobalUnlock(h); CloseClipboard();
        out(L"chars=%llu fnv=%016llx seq=%lu\n", (unsigned long long)chars, hash, GetClipboardSequenceNumber());
        return 0;
    }
    if (!wcscmp(cmd, L"clipset") && argc > 2) {
        size_t n = (wcslen(argv[2]) + 1) * sizeof(wchar_t); int i;
        HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, n); memcpy(GlobalLock(g), argv[2], n); GlobalUnlock(g);
        for (i = 0; i < 50 && !OpenClipboard(NULL); i++) Sleep(20);
        EmptyClipboard(); HANDLE r = SetClipboardData(CF_UNICODETEXT, g); CloseClipboard();
        return r ? 0 : 1;
    }
    if (argc < 3) { out(L"missing WINDOW argument\n"); return 64; }
    HWND h = find_top(argv[2]);
    if (!h) { fwprintf(stderr, L"wintool: window not found\n"); return 2; }
    if (!wcscmp(cmd, L"find")) { desc(h); return 0; }
    if (!wcscmp(cmd, L"children")) { desc(h); EnumChildWindows(h, enum_all, 0); return 0; }
    if (!wcscmp(cmd, L"setfg")) { BOOL ok = SetForegroundWindow(h); return ok ? 0 : 1; }
    if ((!wcscmp(cmd, L"post") || !wcscmp(cmd, L"send")) && argc >= 6) {
        UINT m = (UINT)wcstoul(argv[3], NULL, 0); WPARAM wp = (WPARAM)wcstoull(argv[4], NULL, 0); LPARAM lp = (LPARAM)wcstoll(argv[5], NULL, 0);
        if (!wcscmp(cmd, L"post")) return PostMessageW(h, m, wp, lp) ? 0 : 1;
        DWORD_PTR res = 0;
        if (!SendMessageTimeoutW(h, m, wp, lp, SMTO_ABORTIFHUNG, 2000, &res)) return 1;
        out(L"%lld\n", (long long)res); return 0;
    }
    if (!wcscmp(cmd, L"caret")) {
        GUITHREADINFO gti; memset(&gti, 0, sizeof gti); gti.cbSize = sizeof gti;
        if (!GetGUIThreadInfo(GetWindowThreadProcessId(h, NULL), &gti)) return 1;
        POINT p = {gti.rcCaret.left, gti.rcCaret.top};
        RECT cr = gti.rcCaret;
        if (gti.hwndCaret) { ClientToScreen(gti.hwndCaret, &p); MapWindowPoints(gti.hwndCaret, NULL, (POINT *)&cr, 2); }
        out(L"caret_screen=%ld,%ld caret_h=%ld caret_rect=%ld,%ld,%ld,%ld focus=0x%llx caretwnd=0x%llx active=0x%llx flags=0x%lx\n", p.x, p.y,
            gti.rcCaret.bottom - gti.rcCaret.top, cr.left, cr.top, cr.right, cr.bottom, (unsigned long long)(ULONG_PTR)gti.hwndFocus,
            (unsigned long long)(ULONG_PTR)gti.hwndCaret, (unsigned long long)(ULONG_PTR)gti.hwndActive, gti.flags);
        return gti.hwndCaret ? 0 : 3;
    }
    out(L"bad command\n"); return 64;
}
