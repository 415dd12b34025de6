#pragma once
#include <cstdint>
#include <span>
#include <string_view>

#include "platform/types.h"
#include "theme/theme_font.h"

namespace kv {

// What painting the keyboard's caption tab needs of a canvas. Rectangles exclude their right
// and bottom edges; colours are 0x00BBGGRR.
class ITabCanvas {
public:
    virtual ~ITabCanvas() = default;
    // From `top` at the rectangle's top edge to `bottom` at its bottom edge.
    virtual void FillVerticalGradient(const Rect& rect, std::uint32_t top, std::uint32_t bottom) = 0;
    virtual void DrawPolyline(std::span<const Point> points, std::uint32_t penColor) = 0;
    virtual void PutPixel(std::int32_t x, std::int32_t y, std::uint32_t color) = 0;
    // Text drawn until RestoreFontAndBrush uses `font` without filling its background.
    virtual void SelectFontWithClearBrush(const ThemeFont& font) = 0;
    virtual void RestoreFontAndBrush() = 0;
    // `options` are TextFormatOption bits (common/canvas.h).
    virtual void WriteText(const Rect& rect, std::u16string_view text, std::uint32_t color, std::uint32_t options) = 0;
};

}  // namespace kv
