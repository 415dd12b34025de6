#pragma once
// Runs a step on every way out of a scope, for the few undo steps that have no owner object of
// their own (a state a port was put in, a canvas's font).
#include <utility>

namespace kv {

template <typename Undo>
class ScopeExit {
public:
    explicit ScopeExit(Undo undo) : undo_(std::move(undo)) {}
    ~ScopeExit() { undo_(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

private:
    Undo undo_;
};

}  // namespace kv
