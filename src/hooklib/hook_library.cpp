// KarmuxH.dll, the hook library. Hook(window) puts two message hooks into every application of
// the library's bitness and two out-of-context window-event hooks on the caller's thread; every
// notification is posted to `window`, never sent. UnHook removes them all, and applications
// drop the library at their next message.
//
// HookThreadsInFront(window) is Hook for a library that shares the desktop with the program's
// own library of the other bitness (the 32-bit host on 64-bit Windows): its message hooks go
// only onto the threads of its bitness that come to the front (see thread_hooks.h), and it
// leaves the reports of the window in front to the program's library, which sees every
// application through its window events.
//
// Which events post which notification:
//   1174  the layout of the thread in front: after each 1185; on WM_INPUTLANGCHANGE in the
//         thread in front (once per change); for every honoured 1175, even when unchanged.
//   1175  (from the program) honoured in the receiving window's thread while it is in front:
//         the layout is activated there, then 1174 and only after it 1176 are posted.
//   1176  answers an honoured 1175.
//   1185  another window came to the front: WM_ACTIVATE in a hooked thread, or the foreground
//         and focus window events, which also see applications the hooks cannot enter.
//         wParam is 0 for the desktop or when no window is in front. Posted once per change,
//         and once at Hook for the window in front then.
//   1186  the window in front ended a move or resize, or the mouse wheel scrolled it.
//   1187  a mouse button went down in the client area of the window in front, or the focus
//         moved to another control of the application in front.
//   1188  never.
//   1189  the left button came up in the window in front: the caret settled there; lParam is
//         the pointer's screen position.
//   1192  the left button went down in the client area of another application's window in
//         front: a long press begins, the program opens its actions menu if it lasts.
//   1193  that press ended: button up, the pointer left the drag rectangle, a key went down,
//         another window came to the front, or UnHook.
//
// The code runs inside foreign processes, so it has no C runtime, allocates nothing, throws
// nothing, waits for nobody and always passes messages on; only our own 1175 is taken from
// the window it was posted to (see message_hooks.cpp).
#include <windows.h>

#include "hooklib/message_hooks.h"
#include "hooklib/notifications.h"
#include "hooklib/pointer_events.h"
#include "hooklib/shared_state.h"
#include "hooklib/thread_hooks.h"
#include "hooklib/window_events.h"

namespace kv::hooklib {
namespace {

// Per process, set once when the library is mapped: the module the hooks live in.
HINSTANCE g_module = nullptr;

bool ProcessAlive(DWORD processId) noexcept {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    if (!process) return GetLastError() == ERROR_ACCESS_DENIED;
    const bool alive = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return alive;
}

void RemoveHooks() noexcept {
    SharedState& shared = Shared();
    if (LONG hook = Exchange(shared.getMessageHook, 0)) UnhookWindowsHookEx(ToHandle<HHOOK>(hook));
    if (LONG hook = Exchange(shared.callWndProcHook, 0)) UnhookWindowsHookEx(ToHandle<HHOOK>(hook));
    if (LONG hook = Exchange(shared.foregroundEventHook, 0)) UnhookWinEvent(ToHandle<HWINEVENTHOOK>(hook));
    if (LONG hook = Exchange(shared.focusEventHook, 0)) UnhookWinEvent(ToHandle<HWINEVENTHOOK>(hook));
    RemoveThreadHooks();
}

void Release() noexcept {
    CancelLongPress();
    // First, so that hook procedures still running elsewhere post nothing more.
    Store(Shared().appWindow, 0);
    RemoveHooks();
    Store(Shared().ownerProcess, 0);
}

// Delivered to this thread through its message queue, from every process. True when both came.
bool WatchWindowEvents() noexcept {
    SharedState& shared = Shared();
    const auto watch = [](DWORD event) {
        return FromHandle(SetWinEventHook(event, event, nullptr, WindowEventProc, 0, 0, WINEVENT_OUTOFCONTEXT));
    };
    Store(shared.foregroundEventHook, watch(EVENT_SYSTEM_FOREGROUND));
    Store(shared.focusEventHook, watch(EVENT_OBJECT_FOCUS));
    return Load(shared.foregroundEventHook) && Load(shared.focusEventHook);
}

bool InstallEverywhere() noexcept {
    SharedState& shared = Shared();
    Store(shared.getMessageHook, FromHandle(SetWindowsHookExW(WH_GETMESSAGE, GetMessageHookProc, g_module, 0)));
    Store(shared.callWndProcHook, FromHandle(SetWindowsHookExW(WH_CALLWNDPROC, CallWndProcHookProc, g_module, 0)));
    if (!Load(shared.getMessageHook) || !Load(shared.callWndProcHook)) return false;
    // Best effort: the message hooks alone still cover every application they can enter.
    WatchWindowEvents();
    return true;
}

// The window events are what leads the hooks to the threads here, so they are not optional.
bool InstallInFront() noexcept {
    if (!WatchWindowEvents()) return false;
    HookThreadOf(GetForegroundWindow());
    return true;
}

enum class Reach { kEveryApplication, kThreadsInFront };

// A second call from the same process starts over; a call from another process is refused
// while the process that hooked is still running. The window must be the caller's own, so that
// no process can send another's notifications elsewhere.
BOOL Start(HWND appWindow, Reach reach) noexcept {
    if (!g_module || !IsWindow(appWindow)) return FALSE;
    DWORD windowProcess = 0;
    if (!GetWindowThreadProcessId(appWindow, &windowProcess) || windowProcess != GetCurrentProcessId()) return FALSE;
    SharedState& shared = Shared();
    const DWORD owner = static_cast<DWORD>(Load(shared.ownerProcess));
    if (owner == GetCurrentProcessId()) {
        Release();
    } else if (owner != 0 && Load(shared.appWindow) && ProcessAlive(owner)) {
        return FALSE;
    }
    Store(shared.ownerProcess, static_cast<LONG>(GetCurrentProcessId()));
    Store(shared.lastForeground, 0);
    Store(shared.lastLayout, 0);
    Store(shared.pressArmed, 0);
    Store(shared.threadsInFrontOnly, reach == Reach::kThreadsInFront ? 1 : 0);
    Store(shared.appWindow, FromHandle(appWindow));
    if (!(reach == Reach::kThreadsInFront ? InstallInFront() : InstallEverywhere())) {
        Release();
        return FALSE;
    }
    if (reach == Reach::kEveryApplication) ReportForeground();
    return TRUE;
}

}  // namespace

HINSTANCE HookModule() noexcept { return g_module; }

}  // namespace kv::hooklib

using namespace kv::hooklib;

extern "C" BOOL WINAPI Hook(HWND appWindow) noexcept { return Start(appWindow, Reach::kEveryApplication); }

extern "C" BOOL WINAPI HookThreadsInFront(HWND appWindow) noexcept {
    return Start(appWindow, Reach::kThreadsInFront);
}

extern "C" void WINAPI UnHook() noexcept {
    if (InOwnerProcess()) Release();
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) noexcept {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr && InOwnerProcess()) {
        // Freed without UnHook: the window-event hooks would call into unmapped code.
        Release();
    }
    return TRUE;
}
