#pragma once
#include <cstdint>

namespace kv {

class IRegistry;

// How a key clicked on the on-screen keyboard repeats: as the user's own keyboard does.
struct KeyRepeatTiming {
    std::uint32_t delayMs = 500;
    std::uint32_t intervalMs = 24;
};

// From the control panel's KeyboardDelay (0..3) and KeyboardSpeed (0..31).
KeyRepeatTiming RepeatTimingFrom(std::int32_t keyboardDelay, std::int32_t keyboardSpeed);
// Reads them from the current user's keyboard settings; unreadable values count as 1 and 31.
KeyRepeatTiming ReadKeyRepeatTiming(IRegistry& registry);

}  // namespace kv
