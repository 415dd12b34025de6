#pragma once
#include <cstdint>
#include <span>
#include <string_view>

#include "platform/types.h"
#include "resources/icon_pack_images.h"

namespace kv {

enum class KeyFont { Canvas, Label, Character };

// The drawing operations the keyboard image needs; GDI implements them on the window's memory
// bitmap, tests record them.
class IKeyPaintSurface {
public:
    virtual ~IKeyPaintSurface() = default;
    virtual Point ImageSize() const = 0;
    virtual void Fill(std::uint32_t color) = 0;
    // A rounded rectangle with a 5 × 5 corner ellipse.
    virtual void RoundRect(const Rect& rect, std::uint32_t pen, std::uint32_t brush) = 0;
    virtual void Polygon(std::span<const Point> points, std::uint32_t pen, std::uint32_t brush) = 0;
    // Width and height of the text in the font.
    virtual Point MeasureText(KeyFont font, std::u16string_view text) = 0;
    // Text without background at (x, y), clipped to `clip`.
    virtual void Text(KeyFont font, std::uint32_t color, const Rect& clip, std::int32_t x, std::int32_t y,
                      std::u16string_view text) = 0;
    // One line centred both ways in the rectangle; an ampersand shows as itself.
    virtual void CenteredText(KeyFont font, std::uint32_t color, const Rect& rect, std::u16string_view text) = 0;
    virtual void Glyph(int index, std::int32_t x, std::int32_t y) = 0;
    // The background picture at the image's size; false when none is loaded.
    virtual bool HasPicture() const = 0;
    // Whether the picture's top-left or bottom-right pixel is white.
    virtual bool PictureHasWhiteCorner() const = 0;
    virtual void DrawPictureFitted() = 0;
    virtual void TabHeader(std::int32_t width, std::u16string_view caption) = 0;
    // Where icon packs draw their icons and hotkey squares: the same image.
    virtual IImageCanvas& PackCanvas() = 0;
};

}  // namespace kv
