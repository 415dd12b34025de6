#include "hooklib/window_events.h"

#include "common/messages.h"
#include "hooklib/notifications.h"
#include "hooklib/shared_state.h"
#include "hooklib/thread_hooks.h"

namespace kv::hooklib {

void CALLBACK WindowEventProc(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD thread,
                              DWORD) noexcept {
    if (Load(Shared().threadsInFrontOnly)) {
        // The program's own library reports these; here they only lead the hooks on.
        HookThreadOf(GetForegroundWindow());
        if (event == EVENT_OBJECT_FOCUS && window) HookThreadOf(window);
        return;
    }
    // Events arrive after the fact: what is in front now counts, not the event's window. Focus
    // moves with every activation, and some systems send no foreground event at all.
    if (ReportForeground() || event != EVENT_OBJECT_FOCUS) return;
    // Focus went to another control of the application in front (items inside a control
    // are not a new place to type).
    if (object != OBJID_CLIENT || child != CHILDID_SELF || !window) return;
    HWND foreground = GetForegroundWindow();
    if (foreground && GetWindowThreadProcessId(foreground, nullptr) == thread)
        Notify(msg::kCaretActivityResetTyped);
}

}  // namespace kv::hooklib
