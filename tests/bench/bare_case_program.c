/* The yardstick of tests/bench/memory_loop.sh: the Windows calls of Tolvex's selection case
 * conversion and nothing else, so a loop of conversions under Wine shows whether growth of the
 * resident memory comes from Tolvex or from Wine. Left Win + Up upper-cases the selection, left
 * Win + Down lower-cases it: save every clipboard format, empty the clipboard, send Ctrl+C, wait
 * for text, write the converted text as CF_UNICODETEXT and CF_TEXT, send Ctrl+V, and 300 ms later
 * put the saved formats back. */
#include <windows.h>

#include "bare_run_line.h"

#define WM_CONVERT (WM_APP + 1)
#define RESTORE_TIMER 1
#define MAX_SAVED 64

typedef struct {
    UINT format;
    SIZE_T size;
    void* bytes;
} SavedFormat;

static HWND g_window;
static SavedFormat g_saved[MAX_SAVED];
static int g_savedCount;

static LRESULT CALLBACK WatchKeys(int code, WPARAM wParam, LPARAM lParam) {
    const KBDLLHOOKSTRUCT* key = (const KBDLLHOOKSTRUCT*)lParam;
    if (code == HC_ACTION && !(key->flags & LLKHF_INJECTED) && (wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN) &&
        (key->vkCode == VK_UP || key->vkCode == VK_DOWN) && (GetAsyncKeyState(VK_LWIN) & 0x8000)) {
        PostMessageW(g_window, WM_CONVERT, key->vkCode == VK_UP, 0);
        return 1;
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}

static void SendChord(WORD modifier, WORD key) {
    INPUT inputs[4] = {0};
    const WORD keys[4] = {modifier, key, key, modifier};
    for (int i = 0; i < 4; ++i) {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = keys[i];
        inputs[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
    }
    SendInput(4, inputs, sizeof(INPUT));
}

static void ReleaseWin(void) {
    INPUT up = {0};
    up.type = INPUT_KEYBOARD;
    up.ki.wVk = VK_LWIN;
    up.ki.dwFlags = KEYEVENTF_KEYUP | KEYEVENTF_EXTENDEDKEY;
    SendInput(1, &up, sizeof(INPUT));
}

static BOOL OpenClipboardSoon(void) {
    for (int i = 0; i < 10; ++i) {
        if (OpenClipboard(g_window)) return TRUE;
        Sleep(10);
    }
    return FALSE;
}

static void FreeSaved(void) {
    for (int i = 0; i < g_savedCount; ++i) HeapFree(GetProcessHeap(), 0, g_saved[i].bytes);
    g_savedCount = 0;
}

static void SaveAndEmpty(void) {
    FreeSaved();
    if (!OpenClipboardSoon()) return;
    for (UINT format = EnumClipboardFormats(0); format && g_savedCount < MAX_SAVED; format = EnumClipboardFormats(format)) {
        if (format == CF_BITMAP || format == CF_ENHMETAFILE || format == CF_PALETTE || format == CF_METAFILEPICT) continue;
        HANDLE data = GetClipboardData(format);
        const void* source = data ? GlobalLock(data) : NULL;
        if (!source) continue;
        SavedFormat* saved = &g_saved[g_savedCount];
        saved->format = format;
        saved->size = GlobalSize(data);
        saved->bytes = HeapAlloc(GetProcessHeap(), 0, saved->size ? saved->size : 1);
        if (saved->bytes) {
            CopyMemory(saved->bytes, source, saved->size);
            ++g_savedCount;
        }
        GlobalUnlock(data);
    }
    EmptyClipboard();
    CloseClipboard();
}

static void PutBytes(UINT format, const void* bytes, SIZE_T size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size ? size : 1);
    if (!block) return;
    void* target = GlobalLock(block);
    CopyMemory(target, bytes, size);
    GlobalUnlock(block);
    if (!SetClipboardData(format, block)) GlobalFree(block);
}

/* Pumps messages until the clipboard holds text, at most 300 ms, as Tolvex waits for the copy. */
static BOOL WaitForText(void) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (IsClipboardFormatAvailable(CF_UNICODETEXT)) return TRUE;
        const DWORD spent = GetTickCount() - start;
        if (spent >= 300) return FALSE;
        MsgWaitForMultipleObjects(0, NULL, FALSE, 300 - spent, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

static void Convert(BOOL upper) {
    ReleaseWin();
    SaveAndEmpty();
    SendChord(VK_CONTROL, 'C');
    if (WaitForText() && OpenClipboardSoon()) {
        HANDLE data = GetClipboardData(CF_UNICODETEXT);
        const wchar_t* text = data ? (const wchar_t*)GlobalLock(data) : NULL;
        if (text) {
            const int length = lstrlenW(text);
            wchar_t* converted = (wchar_t*)HeapAlloc(GetProcessHeap(), 0, (length + 1) * sizeof(wchar_t));
            if (converted) {
                CopyMemory(converted, text, (length + 1) * sizeof(wchar_t));
                GlobalUnlock(data);
                text = NULL;
                if (upper) CharUpperBuffW(converted, length); else CharLowerBuffW(converted, length);
                const int ansiSize = WideCharToMultiByte(CP_ACP, 0, converted, -1, NULL, 0, NULL, NULL);
                char* ansi = (char*)HeapAlloc(GetProcessHeap(), 0, ansiSize > 0 ? ansiSize : 1);
                EmptyClipboard();
                PutBytes(CF_UNICODETEXT, converted, (length + 1) * sizeof(wchar_t));
                if (ansi && WideCharToMultiByte(CP_ACP, 0, converted, -1, ansi, ansiSize, NULL, NULL) > 0)
                    PutBytes(CF_TEXT, ansi, ansiSize);
                HeapFree(GetProcessHeap(), 0, ansi);
                HeapFree(GetProcessHeap(), 0, converted);
            }
        }
        if (text) GlobalUnlock(data);
        CloseClipboard();
        SendChord(VK_CONTROL, 'V');
    }
    SetTimer(g_window, RESTORE_TIMER, 300, NULL);
}

static void Restore(void) {
    KillTimer(g_window, RESTORE_TIMER);
    if (!OpenClipboardSoon()) return;
    EmptyClipboard();
    for (int i = 0; i < g_savedCount; ++i) PutBytes(g_saved[i].format, g_saved[i].bytes, g_saved[i].size);
    CloseClipboard();
    FreeSaved();
}

static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CONVERT: Convert((BOOL)wParam); return 0;
    case WM_TIMER: if (wParam == RESTORE_TIMER) Restore(); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
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
    windowClass.lpszClassName = L"BareCaseProgram";
    if (!RegisterClassW(&windowClass)) return 1;
    g_window = CreateWindowExW(0, L"BareCaseProgram", L"BareCaseProgram", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                               CW_USEDEFAULT, 320, 200, NULL, NULL, instance, NULL);
    if (!g_window) return 1;
    HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, WatchKeys, instance, 0);
    if (!hook) return 1;
    WriteRunLine();
    MSG message;
    while (GetMessageW(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    UnhookWindowsHookEx(hook);
    FreeSaved();
    return 0;
}
