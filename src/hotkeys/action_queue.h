#pragma once

namespace kv {

class TKvAction;

// The hand-over from the keyboard hook to the action executor: at most one action waits at a
// time. The program owns one, shared by the action list, the hook, the executor and the tray.
struct TActionQueue {
    // The action the executor runs next; not owned.
    const TKvAction* Current = nullptr;
    // Set by a hotkey match until the hook has started the executor's timer.
    bool ActionPending = false;
};

// Runs the queued action later, outside the keyboard hook. Called from inside the hook: returns
// at once and allocates nothing.
class IActionScheduler {
public:
    virtual ~IActionScheduler() = default;
    virtual void ScheduleQueuedAction() = 0;
};

}  // namespace kv
