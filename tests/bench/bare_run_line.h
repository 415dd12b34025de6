/* The "Run" line the bare programs of tests/bench write to Log.txt beside themselves just before
 * their message loop, in the format of Tolvex's debug log, so the scripts wait for both alike. */
#pragma once
#include <windows.h>

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
