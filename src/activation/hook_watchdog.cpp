#include "activation/hook_watchdog.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "platform/registry_api.h"
#include "platform/win_constants.h"

namespace kv {

namespace {

constexpr std::u16string_view kDesktopKey = u"Control Panel\\Desktop";
constexpr std::uint32_t kDefaultHookTimeoutMs = 300;
// Below this a heartbeat would wake the program too often; above it Windows uses its cap.
constexpr std::uint32_t kShortestHookTimeoutMs = 200;
constexpr std::uint32_t kLongestHookTimeoutMs = 1000;

std::uint32_t ParseMilliseconds(std::u16string_view text) {
    std::uint32_t value = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') return 0;
        value = value * 10 + static_cast<std::uint32_t>(c - u'0');
        if (value > kLongestHookTimeoutMs) return kLongestHookTimeoutMs;
    }
    return value;
}

}  // namespace

HookWatchdog::HookWatchdog(IMessageLoop& loop, const IClock& clock, std::function<void(Cause)> reinstall)
    : loop_(loop), clock_(clock), reinstall_(std::move(reinstall)) {}

HookWatchdog::~HookWatchdog() { Stop(); }

void HookWatchdog::Start(std::uint32_t hookTimeoutMs) {
    Stop();
    hookTimeoutMs_ = hookTimeoutMs;
    lastBeat_ = clock_.NowMs();
    // Twice per time-out: a stall that long cannot fall between two beats unseen.
    heartbeat_ = loop_.StartTimer(hookTimeoutMs / 2, [this] { Beat(); });
}

void HookWatchdog::Stop() {
    if (heartbeat_) loop_.StopTimer(*heartbeat_);
    heartbeat_.reset();
}

void HookWatchdog::Beat() {
    const std::uint64_t now = clock_.NowMs();
    const std::uint64_t gap = now - lastBeat_;
    lastBeat_ = now;
    if (checkOnBeat_) checkOnBeat_();
    if (gap <= hookTimeoutMs_) return;
    lastStallMs_ = gap;
    reinstall_(Cause::LoopStalled);
}

void HookWatchdog::OnSystemNotification(std::uint32_t message, std::uintptr_t wParam) {
    if (!Watching()) return;
    if (message == win::kWmWtsSessionChange && wParam == win::kWtsSessionUnlock) {
        reinstall_(Cause::SessionUnlocked);
    } else if (message == win::kWmPowerBroadcast &&
               (wParam == win::kPbtApmResumeAutomatic || wParam == win::kPbtApmResumeSuspend)) {
        reinstall_(Cause::Resumed);
    }
}

std::u16string_view CauseText(HookWatchdog::Cause cause) {
    switch (cause) {
        case HookWatchdog::Cause::SessionUnlocked: return u"the session was unlocked";
        case HookWatchdog::Cause::Resumed: return u"the system resumed";
        case HookWatchdog::Cause::LoopStalled: return u"the message loop stalled";
    }
    return u"";
}

std::uint32_t ReadLowLevelHookTimeout(IRegistry& registry) {
    std::uint32_t timeout = 0;
    try {
        const std::unique_ptr<IRegistryKey> key = registry.OpenCurrentUserKey(kDesktopKey);
        if (const std::optional<RegistryValue> value = key->ReadValue(u"LowLevelHooksTimeout")) {
            if (value->type == RegistryType::Dword) timeout = value->dword;
            if (value->type == RegistryType::String) timeout = ParseMilliseconds(value->text);
        }
    } catch (...) {
        // Unreadable: the system's default applies.
    }
    if (timeout == 0) return kDefaultHookTimeoutMs;
    return std::clamp(timeout, kShortestHookTimeoutMs, kLongestHookTimeoutMs);
}

}  // namespace kv
