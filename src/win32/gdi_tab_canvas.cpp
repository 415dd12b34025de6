#include "win32/gdi_tab_canvas.h"

#include <algorithm>
#include <string>
#include <vector>

#include "common/canvas.h"
#include "platform/win32/win32_text.h"
#include "theme/system_color_index.h"

namespace kv::win32app {

static_assert(kColorActiveCaption == COLOR_ACTIVECAPTION && kColorInactiveCaption == COLOR_INACTIVECAPTION);
static_assert(kColorWindowText == COLOR_WINDOWTEXT && kColorCaptionText == COLOR_CAPTIONTEXT);
static_assert(kColorButtonShadow == COLOR_BTNSHADOW && kColorInactiveCaptionText == COLOR_INACTIVECAPTIONTEXT);
static_assert(kColor3DDarkShadow == COLOR_3DDKSHADOW);

namespace {

TRIVERTEX Vertex(LONG x, LONG y, COLORREF color) {
    TRIVERTEX v{};
    v.x = x;
    v.y = y;
    v.Red = static_cast<COLOR16>(GetRValue(color) << 8);
    v.Green = static_cast<COLOR16>(GetGValue(color) << 8);
    v.Blue = static_cast<COLOR16>(GetBValue(color) << 8);
    return v;
}


}  // namespace

win32::UniqueFont CreateThemeFont(HDC dc, const ThemeFont& font) {
    LOGFONTW log{};
    log.lfHeight = -MulDiv(font.size, GetDeviceCaps(dc, LOGPIXELSY), 72);
    log.lfWeight = font.style.bold ? FW_BOLD : FW_NORMAL;
    log.lfItalic = font.style.italic ? TRUE : FALSE;
    log.lfCharSet = DEFAULT_CHARSET;
    const std::wstring face = win32::ToWide(font.name);
    std::copy_n(face.begin(), std::min<std::size_t>(face.size(), LF_FACESIZE - 1), log.lfFaceName);
    return win32::UniqueFont(CreateFontIndirectW(&log));
}

void GdiTabCanvas::FillVerticalGradient(const Rect& rect, std::uint32_t top, std::uint32_t bottom) {
    if (rect.Width() <= 0 || rect.Height() <= 0) return;
    TRIVERTEX vertices[2] = {Vertex(rect.left, rect.top, top), Vertex(rect.right, rect.bottom, bottom)};
    GRADIENT_RECT span{0, 1};
    // The gdi32 export: msimg32 is not among the known DLLs the program may import.
    ::GdiGradientFill(dc_, vertices, 2, &span, 1, GRADIENT_FILL_RECT_V);
}

void GdiTabCanvas::DrawPolyline(std::span<const Point> points, std::uint32_t penColor) {
    std::vector<POINT> gdiPoints;
    gdiPoints.reserve(points.size());
    for (const Point& p : points) gdiPoints.push_back(POINT{p.x, p.y});
    const win32::UniquePen pen(CreatePen(PS_SOLID, 1, penColor));
    if (!pen) return;
    const win32::SelectedObject selected(dc_, pen.Get());
    ::Polyline(dc_, gdiPoints.data(), static_cast<int>(gdiPoints.size()));
}

void GdiTabCanvas::PutPixel(std::int32_t x, std::int32_t y, std::uint32_t color) { ::SetPixelV(dc_, x, y, color); }

void GdiTabCanvas::SelectFontWithClearBrush(const ThemeFont& font) {
    RestoreFontAndBrush();
    font_ = CreateThemeFont(dc_, font);
    selectedFont_.emplace(dc_, font_.Get());
    clearBrush_.emplace(dc_, GetStockObject(NULL_BRUSH));
    previousBackgroundMode_ = SetBkMode(dc_, TRANSPARENT);
}

void GdiTabCanvas::RestoreFontAndBrush() {
    if (previousBackgroundMode_) SetBkMode(dc_, *previousBackgroundMode_);
    previousBackgroundMode_.reset();
    clearBrush_.reset();
    selectedFont_.reset();  // before the font goes
    font_.Reset();
}

void GdiTabCanvas::WriteText(const Rect& rect, std::u16string_view text, std::uint32_t color, std::uint32_t options) {
    RECT r{rect.left, rect.top, rect.right, rect.bottom};
    const std::wstring wide = win32::ToWide(text);
    const COLORREF previous = SetTextColor(dc_, color);
    ::DrawTextW(dc_, wide.c_str(), static_cast<int>(wide.size()), &r, ToDrawTextFlags(options));
    SetTextColor(dc_, previous);
}

}  // namespace kv::win32app
