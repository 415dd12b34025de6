#pragma once
// The one table of the messages the application window and the forms hand to the program: the
// hook library's notifications, a second start of the program, and the system's session and
// power events that can drop the hooks. Each message reaches its part directly.
#include <cstdint>
#include <optional>

#include "platform/clock_api.h"

namespace kv {

class Activation;
class ForegroundTracker;
class ICaretFlagPort;
class ITrayMenus;
class LayoutSwitcher;
class TPreset;
class TypingRun;

struct ApplicationMessageTargets {
    LayoutSwitcher& switcher;
    TypingRun& typed;
    ForegroundTracker& foreground;
    Activation& activation;
    ICaretFlagPort& caretFlag;
    const TPreset& preset;
    ITrayMenus& trayMenus;
    IMessageLoop& loop;
};

class ApplicationMessages {
public:
    explicit ApplicationMessages(ApplicationMessageTargets targets) : t_(targets) {}
    ~ApplicationMessages();
    ApplicationMessages(const ApplicationMessages&) = delete;
    ApplicationMessages& operator=(const ApplicationMessages&) = delete;

    // True when the message was the program's; the system's own handling of a session or power
    // event goes on.
    bool Dispatch(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);

private:
    void RestartCaretFlag();
    // The library asks for the actions menu after a pause (1192) or takes the request back (1193).
    void SetActionsMenuTimer(bool on);

    ApplicationMessageTargets t_;
    std::optional<TimerId> popupActionsTimer_;
};

}  // namespace kv
