#pragma once
#include <cstdint>
#include <span>

#include "platform/types.h"

namespace kv {

// Separates the two parts of a split key: the part before it is the key without the extended
// flag, the part after it the same code with the flag (main and numeric-pad Enter).
constexpr Point kOutlineSeparator{-1, -1};

// Two points are a rectangle (corners, borders inside); three or more a polygon (even-odd rule);
// fewer is nothing. A separator splits the outline into two such parts; `extended` tells which
// part was hit and keeps its value when the outline is not split.
bool OutlineContains(std::span<const Point> outline, std::int32_t x, std::int32_t y, bool& extended);

// Largest minus smallest y of the outline, separators left out; 0 for fewer than two points.
std::int32_t OutlineHeight(std::span<const Point> outline);

}  // namespace kv
