#pragma once
#include <cstdint>

namespace kv {

struct TKvTheme;

struct KeyColors {
    std::uint32_t pen = 0;
    std::uint32_t brush = 0;
    std::uint32_t label = 0;
    std::uint32_t character = 0;
};

// The touch-typing colour of a key at rest, or `keyFace` for keys outside the finger zones.
std::uint32_t FingerZoneColor(std::uint8_t code, std::uint32_t keyFace);

// Colours of a key part in its state. A pure-green face at rest turns into the background on an
// opaque keyboard, since green is the window's transparent colour.
KeyColors StateColors(const TKvTheme& theme, std::uint8_t code, bool pressed, bool hot, bool showZone,
                      bool transparentBackground);

}  // namespace kv
