#include "keyboard/key_outline.h"

#include <algorithm>

namespace kv {

namespace {

bool RectangleContains(const Point& a, const Point& b, std::int32_t x, std::int32_t y) {
    return x >= std::min(a.x, b.x) && x <= std::max(a.x, b.x) && y >= std::min(a.y, b.y) && y <= std::max(a.y, b.y);
}

bool PolygonContains(std::span<const Point> polygon, std::int32_t x, std::int32_t y) {
    bool inside = false;
    for (std::size_t j = 0; j < polygon.size(); ++j) {
        const Point& from = polygon[j];
        const Point& to = polygon[(j + 1) % polygon.size()];
        if ((from.y < y) == (to.y < y)) continue;
        const double crossing = from.x + (static_cast<double>(y) - from.y) * (static_cast<double>(to.x) - from.x) /
                                             (static_cast<double>(to.y) - from.y);
        if (x < crossing) inside = !inside;
    }
    return inside;
}

bool PartContains(std::span<const Point> part, std::int32_t x, std::int32_t y) {
    if (part.size() == 2) return RectangleContains(part[0], part[1], x, y);
    if (part.size() > 2) return PolygonContains(part, x, y);
    return false;
}

}  // namespace

bool OutlineContains(std::span<const Point> outline, std::int32_t x, std::int32_t y, bool& extended) {
    if (outline.size() == 2) return RectangleContains(outline[0], outline[1], x, y);
    const auto separator = std::find(outline.begin(), outline.end(), kOutlineSeparator);
    if (separator == outline.end()) return PartContains(outline, x, y);
    extended = false;
    if (PartContains({outline.begin(), separator}, x, y)) return true;
    extended = true;
    return PartContains({separator + 1, outline.end()}, x, y);
}

std::int32_t OutlineHeight(std::span<const Point> outline) {
    if (outline.size() < 2) return 0;
    if (outline.size() == 2) return outline[1].y - outline[0].y;
    bool any = false;
    std::int32_t top = 0, bottom = 0;
    for (const Point& p : outline) {
        if (p == kOutlineSeparator) continue;
        top = any ? std::min(top, p.y) : p.y;
        bottom = any ? std::max(bottom, p.y) : p.y;
        any = true;
    }
    return bottom - top;
}

}  // namespace kv
