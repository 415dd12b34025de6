#pragma once
#include <cstdint>

namespace kv {

// How often the caret flag looks for the caret. The fast mode halves every interval and counts
// twice as many settle ticks, so both modes settle in the same time.
struct CaretFlagTiming {
    std::uint32_t followMs;       // the caret moves, or a request reset the positions
    std::uint32_t settleMs;       // the caret stands still after a keep-position request
    std::int32_t settleTicks;     // the countdown's start
    std::int32_t slowDownAt;      // the countdown value from which the settle checks slow down
    std::uint32_t slowedSettleMs;
};

constexpr CaretFlagTiming kFastCaretFlagTiming{250, 50, 16, 6, 100};
constexpr CaretFlagTiming kSlowCaretFlagTiming{500, 100, 8, 3, 200};
// The pause between a request and the first look at the caret.
constexpr std::uint32_t kCaretFlagShowDelayMs = 10;

constexpr const CaretFlagTiming& CaretFlagTimingFor(bool fast) {
    return fast ? kFastCaretFlagTiming : kSlowCaretFlagTiming;
}

}  // namespace kv
