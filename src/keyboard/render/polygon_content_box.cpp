#include "keyboard/render/polygon_content_box.h"

#include <algorithm>

namespace kv {
namespace {

bool IsSeparator(const Point& p) { return p.x == -1 && p.y == -1; }

bool InShrunkBox(const Rect& box, const Point& p) {
    return p.x >= box.left + 1 && p.x < box.right - 1 && p.y >= box.top + 1 && p.y < box.bottom - 1;
}

void ShiftPass(std::span<const Point> outline, Rect& box) {
    for (const Point& p : outline) {
        if (IsSeparator(p) || !InShrunkBox(box, p)) continue;
        if (box.bottom - p.y < p.y - box.top) {
            const std::int32_t d = box.bottom - p.y;
            box.top -= d;
            box.bottom -= d;
        } else {
            const std::int32_t d = p.y - box.top;
            box.top += d;
            box.bottom += d;
        }
    }
}

void ClipPass(std::span<const Point> outline, Rect& box) {
    for (const Point& p : outline) {
        if (IsSeparator(p) || !InShrunkBox(box, p)) continue;
        if (box.bottom - p.y < p.y - box.top) {
            box.bottom = p.y;
        } else {
            box.top = p.y;
        }
    }
}

Rect LargestAroundCentre(std::span<const Point> outline, Point centre) {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    std::int64_t best = 0;
    for (const Point& p : outline) {
        if (IsSeparator(p)) continue;
        const std::int32_t dx = p.x - centre.x, dy = p.y - centre.y;
        if (dx < 0 && dy < 0) {
            const std::int64_t area = static_cast<std::int64_t>(right - dx) * (bottom - dy);
            if (area > best) {
                left = dx;
                top = dy;
                best = area;
            }
        }
        if (dx > 0 && dy > 0) {
            const std::int64_t area = static_cast<std::int64_t>(dx - left) * (dy - top);
            if (area > best) {
                right = dx;
                bottom = dy;
                best = area;
            }
        }
    }
    return {centre.x + left, centre.y + top, centre.x + right - 1, centre.y + bottom - 1};
}

}  // namespace

Point OutlineCentre(std::span<const Point> outline) {
    std::int32_t minX = INT32_MAX, minY = INT32_MAX, maxX = INT32_MIN, maxY = INT32_MIN;
    for (const Point& p : outline) {
        if (IsSeparator(p)) continue;
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    if (minX > maxX) return {};
    return {(minX + maxX) / 2, (minY + maxY) / 2};
}

Rect PolygonContentBox(std::span<const Point> outline, const std::function<Rect(Point centre)>& initial,
                       const std::function<bool(std::int32_t x, std::int32_t y)>& inside) {
    const Point centre = OutlineCentre(outline);
    Rect box = initial(centre);
    ShiftPass(outline, box);
    ClipPass(outline, box);
    if (inside(box.left, box.top) && inside(box.right, box.bottom)) return box;

    box = LargestAroundCentre(outline, centre);
    ClipPass(outline, box);
    if (box.Height() >= 16) return box;
    box = initial(centre);
    ShiftPass(outline, box);
    ClipPass(outline, box);
    return box;
}

}  // namespace kv
