#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "platform/clock_api.h"

namespace kv {

class IRegistry;

// Windows takes a low-level keyboard hook out of its chain without telling anyone when one call
// of it does not return within the system's time-out, as happens when the GUI thread was stuck
// while the user typed; a locked session or a sleep can cost the program its hooks as well. The
// watchdog notices those moments (a session unlock, a resume, and its own heartbeat coming late
// because the message loop stalled) and has the hooks put back.
class HookWatchdog {
public:
    enum class Cause { SessionUnlocked, Resumed, LoopStalled };

    HookWatchdog(IMessageLoop& loop, const IClock& clock, std::function<void(Cause)> reinstall);
    ~HookWatchdog();
    HookWatchdog(const HookWatchdog&) = delete;
    HookWatchdog& operator=(const HookWatchdog&) = delete;

    // Watches while the hooks are installed; a stall longer than `hookTimeoutMs` counts.
    void Start(std::uint32_t hookTimeoutMs);
    void Stop();
    bool Watching() const { return heartbeat_.has_value(); }
    // How long the loop stood still before the last beat that came late.
    std::uint64_t LastStallMs() const { return lastStallMs_; }
    // WM_WTSSESSION_CHANGE and WM_POWERBROADCAST of the application window; others are ignored.
    void OnSystemNotification(std::uint32_t message, std::uintptr_t wParam);
    // Runs on every beat while watching: the helpers the hooks depend on are checked too.
    void CheckOnEachBeat(std::function<void()> check) { checkOnBeat_ = std::move(check); }

private:
    void Beat();

    IMessageLoop& loop_;
    const IClock& clock_;
    std::function<void(Cause)> reinstall_;
    std::function<void()> checkOnBeat_;
    std::optional<TimerId> heartbeat_;
    std::uint32_t hookTimeoutMs_ = 0;
    std::uint64_t lastBeat_ = 0;
    std::uint64_t lastStallMs_ = 0;
};

std::u16string_view CauseText(HookWatchdog::Cause cause);

// The system's time-out for one call of a low-level hook (LowLevelHooksTimeout, a number or a
// text), kept within what Windows honours: newer Windows caps it at a second.
std::uint32_t ReadLowLevelHookTimeout(IRegistry& registry);

}  // namespace kv
