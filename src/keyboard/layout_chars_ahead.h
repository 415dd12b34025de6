#pragma once
#include <exception>
#include <optional>
#include <thread>

#include "keyboard/layout_char_cache.h"

namespace kv {

// One layout's characters computed on a thread of their own. Start-up has to wait for the
// companion anyway, and the 16 translations of every key are slow on some systems, so the two
// waits overlap. The thread uses only `layouts`, which must be safe to call from another thread
// while it runs (the system's calls are).
class LayoutCharsAhead {
public:
    LayoutCharsAhead(IKeyboardLayouts& layouts, LayoutHandle layout);
    LayoutCharsAhead(const LayoutCharsAhead&) = delete;
    LayoutCharsAhead& operator=(const LayoutCharsAhead&) = delete;
    ~LayoutCharsAhead();

    // Waits for the thread. Nothing when the computation failed; the keyboard then computes the
    // characters itself, as it would without this.
    std::optional<TKvLayoutChars> Take();

private:
    TKvLayoutChars record_;
    std::exception_ptr failure_;
    bool taken_ = false;
    std::thread worker_;
};

}  // namespace kv
