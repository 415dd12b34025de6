#include "hooklib/message_hooks.h"

#include "common/messages.h"
#include "hooklib/layout_request.h"
#include "hooklib/notifications.h"
#include "hooklib/pointer_events.h"
#include "hooklib/shared_state.h"

namespace kv::hooklib {
namespace {

void OnMessageRetrieved(MSG& message) noexcept {
    // A hook of the other bitness runs in the process that installed it, on a copy of another
    // thread's message that goes back to that thread: neither answered nor taken here, or the
    // library of the window's own bitness would see it changed.
    if (message.hwnd && GetWindowThreadProcessId(message.hwnd, nullptr) != GetCurrentThreadId()) return;
    if (message.message == msg::kSwitchLayout) {
        if (!IsLayoutRequest(message)) return;
        HonourLayoutRequest(message);
        // Our request is not the window's business: a window class may give the same private
        // number a meaning of its own, so it gets a harmless WM_NULL instead.
        message.message = WM_NULL;
        return;
    }
    OnInputMessage(message);
}

void OnMessageSent(const CWPSTRUCT& sent) noexcept {
    switch (sent.message) {
        case WM_ACTIVATE:
            if (LOWORD(sent.wParam) == WA_INACTIVE) return;
            // Beside the program's own library, that one reports the window in front.
            if (Load(Shared().threadsInFrontOnly)) {
                CancelLongPress();
            } else {
                ReportForeground();
            }
            return;
        case WM_INPUTLANGCHANGE:
            // Windows pass this on to their children: report each change once.
            if (OnForegroundThread()) ReportLayout(reinterpret_cast<HKL>(sent.lParam), false);
            return;
        case WM_EXITSIZEMOVE:
            if (OnForegroundThread()) Notify(msg::kCaretActivity);
            return;
        default:
            return;
    }
}

}  // namespace

LRESULT CALLBACK GetMessageHookProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
    // Only messages leaving the queue: a peek without removal sees them a second time.
    if (code == HC_ACTION && wParam == PM_REMOVE && Hooked()) OnMessageRetrieved(*reinterpret_cast<MSG*>(lParam));
    return CallNextHookEx(ToHandle<HHOOK>(Load(Shared().getMessageHook)), code, wParam, lParam);
}

LRESULT CALLBACK CallWndProcHookProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
    if (code == HC_ACTION && Hooked()) OnMessageSent(*reinterpret_cast<const CWPSTRUCT*>(lParam));
    return CallNextHookEx(ToHandle<HHOOK>(Load(Shared().callWndProcHook)), code, wParam, lParam);
}

}  // namespace kv::hooklib
