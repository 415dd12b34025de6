#pragma once
#include <array>
#include <string>

#include "platform/keyboard_api.h"

namespace kv {

using KeyNameTable = std::array<std::u16string, 256>;

struct LocalizedKeyNames {
    LayoutHandle layout = 0;  // the layout the names were built for
    KeyNameTable names;
};

constexpr std::size_t kMaxInstalledLayoutsConsidered = 10;

// Key names for an on-screen keyboard drawn in US positions: each character key is named after
// what the same physical key types in `requested` (or in the first installed layout when
// `requested` is not installed); German and French names follow the requested handle's language.
// US English serves as the position reference and is loaded for the duration when missing.
LocalizedKeyNames BuildKeyNames(IKeyboardLayouts& layouts, LayoutHandle requested);

}  // namespace kv
