#include "app/app_message_dispatch.h"

#include "activation/activation.h"
#include "common/messages.h"
#include "foreground/foreground_tracker.h"
#include "switching/layout_switcher.h"
#include "keyboard/typing_run.h"
#include "platform/win_constants.h"
#include "ports/caret_flag_port.h"
#include "ports/tray_port.h"
#include "settings/preset.h"

namespace kv {

namespace {
constexpr std::uint32_t kPopupActionsMs = 2000;
}  // namespace

ApplicationMessages::~ApplicationMessages() { SetActionsMenuTimer(false); }

bool ApplicationMessages::Dispatch(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    switch (message) {
        case msg::kLayoutChanged:
            t_.switcher.OnLayoutReported(static_cast<LayoutHandle>(lParam));
            // A switch the program asked for breaks the typing run it came from.
            if (t_.switcher.SwitchAcknowledged()) t_.typed.ResetTypedBuffer();
            return true;
        case msg::kSwitchAcknowledged:
            t_.switcher.OnSwitchAcknowledged(lParam == msg::kThroughHost32);
            return true;
        case msg::kForegroundChanged:
            t_.foreground.TrackForeground(static_cast<WindowHandle>(wParam));
            if (wParam == 0) t_.activation.KeepPanelOnTop();
            return true;
        case msg::kCaretActivity:
        case msg::kCaretMovedTo:  // the point is not used
            RestartCaretFlag();
            return true;
        case msg::kCaretActivityResetTyped:
            RestartCaretFlag();
            t_.typed.ResetTypedBuffer();
            return true;
        case msg::kLibraryIdle:
            return true;
        case msg::kActionsMenuTimerStart:
        case msg::kActionsMenuTimerStop:
            SetActionsMenuTimer(message == msg::kActionsMenuTimerStart);
            return true;
        case msg::kSecondInstance:
            t_.trayMenus.OnSecondInstance();
            return true;
        case win::kWmWtsSessionChange:
        case win::kWmPowerBroadcast:
            t_.activation.Watchdog().OnSystemNotification(message, wParam);
            return false;
        default:
            return false;
    }
}

void ApplicationMessages::RestartCaretFlag() {
    if (t_.preset.ShowCaretFlag()) t_.caretFlag.CaretFlagOn(true);
}

void ApplicationMessages::SetActionsMenuTimer(bool on) {
    if (popupActionsTimer_) t_.loop.StopTimer(*popupActionsTimer_);
    popupActionsTimer_.reset();
    if (!on) return;
    popupActionsTimer_ = t_.loop.StartTimer(kPopupActionsMs, [this] {
        SetActionsMenuTimer(false);
        t_.trayMenus.PopupActionsMenu();
    });
}

}  // namespace kv
