#pragma once
// The fixed classes of virtual-key codes the keyboard engine sorts keys into.
#include <cstdint>

#include "common/hotkey_code.h"

namespace kv {

namespace vk {
constexpr std::uint8_t kShift = 16, kControl = 17, kMenu = 18, kCapsLock = 20, kNumLock = 144, kScrollLock = 145;
constexpr std::uint8_t kLeftWin = 91, kRightWin = 92;
constexpr std::uint8_t kLeftShift = 160, kRightShift = 161, kLeftControl = 162, kRightControl = 163;
constexpr std::uint8_t kLeftMenu = 164, kRightMenu = 165;
}  // namespace vk

// Keys that produce characters: the only keys whose characters are cached.
constexpr bool IsPrintableKey(std::uint32_t code) {
    return code == 32 || (code >= 48 && code <= 90) || (code >= 96 && code <= 111) || (code >= 186 && code <= 192) ||
           (code >= 219 && code <= 226);
}

// Keys whose physical position may differ between layouts.
constexpr bool IsLetterKey(std::uint32_t code) {
    return (code >= 65 && code <= 90) || (code >= 186 && code <= 192) || (code >= 219 && code <= 226);
}

// Left and right Win, Shift, Ctrl and Alt.
constexpr bool IsModifierKey(std::uint32_t code) {
    return code == vk::kLeftWin || code == vk::kRightWin || (code >= vk::kLeftShift && code <= vk::kRightMenu);
}

// Keys whose state changes the characters shown.
constexpr bool IsStateKey(std::uint32_t code) {
    return code == vk::kCapsLock || code == vk::kNumLock || code == vk::kScrollLock || IsModifierKey(code);
}

// Keys sent with the extended-key flag when the program synthesises them.
constexpr bool IsExtendedKey(std::uint32_t code) {
    return (code >= 33 && code <= 46) || code == 91 || code == 92 || code == 93 || code == 111 || code == 144 ||
           code == 161 || code == 163 || code == 165 || (code >= 166 && code <= 183);
}

// Lock keys keep only their toggle in the key-state array.
constexpr bool IsLockKey(std::uint32_t code) {
    return code == vk::kCapsLock || code == vk::kNumLock || code == vk::kScrollLock;
}

// The sided modifier bit of a modifier key (0 for other keys); the side-less set uses the
// left-hand bits for either side.
constexpr std::uint16_t SidedModifierBit(std::uint32_t code) {
    switch (code) {
        case vk::kLeftWin: return hotkey_mod::kLeftWin;
        case vk::kRightWin: return hotkey_mod::kRightWin;
        case vk::kLeftShift: return hotkey_mod::kLeftShift;
        case vk::kRightShift: return hotkey_mod::kRightShift;
        case vk::kLeftControl: return hotkey_mod::kLeftCtrl;
        case vk::kRightControl: return hotkey_mod::kRightCtrl;
        case vk::kLeftMenu: return hotkey_mod::kLeftAlt;
        case vk::kRightMenu: return hotkey_mod::kRightAlt;
        default: return 0;
    }
}

// Right-hand bits folded onto the left-hand ones.
constexpr std::uint16_t SidelessModifiers(std::uint16_t sided) {
    return static_cast<std::uint16_t>((sided & 0xF0) | ((sided & 0x0F) << 4));
}

}  // namespace kv
