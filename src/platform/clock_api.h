#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace kv {

class IClock {
public:
    virtual ~IClock() = default;
    virtual std::uint64_t NowMs() const = 0;
    // Blocks the thread without dispatching messages.
    virtual void Sleep(std::uint32_t ms) = 0;
    // Sleeps so that queued asynchronous calls may run.
    virtual void SleepAlertable(std::uint32_t ms) = 0;
    // The local date and time as the user's short date format, a space, and the long time format.
    virtual std::u16string LocalDateTimeText() const = 0;
};

using TimerId = std::uint32_t;
using PostedWorkId = std::uint32_t;

// The GUI thread's message loop and timers.
class IMessageLoop {
public:
    virtual ~IMessageLoop() = default;
    // Returns when Quit was called (at once when it already was).
    virtual void Run() = 0;
    virtual void Quit() = 0;
    virtual bool QuitRequested() const = 0;
    // Dispatches what is pending now, without waiting.
    virtual void ProcessPendingMessages() = 0;
    // Blocks until a message or timer is due for this thread, or `timeoutMs` passed.
    virtual void WaitForMessages(std::uint32_t timeoutMs) = 0;
    // Repeating timer on the GUI thread; the callback may stop it.
    virtual TimerId StartTimer(std::uint32_t intervalMs, std::function<void()> onTick) = 0;
    virtual void StopTimer(TimerId id) = 0;
    // Pauses or resumes a started timer; resuming counts a full interval from now. Allocates
    // nothing, so the keyboard hook may call it.
    virtual void EnableTimer(TimerId id, bool enabled) = 0;
    // Work that runs once on the GUI thread for each PostWork, when the posted message is taken
    // from the queue: after what was queued before it, before any timer. Registering allocates;
    // PostWork does not, so the keyboard hook posts its follow-up work this way. Posting work that
    // is already posted and not yet run changes nothing.
    virtual PostedWorkId RegisterPostedWork(std::function<void()> work) = 0;
    virtual void UnregisterPostedWork(PostedWorkId id) = 0;
    virtual void PostWork(PostedWorkId id) = 0;
};

}  // namespace kv
