#pragma once
#include <windows.h>

#include "common/canvas.h"

namespace kv::win32app {

// Text drawing on a GDI device context, with the brush the caller chose.
class GdiCanvas : public ICanvas {
public:
    // A null brush colour means a clear brush (no background).
    GdiCanvas(HDC dc, bool clearBrush, COLORREF brushColor) : dc_(dc), clearBrush_(clearBrush), brush_(brushColor) {}

    bool BrushIsClear() const override { return clearBrush_; }
    std::uint32_t BrushColor() const override { return brush_; }
    bool IsRightToLeft() const override { return (GetLayout(dc_) & LAYOUT_RTL) != 0; }
    std::int32_t TextWidth(std::u16string_view text) const override;
    void TextOutClipped(const Rect& clip, std::int32_t x, std::int32_t y, std::u16string_view text, bool opaque) override;
    void DrawTextFormatted(const Rect& rect, std::u16string_view text, std::uint32_t dtFlags) override;
    void DrawTextThroughWorkBitmap(const Rect& rect, std::int32_t x, std::int32_t y, std::u16string_view text,
                                   std::uint32_t dtFlags, bool formatted) override;

private:
    HDC dc_;
    bool clearBrush_;
    COLORREF brush_;
};

}  // namespace kv::win32app
