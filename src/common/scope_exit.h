#pragma once
// Runs a step on every way out of a scope, exceptions included: the undo steps that have no owner
// object of their own (a flag, a state a port was put in, a canvas's font).
#include <utility>

namespace kv {

template <typename Undo>
class [[nodiscard]] ScopeExit {
public:
    explicit ScopeExit(Undo undo) : undo_(std::move(undo)) {}
    ~ScopeExit() { undo_(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

private:
    Undo undo_;
};

}  // namespace kv
