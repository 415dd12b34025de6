#pragma once

namespace kv {

class TKvAction;

// The single slot through which a hotkey or the actions menu hands an action to the executor:
// it holds the action from the hand-over until the executor is done with it. Allocates nothing.
class ActionMailbox {
public:
    // False when an action already waits or runs; the new one is not carried out.
    bool Post(const TKvAction& action) noexcept {
        if (current_ != nullptr) return false;
        current_ = &action;
        return true;
    }
    // The action that waits or runs, not owned; null when the slot is free.
    const TKvAction* Current() const noexcept { return current_; }
    void Clear() noexcept { current_ = nullptr; }
    // The action list frees this action: it must never run.
    void Withdraw(const TKvAction* action) noexcept {
        if (current_ == action) current_ = nullptr;
    }

private:
    const TKvAction* current_ = nullptr;
};

// Runs the posted action later, on a timer of the GUI thread.
class IActionScheduler {
public:
    virtual ~IActionScheduler() = default;
    virtual void ScheduleQueuedAction() = 0;
};

}  // namespace kv
