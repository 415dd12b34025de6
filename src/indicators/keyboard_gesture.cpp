#include "indicators/keyboard_gesture.h"

#include <cstdlib>

namespace kv {

namespace {
constexpr std::uint8_t kSpace = 32, kBackspace = 8, kEnter = 13;
}

KeyClick ClassifyGesture(std::uint8_t startKey, ClickButton button, std::int32_t dx, std::int32_t dy,
                         std::int32_t threshold) {
    const std::int32_t ax = std::abs(dx), ay = std::abs(dy);
    if (ax < threshold && ay < threshold) return {startKey, button};
    if (ax >= ay) return {dx <= 0 ? kSpace : kBackspace, ClickButton::Left};
    if (dy <= 0) return {kEnter, ClickButton::Left};
    return {startKey, ClickButton::Middle};
}

}  // namespace kv
