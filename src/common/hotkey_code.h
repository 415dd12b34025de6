#pragma once
#include <cstdint>

namespace kv {

// Modifier bits of a hotkey; left and right keys stay apart.
namespace hotkey_mod {
constexpr std::uint16_t kLeftWin = 0x80, kLeftAlt = 0x40, kLeftCtrl = 0x20, kLeftShift = 0x10;
constexpr std::uint16_t kRightWin = 0x08, kRightAlt = 0x04, kRightCtrl = 0x02, kRightShift = 0x01;
}  // namespace hotkey_mod

// A hotkey as stored in the registry: modifiers * 256 + virtual key; 0 is no hotkey. The key may
// be 0 (modifiers alone) or a modifier key itself (right Ctrl alone is 163).
using HotkeyCode = std::int32_t;

struct DecodedHotkey {
    std::uint8_t key = 0;
    std::uint16_t modifiers = 0;
    friend bool operator==(const DecodedHotkey&, const DecodedHotkey&) = default;
};

constexpr HotkeyCode EncodeHotkey(std::uint8_t key, std::uint16_t modifiers) {
    return static_cast<HotkeyCode>(modifiers) * 256 + key;
}

constexpr DecodedHotkey DecodeHotkey(HotkeyCode code) {
    return {static_cast<std::uint8_t>(code & 0xFF), static_cast<std::uint16_t>(code / 256)};
}

}  // namespace kv
