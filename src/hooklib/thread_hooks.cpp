#include "hooklib/thread_hooks.h"

#include "hooklib/message_hooks.h"

namespace kv::hooklib {
namespace {

struct ThreadHooks {
    DWORD threadId;
    ULONGLONG created;  // thread ids are reused: the id alone does not name a thread
    HHOOK getMessage;
    HHOOK callWndProc;
};

// Enough for every application a user moves between; the oldest entry gives way after that.
constexpr int kMaxThreads = 32;

// Used only on the thread that hooked, from its window events and at UnHook.
ThreadHooks g_threads[kMaxThreads];
int g_nextSlot = 0;

using IsWow64Fn = BOOL(WINAPI*)(HANDLE, PBOOL);

// Looked up, not imported: the library also loads on systems that have no such function.
bool IsWow64(HANDLE process, bool& wow64) noexcept {
    const auto isWow64 = reinterpret_cast<IsWow64Fn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "IsWow64Process")));
    BOOL value = FALSE;
    if (isWow64 && !isWow64(process, &value)) return false;
    wow64 = value != FALSE;
    return true;
}

bool SameBitness(DWORD processId) noexcept {
    constexpr DWORD kQueryLimitedInformation = 0x1000;
    HANDLE process = OpenProcess(kQueryLimitedInformation, FALSE, processId);
    if (!process) return false;
    bool theirs = false, ours = false;
    const bool known = IsWow64(process, theirs) && IsWow64(GetCurrentProcess(), ours);
    CloseHandle(process);
    return known && theirs == ours;
}

ULONGLONG CreationTime(DWORD threadId) noexcept {
    constexpr DWORD kThreadQueryLimitedInformation = 0x0800;
    HANDLE thread = OpenThread(kThreadQueryLimitedInformation, FALSE, threadId);
    if (!thread) return 0;
    FILETIME created, exited, kernel, user;
    const BOOL read = GetThreadTimes(thread, &created, &exited, &kernel, &user);
    CloseHandle(thread);
    return read ? (static_cast<ULONGLONG>(created.dwHighDateTime) << 32) | created.dwLowDateTime : 0;
}

void Unhook(ThreadHooks& entry) noexcept {
    // Fails harmlessly once the thread has ended: its hooks went with it.
    if (entry.getMessage) UnhookWindowsHookEx(entry.getMessage);
    if (entry.callWndProc) UnhookWindowsHookEx(entry.callWndProc);
    entry = ThreadHooks{};
}

}  // namespace

void HookThreadOf(HWND window) noexcept {
    DWORD processId = 0;
    const DWORD threadId = window ? GetWindowThreadProcessId(window, &processId) : 0;
    if (!threadId || processId == GetCurrentProcessId() || !SameBitness(processId)) return;
    const ULONGLONG created = CreationTime(threadId);
    if (!created) return;
    for (const ThreadHooks& entry : g_threads) {
        if (entry.threadId == threadId && entry.created == created) return;
    }
    ThreadHooks& slot = g_threads[g_nextSlot];
    g_nextSlot = (g_nextSlot + 1) % kMaxThreads;
    Unhook(slot);
    slot.getMessage = SetWindowsHookExW(WH_GETMESSAGE, GetMessageHookProc, HookModule(), threadId);
    slot.callWndProc = SetWindowsHookExW(WH_CALLWNDPROC, CallWndProcHookProc, HookModule(), threadId);
    if (!slot.getMessage || !slot.callWndProc) {
        Unhook(slot);
        return;
    }
    slot.threadId = threadId;
    slot.created = created;
}

void RemoveThreadHooks() noexcept {
    for (ThreadHooks& entry : g_threads) Unhook(entry);
    g_nextSlot = 0;
}

}  // namespace kv::hooklib
