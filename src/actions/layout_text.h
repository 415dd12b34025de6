#pragma once
#include <string_view>

#include "platform/keyboard_api.h"

namespace kv {

// A layout handle stored as text: the decimal form of the handle taken as a signed 32-bit
// integer ("67699721" is 0x04090409, "-255851511" is 0xF0C00409). Anything else, including an
// out-of-range number, is 0.
LayoutHandle LayoutFromText(std::u16string_view text);

}  // namespace kv
