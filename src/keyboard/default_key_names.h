#pragma once
#include <array>
#include <cstdint>
#include <string_view>

namespace kv {

// The English name of every virtual key; index 0 and keys without a name are empty.
const std::array<std::u16string_view, 256>& DefaultKeyNames();

// Keys that type a character (space, digits, letters, numpad digits and operators, punctuation);
// the on-screen keyboard labels them with the character of the chosen layout.
constexpr bool IsCharacterKey(std::uint32_t vk) {
    return vk == 32 || (vk >= 48 && vk <= 90) || (vk >= 96 && vk <= 111) || (vk >= 186 && vk <= 192) ||
           (vk >= 219 && vk <= 226);
}

}  // namespace kv
