#include "hooklib/pointer_events.h"

#include "common/messages.h"
#include "hooklib/notifications.h"
#include "hooklib/shared_state.h"

namespace kv::hooklib {
namespace {

LONG Distance(LONG a, LONG b) noexcept { return a > b ? a - b : b - a; }

void StartLongPress(POINT at) noexcept {
    // The program's own windows have buttons of their own to hold.
    if (InOwnerProcess()) return;
    SharedState& shared = Shared();
    Store(shared.pressX, at.x);
    Store(shared.pressY, at.y);
    Store(shared.pressArmed, 1);
    Notify(msg::kActionsMenuTimerStart);
}

bool LeftDragThreshold(POINT at) noexcept {
    const SharedState& shared = Shared();
    return Distance(at.x, Load(shared.pressX)) > GetSystemMetrics(SM_CXDRAG) ||
           Distance(at.y, Load(shared.pressY)) > GetSystemMetrics(SM_CYDRAG);
}

}  // namespace

void CancelLongPress() noexcept {
    if (Load(Shared().pressArmed) && Exchange(Shared().pressArmed, 0)) Notify(msg::kActionsMenuTimerStop);
}

void OnInputMessage(const MSG& message) noexcept {
    switch (message.message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (!OnForegroundThread()) return;
            // A click moves the caret: what was typed before no longer ends at it.
            Notify(msg::kCaretActivityResetTyped);
            StartLongPress(message.pt);
            return;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            if (OnForegroundThread()) Notify(msg::kCaretActivityResetTyped);
            return;
        case WM_LBUTTONUP:
            CancelLongPress();
            // The caret rests where the click or the selection ended.
            if (OnForegroundThread())
                Notify(msg::kCaretMovedTo, 0, MAKELPARAM(LOWORD(message.pt.x), LOWORD(message.pt.y)));
            return;
        case WM_MOUSEMOVE:
            if (Load(Shared().pressArmed) && LeftDragThreshold(message.pt)) CancelLongPress();
            return;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            CancelLongPress();
            return;
        case WM_MOUSEWHEEL:
            // Scrolling carries the caret to another place on the screen.
            if (OnForegroundThread()) Notify(msg::kCaretActivity);
            return;
        default:
            return;
    }
}

}  // namespace kv::hooklib
