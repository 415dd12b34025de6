#pragma once
#include <cstdint>
#include <functional>

#include "platform/types.h"

namespace kv {

struct Platform;
class IClock;
class IMessageLoop;

// Waits that keep the GUI thread's messages, timers and hook callbacks flowing.
// They sleep between checks; none spins.
void WaitPumping(Platform& platform, std::uint32_t ms);
// Dispatches messages as they arrive until `done` holds or `limitMs` passed; true when done.
bool PumpUntil(Platform& platform, std::uint32_t limitMs, const std::function<bool()>& done);
bool PumpUntil(IMessageLoop& loop, IClock& clock, std::uint32_t limitMs, const std::function<bool()>& done);
// Kernel plus user time of the window's process, in milliseconds.
double GetProcessCpuTime(const Platform& platform, WindowHandle window);
// Until the foreground application uses (almost) no CPU for one step, or `limitMs` passed.
void WaitForForegroundIdle(Platform& platform, std::uint32_t stepMs, std::uint32_t limitMs);

}  // namespace kv
