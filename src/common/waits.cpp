#include "common/waits.h"

#include "platform/platform.h"

namespace kv {

namespace {
constexpr std::uint32_t kPumpSliceMs = 10;
constexpr double kIdleCpuPercent = 0.1;
}  // namespace

void WaitPumping(Platform& platform, std::uint32_t ms) {
    const std::uint64_t start = platform.clock.NowMs();
    while (platform.clock.NowMs() - start < ms) {
        platform.clock.SleepAlertable(kPumpSliceMs);
        platform.loop.ProcessPendingMessages();
    }
}

bool PumpUntil(Platform& platform, std::uint32_t limitMs, const std::function<bool()>& done) {
    return PumpUntil(platform.loop, platform.clock, limitMs, done);
}

bool PumpUntil(IMessageLoop& loop, IClock& clock, std::uint32_t limitMs, const std::function<bool()>& done) {
    const std::uint64_t start = clock.NowMs();
    loop.ProcessPendingMessages();
    while (!done()) {
        const std::uint64_t elapsed = clock.NowMs() - start;
        if (elapsed >= limitMs) return false;
        loop.WaitForMessages(static_cast<std::uint32_t>(limitMs - elapsed));
        loop.ProcessPendingMessages();
    }
    return true;
}

double GetProcessCpuTime(const Platform& platform, WindowHandle window) {
    std::uint32_t processId = 0;
    platform.windows.WindowThreadProcessId(window, &processId);
    return processId ? platform.processes.ProcessCpuTimeMs(processId) : 0.0;
}

void WaitForForegroundIdle(Platform& platform, std::uint32_t stepMs, std::uint32_t limitMs) {
    if (stepMs < kPumpSliceMs) stepMs = kPumpSliceMs;
    const WindowHandle window = platform.windows.ForegroundWindow();
    if (window == kNoWindow) return;
    const std::uint64_t start = platform.clock.NowMs();
    double before = GetProcessCpuTime(platform, window);
    while (platform.clock.NowMs() - start < limitMs) {
        WaitPumping(platform, stepMs);
        const double after = GetProcessCpuTime(platform, window);
        if ((after - before) * 100.0 / stepMs < kIdleCpuPercent) return;
        before = after;
    }
}

}  // namespace kv
