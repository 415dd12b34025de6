#pragma once
#include <cstdint>

namespace kv {

enum class ClickButton { Left, Right, Middle };

struct KeyClick {
    std::uint8_t code = 0;
    ClickButton button = ClickButton::Left;
    friend bool operator==(const KeyClick&, const KeyClick&) = default;
};

// A stroke on the on-screen keyboard from the key it started on: a short one clicks that key with
// the button used; a long one types Space (right), Backspace (left), Enter (down) or the key with
// Shift (up). `dx`, `dy` are start minus end, in screen pixels.
KeyClick ClassifyGesture(std::uint8_t startKey, ClickButton button, std::int32_t dx, std::int32_t dy,
                         std::int32_t threshold);

}  // namespace kv
