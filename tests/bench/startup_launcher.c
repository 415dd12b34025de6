/* The launcher of tests/bench/startup_memory.sh: runs inside the Wine prefix and starts two
 * programs alternately with CreateProcess, timing each start until Log.txt beside the program
 * holds the "Run" line (both write it just before their message loop). Started from a program
 * already running in the prefix, a start does not pay for Wine's own start from the shell, which
 * is the same for both programs and would dilute their ratio.
 *
 *   startup_launcher.exe RUNS PAUSE_MS BASE_CLASS BASE_EXE SUBJECT_CLASS SUBJECT_EXE [ARG...]
 *
 * One uncounted start of each comes first (it fills Wine's caches and, for a program without
 * settings, leaves the settings of a first start). After each start, once the program has run
 * for a second, its window of the given class is closed as a user closes it (WM_CLOSE) and the
 * process is ended if it is still there 5 s later; then the launcher pauses PAUSE_MS so that
 * Wine has finished with one program before the next starts. Prints each run, then min, median
 * and max of both and the ratios, also of the time the programs ran on a processor until their
 * "Run" line. A benchmark: it asserts nothing. */
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#define MAX_RUNS 200
#define RUN_TIMEOUT_MS 20000
#define SETTLE_MS 1000
#define CLOSE_TIMEOUT_MS 5000

typedef struct {
    const wchar_t* name;
    const wchar_t* windowClass;
    wchar_t exe[MAX_PATH];
    wchar_t folder[MAX_PATH];
    wchar_t log[MAX_PATH];
    wchar_t commandLine[4096];
    double times[MAX_RUNS];
    double cpuTimes[MAX_RUNS];
    int count;
} Program;

static void DescribeProgram(Program* program, const wchar_t* name, const wchar_t* windowClass, wchar_t** args, int argCount) {
    program->name = name;
    program->windowClass = windowClass;
    program->count = 0;
    GetFullPathNameW(args[0], MAX_PATH, program->exe, NULL);
    lstrcpyW(program->folder, program->exe);
    wchar_t* slash = wcsrchr(program->folder, L'\\');
    if (slash) *slash = 0;
    swprintf(program->log, MAX_PATH, L"%ls\\Log.txt", program->folder);
    swprintf(program->commandLine, 4096, L"\"%ls\"", program->exe);
    for (int i = 1; i < argCount; ++i) {
        size_t used = wcslen(program->commandLine);
        swprintf(program->commandLine + used, 4096 - used, L" %ls", args[i]);
    }
}

static double NowMs(void) {
    static LARGE_INTEGER frequency;
    if (!frequency.QuadPart) QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return (double)now.QuadPart * 1000.0 / (double)frequency.QuadPart;
}

static BOOL LogHoldsRunLine(const wchar_t* path) {
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return FALSE;
    static char text[65536];
    DWORD read = 0;
    BOOL ok = ReadFile(file, text, sizeof text - 1, &read, NULL);
    CloseHandle(file);
    if (!ok) return FALSE;
    text[read] = 0;
    return strstr(text, " : Run\r\n") != NULL;
}

typedef struct {
    DWORD processId;
    const wchar_t* windowClass;
} CloseRequest;

static BOOL CALLBACK CloseIfOurs(HWND window, LPARAM lParam) {
    const CloseRequest* request = (const CloseRequest*)lParam;
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t name[256];
    if (owner == request->processId && GetClassNameW(window, name, 256) && lstrcmpW(name, request->windowClass) == 0) {
        PostMessageW(window, WM_CLOSE, 0, 0);
    }
    return TRUE;
}

static double ProcessorMs(HANDLE process) {
    FILETIME created, ended, kernel, user;
    if (!GetProcessTimes(process, &created, &ended, &kernel, &user)) return -1;
    ULARGE_INTEGER k = {{kernel.dwLowDateTime, kernel.dwHighDateTime}}, u = {{user.dwLowDateTime, user.dwHighDateTime}};
    return (double)(k.QuadPart + u.QuadPart) / 10000.0;
}

/* Milliseconds from CreateProcess to the "Run" line, a negative value when it never came; and in
 * `cpuMs` the time the program's threads had run on a processor by then, which other work on a
 * shared machine disturbs less than the wall time. */
