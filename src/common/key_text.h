#pragma once
#include <cstdint>

#include "platform/keyboard_api.h"

namespace kv {

// The character a key types in a layout with the given key state (256 bytes, high bit = down);
// a space when it types none or is a dead key. Leaves no dead key pending.
char16_t CharForKey(IKeyboardLayouts& layouts, std::uint8_t vk, const std::uint8_t* keyState, LayoutHandle layout);
// The same for a key whose scan code in the layout is known: one lookup then serves every key
// state of the key (a lookup costs as much as a translation under Wine).
char16_t CharForKey(IKeyboardLayouts& layouts, std::uint8_t vk, std::uint32_t scan, const std::uint8_t* keyState,
                    LayoutHandle layout);

}  // namespace kv
