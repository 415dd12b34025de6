#pragma once
#include <cstdint>

namespace kv {

class ISystemColors;

constexpr int kColorButtonFace = 15;  // COLOR_BTNFACE
constexpr int kColorHighlight = 13;   // COLOR_HIGHLIGHT
constexpr int kColorWindow = 5;       // COLOR_WINDOW

// A mix of the button-face, highlight and window colours with signed percentage weights;
// the highlight colour itself when the button face is black or white. Colours are 0x00BBGGRR.
std::uint32_t BlendSystemColors(const ISystemColors& system, int faceWeight, int highlightWeight, int windowWeight);
std::uint32_t MenuHotColor(const ISystemColors& system);
std::uint32_t MenuSelectColor(const ISystemColors& system);

}  // namespace kv