static double StartOnce(const Program* program, double* cpuMs) {
    DeleteFileW(program->log);
    STARTUPINFOW startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    wchar_t commandLine[4096];
    lstrcpyW(commandLine, program->commandLine);
    const double start = NowMs();
    if (!CreateProcessW(program->exe, commandLine, NULL, NULL, FALSE, 0, NULL, program->folder, &startup, &process)) {
        fwprintf(stderr, L"cannot start %ls: error %lu\n", program->exe, GetLastError());
        return -1;
    }
    double elapsed = -1;
    for (;;) {
        if (LogHoldsRunLine(program->log)) {
            elapsed = NowMs() - start;
            if (cpuMs) *cpuMs = ProcessorMs(process.hProcess);
            break;
        }
        if (NowMs() - start > RUN_TIMEOUT_MS) break;
        /* The wait is the poll's pause; a program that ended writes no "Run" line any more. */
        if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) break;
    }
    /* Closed as a user closes it: a program killed with its hooks set slows the next start. */
    WaitForSingleObject(process.hProcess, SETTLE_MS);
    CloseRequest request = {process.dwProcessId, program->windowClass};
    EnumWindows(CloseIfOurs, (LPARAM)&request);
    if (WaitForSingleObject(process.hProcess, CLOSE_TIMEOUT_MS) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, CLOSE_TIMEOUT_MS);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return elapsed;
}

static void RunCounted(Program* program, DWORD pauseMs) {
    double cpuMs = -1;
    const double elapsed = StartOnce(program, &cpuMs);
    if (elapsed < 0) {
        wprintf(L"  %-8ls no 'Run' line within %d s: not counted\n", program->name, RUN_TIMEOUT_MS / 1000);
    } else {
        program->times[program->count] = elapsed;
        program->cpuTimes[program->count++] = cpuMs;
        wprintf(L"  %-8ls CreateProcess to Run %6.0f ms (on a processor %4.0f ms)\n", program->name, elapsed, cpuMs);
    }
    fflush(stdout);
    Sleep(pauseMs);
}

static int CompareTimes(const void* a, const void* b) {
    const double x = *(const double*)a, y = *(const double*)b;
    return (x > y) - (x < y);
}

static double Median(const double* sorted, int count) {
    return count % 2 ? sorted[count / 2] : (sorted[count / 2 - 1] + sorted[count / 2]) / 2;
}

static void PrintSummary(Program* base, Program* subject) {
    wprintf(L"\n%-8ls %4ls %8ls %8ls %8ls   (CreateProcess to Run, launched inside Wine)\n", L"program", L"runs", L"min",
            L"median", L"max");
    Program* programs[2] = {base, subject};
    for (int i = 0; i < 2; ++i) {
        Program* p = programs[i];
        if (!p->count) {
            wprintf(L"%-8ls %4d %8ls %8ls %8ls\n", p->name, 0, L"-", L"-", L"-");
            continue;
        }
        qsort(p->times, (size_t)p->count, sizeof p->times[0], CompareTimes);
        qsort(p->cpuTimes, (size_t)p->count, sizeof p->cpuTimes[0], CompareTimes);
        wprintf(L"%-8ls %4d %5.0f ms %5.0f ms %5.0f ms   on a processor: min %.0f ms, median %.0f ms\n", p->name, p->count,
                p->times[0], Median(p->times, p->count), p->times[p->count - 1], p->cpuTimes[0],
                Median(p->cpuTimes, p->count));
    }
    if (base->count && subject->count) {
        wprintf(L"%ls against %ls, launched inside Wine: start-up %.2fx by the medians, %.2fx by the minima (budget 2x)\n",
                subject->name, base->name, Median(subject->times, subject->count) / Median(base->times, base->count),
                subject->times[0] / base->times[0]);
        wprintf(L"on a processor: %.2fx by the medians\n",
                Median(subject->cpuTimes, subject->count) / Median(base->cpuTimes, base->count));
    }
}

int wmain(int argc, wchar_t** argv) {
    if (argc < 7) {
        fwprintf(stderr, L"usage: startup_launcher RUNS PAUSE_MS BASE_CLASS BASE_EXE SUBJECT_CLASS SUBJECT_EXE [ARG...]\n");
        return 2;
    }
    int runs = _wtoi(argv[1]);
    if (runs < 1) runs = 1;
    if (runs > MAX_RUNS) runs = MAX_RUNS;
    const DWORD pauseMs = (DWORD)_wtoi(argv[2]);
    static Program base, subject;
    DescribeProgram(&base, L"bare", argv[3], argv + 4, 1);
    DescribeProgram(&subject, L"Tolvex", argv[5], argv + 6, argc - 6);

    StartOnce(&base, NULL);
    Sleep(pauseMs);
    StartOnce(&subject, NULL);
    Sleep(pauseMs);
    for (int round = 0; round < runs; ++round) {
        /* Each goes first in every other round, so that neither always follows the other. */
        Program* first = round % 2 ? &subject : &base;
        Program* second = round % 2 ? &base : &subject;
        RunCounted(first, pauseMs);
        RunCounted(second, pauseMs);
    }
    PrintSummary(&base, &subject);
    return 0;
}
