#pragma once
#include <windows.h>

#include <optional>

#include "platform/win32/win32_handles.h"
#include "theme/tab_canvas.h"
#include "theme/theme_font.h"

namespace kv::win32app {

// The theme's font at the device's resolution.
win32::UniqueFont CreateThemeFont(HDC dc, const ThemeFont& font);

// Paints the caption tab on a GDI device context; the context's own state is left as found.
class GdiTabCanvas : public ITabCanvas {
public:
    explicit GdiTabCanvas(HDC dc) : dc_(dc) {}
    ~GdiTabCanvas() override { RestoreFontAndBrush(); }
    GdiTabCanvas(const GdiTabCanvas&) = delete;
    GdiTabCanvas& operator=(const GdiTabCanvas&) = delete;

    void FillVerticalGradient(const Rect& rect, std::uint32_t top, std::uint32_t bottom) override;
    void DrawPolyline(std::span<const Point> points, std::uint32_t penColor) override;
    void PutPixel(std::int32_t x, std::int32_t y, std::uint32_t color) override;
    void SelectFontWithClearBrush(const ThemeFont& font) override;
    void RestoreFontAndBrush() override;
    void WriteText(const Rect& rect, std::u16string_view text, std::uint32_t color, std::uint32_t options) override;

private:
    HDC dc_;
    // While a caption font is selected; in this order, so the font leaves the DC before it goes.
    win32::UniqueFont font_;
    std::optional<win32::SelectedObject> selectedFont_;
    std::optional<win32::SelectedObject> clearBrush_;
    std::optional<int> previousBackgroundMode_;
};

}  // namespace kv::win32app
