#pragma once
#include <cstdint>
#include <functional>
#include <span>

#include "platform/types.h"

namespace kv {

// Where a polygonal key's content goes. `initial` is the box centred on the outline's bounding
// box (32 × 32 for characters and glyphs, else sized to the name); `inside` tells whether a point
// lies in the key. The box is shifted off the outline's points, clipped by them and, when a
// corner still falls outside the key, replaced by the largest rectangle the points span around
// the centre.
Rect PolygonContentBox(std::span<const Point> outline, const std::function<Rect(Point centre)>& initial,
                       const std::function<bool(std::int32_t x, std::int32_t y)>& inside);

// The centre the initial box is placed on.
Point OutlineCentre(std::span<const Point> outline);

}  // namespace kv
