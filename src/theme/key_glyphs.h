#pragma once
#include <cstdint>

namespace kv {

// The `ilKeys` image of a key drawn with a glyph; -1 for a key labelled with text.
int KeyGlyphIndex(std::uint32_t vk);

}  // namespace kv
