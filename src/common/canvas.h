#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/types.h"

namespace kv {

constexpr std::uint32_t kColorLime = 0x00FF00;       // a lime brush asks for text without background
constexpr std::uint32_t kWorkBitmapColor = 0x777777;  // the work bitmap's transparent colour

// What text drawing needs of a device context. The Win32 implementation wraps GDI; tests record.
class ICanvas {
public:
    virtual ~ICanvas() = default;
    virtual bool BrushIsClear() const = 0;
    virtual std::uint32_t BrushColor() const = 0;
    virtual bool IsRightToLeft() const = 0;
    virtual std::int32_t TextWidth(std::u16string_view text) const = 0;
    // ExtTextOut clipped to rect.
    virtual void TextOutClipped(const Rect& clip, std::int32_t x, std::int32_t y, std::u16string_view text, bool opaque) = 0;
    // DrawTextEx with DT_ flags.
    virtual void DrawTextFormatted(const Rect& rect, std::u16string_view text, std::uint32_t dtFlags) = 0;
    // Draws the text into the work bitmap (this canvas's font, rect's size, filled with the
    // transparent colour) and the bitmap transparently at rect's top-left; x, y relative to rect.
    virtual void DrawTextThroughWorkBitmap(const Rect& rect, std::int32_t x, std::int32_t y, std::u16string_view text,
                                           std::uint32_t dtFlags, bool formatted) = 0;
};

enum TextFormatOption : std::uint32_t {
    kTextBottom = 1u << 0,
    kTextCalcRect = 1u << 1,
    kTextCenter = 1u << 2,
    kTextEditControl = 1u << 3,
    kTextEndEllipsis = 1u << 4,
    kTextPathEllipsis = 1u << 5,
    kTextExpandTabs = 1u << 6,
    kTextLeft = 1u << 7,
    kTextNoClip = 1u << 8,
    kTextNoPrefix = 1u << 9,
    kTextRight = 1u << 10,
    kTextRtlReading = 1u << 11,
    kTextSingleLine = 1u << 12,
    kTextTop = 1u << 13,
    kTextVerticalCenter = 1u << 14,
    kTextWordBreak = 1u << 15,
    kTextWordEllipsis = 1u << 16,
};

std::uint32_t ToDrawTextFlags(std::uint32_t options);

void DrawTextOn(ICanvas& canvas, const Rect& rect, std::int32_t x, std::int32_t y, std::u16string_view text);
void DrawFormattedText(ICanvas& canvas, const Rect& rect, std::u16string_view text, std::uint32_t options);

}  // namespace kv
