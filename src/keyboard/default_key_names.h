#pragma once
#include <array>
#include <cstdint>
#include <string_view>

#include "common/key_classes.h"

namespace kv {

// The English name of every virtual key; index 0 and keys without a name are empty.
const std::array<std::u16string_view, 256>& DefaultKeyNames();

// Keys that type a character (space, digits, letters, numpad digits and operators, punctuation);
// the on-screen keyboard labels them with the character of the chosen layout.
constexpr bool IsCharacterKey(std::uint32_t vk) { return IsPrintableKey(vk); }

}  // namespace kv
