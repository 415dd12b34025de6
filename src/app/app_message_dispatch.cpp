#include "app/app_message_dispatch.h"

#include "app/keyboard_engine.h"
#include "common/messages.h"

namespace kv {

bool DispatchLibraryMessage(KeyboardEngine& engine, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    switch (message) {
        case msg::kLayoutChanged:
            engine.Switcher().OnLayoutReported(static_cast<LayoutHandle>(lParam));
            // A switch the program asked for breaks the typing run it came from.
            if (engine.Switcher().SwitchAcknowledged()) engine.Typed().ResetTypedBuffer();
            return true;
        case msg::kSwitchAcknowledged:
            engine.Switcher().OnSwitchAcknowledged(lParam == msg::kThroughHost32);
            return true;
        case msg::kForegroundChanged:
            engine.Foreground().TrackForeground(static_cast<WindowHandle>(wParam));
            if (wParam == 0) engine.Switch().KeepPanelOnTop();
            return true;
        case msg::kCaretActivityResetTyped:
            engine.Typed().ResetTypedBuffer();
            return true;
        case msg::kCaretActivity:
        case msg::kCaretMovedTo:
        case msg::kLibraryIdle:
        case msg::kActionsMenuTimerStart:
        case msg::kActionsMenuTimerStop:
            // The caret flag and the actions menu that react to these come with their windows.
            return true;
        default:
            return false;
    }
}

}  // namespace kv
