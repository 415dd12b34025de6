#include "win32/gdi_keyboard_canvas.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "keyboard/render/lanczos_resample.h"
#include "platform/win32/win32_text.h"
#include "theme/kv_theme.h"
#include "theme/tab_header.h"
#include "win32/gdi_tab_canvas.h"
#include "win32/image_strips.h"

namespace kv::win32app {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;

// DIB pixels are 0x00RRGGBB; GDI colours 0x00BBGGRR.
std::uint32_t SwapRedBlue(std::uint32_t c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }

ThemeFont WantedFont(const TKvTheme& theme, KeyFont font) {
    switch (font) {
        case KeyFont::Label: return {theme.LabelFontName, theme.LabelFontStyle, theme.LabelFontSize};
        case KeyFont::Character: return {theme.CharFontName, theme.CharFontStyle, theme.CharFontSize};
        case KeyFont::Canvas: break;
    }
    return {theme.LabelFontName, theme.LabelFontStyle, theme.CharFontSize};
}

POINT ToPoint(const Point& p) { return {p.x, p.y}; }

}  // namespace

BITMAPINFO TopDownInfo(std::int32_t width, std::int32_t height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

GdiKeyboardCanvas::GdiKeyboardCanvas(HWND display, const KeyboardLook& look, ImageStrip* keyGlyphs,
                                     const IPictureDecoder* pictures)
    : display_(display),
      look_(look),
      keyGlyphs_(keyGlyphs),
      pictures_(pictures),
      renderer_(*this, look),
      dc_(nullptr) {}

GdiKeyboardCanvas::~GdiKeyboardCanvas() = default;

Point GdiKeyboardCanvas::DisplaySize() const {
    RECT client{};
    if (display_ && GetClientRect(display_, &client) && client.right > 0 && client.bottom > 0) {
        return {client.right, client.bottom};
    }
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

void GdiKeyboardCanvas::Resize(std::int32_t width, std::int32_t height) {
    if (!dc_ || width <= 0 || height <= 0 || (width == width_ && height == height_ && bitmap_)) return;
    BITMAPINFO info = TopDownInfo(width, height);
    void* bits = nullptr;
    win32::UniqueBitmap bitmap(CreateDIBSection(dc_.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap) return;  // out of GDI memory: keep drawing into the image we have
    selectedBitmap_.reset();  // the old bitmap leaves the DC before it goes
    bitmap_ = std::move(bitmap);
    selectedBitmap_.emplace(dc_.Get(), bitmap_.Get());
    bits_ = static_cast<std::uint32_t*>(bits);
    width_ = width;
    height_ = height;
}

bool GdiKeyboardCanvas::LoadPicture(const std::u16string& path) {
    if (pictures_ == nullptr) return false;
    std::optional<Pixels32> decoded = pictures_->Decode(path);
    if (!decoded || decoded->width <= 0 || decoded->height <= 0) return false;
    picture_ = std::move(decoded);
    fittedPicture_ = {};
    return true;
}

void GdiKeyboardCanvas::ClearPicture() {
    picture_.reset();
    fittedPicture_ = {};
}

void GdiKeyboardCanvas::DrawKeyboard(TKvKeyboard& keyboard) {
    if (!bitmap_) return;
    renderer_.DrawKeyboard(keyboard);
    GdiFlush();
}

void GdiKeyboardCanvas::DrawKey(TKvBtn& key) {
    if (!bitmap_) return;
    renderer_.DrawKey(key);
    GdiFlush();
}

void GdiKeyboardCanvas::CopyToDisplay() {
    if (!display_) return;
    win32::WindowDc dc(display_);
    if (dc) CopyTo(dc.Get());
}

void GdiKeyboardCanvas::CopyTo(HDC dc) const {
    if (!bitmap_ || !dc) return;
    const Point display = DisplaySize();
    BitBlt(dc, 0, 0, std::min(display.x, width_), std::min(display.y, height_), dc_.Get(), 0, 0, SRCCOPY);
}

void GdiKeyboardCanvas::PaintScaled(HDC dc, std::int32_t boxWidth, std::int32_t boxHeight) const {
    if (!bitmap_ || !dc || boxWidth <= 0 || boxHeight <= 0) return;
    const double scale = std::min(static_cast<double>(boxWidth) / width_, static_cast<double>(boxHeight) / height_);
    const auto w = static_cast<std::int32_t>(width_ * scale);
    const auto h = static_cast<std::int32_t>(height_ * scale);
    if (w <= 0 || h <= 0) return;
    GdiFlush();
    Pixels32 image(width_, height_);
    std::copy_n(bits_, image.pixels.size(), image.pixels.begin());
    BlitPixels(dc, ResampleLanczos3(image, w, h));
}

std::uint32_t GdiKeyboardCanvas::PixelAt(std::int32_t x, std::int32_t y) const {
    if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    GdiFlush();
    return SwapRedBlue(bits_[static_cast<std::size_t>(y) * width_ + x] & 0xFFFFFF);
}

void GdiKeyboardCanvas::Fill(std::uint32_t color) {
    win32::UniqueBrush brush(CreateSolidBrush(color));
    const RECT all{0, 0, width_, height_};
    FillRect(dc_.Get(), &all, brush.Get());
    lastBrush_ = color;
}

void GdiKeyboardCanvas::RoundRect(const Rect& rect, std::uint32_t pen, std::uint32_t brush) {
    win32::UniquePen penHandle(CreatePen(PS_SOLID, 1, pen));
    win32::UniqueBrush brushHandle(CreateSolidBrush(brush));
    const win32::SelectedObject selectedPen(dc_.Get(), penHandle.Get());
    const win32::SelectedObject selectedBrush(dc_.Get(), brushHandle.Get());
    ::RoundRect(dc_.Get(), rect.left, rect.top, rect.right, rect.bottom, 5, 5);
    lastBrush_ = brush;
}

void GdiKeyboardCanvas::Polygon(std::span<const Point> points, std::uint32_t pen, std::uint32_t brush) {
    win32::UniquePen penHandle(CreatePen(PS_SOLID, 1, pen));
    win32::UniqueBrush brushHandle(CreateSolidBrush(brush));
    const win32::SelectedObject selectedPen(dc_.Get(), penHandle.Get());
    const win32::SelectedObject selectedBrush(dc_.Get(), brushHandle.Get());
    std::vector<POINT> gdiPoints;
    gdiPoints.reserve(points.size());
    for (const Point& p : points) gdiPoints.push_back(ToPoint(p));
    ::Polygon(dc_.Get(), gdiPoints.data(), static_cast<int>(gdiPoints.size()));
    lastBrush_ = brush;
}

HFONT GdiKeyboardCanvas::FontFor(KeyFont font) {
    if (look_.theme == nullptr) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    CachedFont& cached = fonts_[static_cast<int>(font)];
    const ThemeFont wanted = WantedFont(*look_.theme, font);
    if (!cached.handle || !(cached.font == wanted)) {
        cached.handle = CreateThemeFont(dc_.Get(), wanted);
        cached.font = wanted;
    }
    return cached.handle ? cached.handle.Get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

Point GdiKeyboardCanvas::MeasureText(KeyFont font, std::u16string_view text) {
    const win32::SelectedObject selected(dc_.Get(), FontFor(font));
    SIZE size{};
    const std::wstring wide = win32::ToWide(text);
    GetTextExtentPoint32W(dc_.Get(), wide.c_str(), static_cast<int>(wide.size()), &size);
    return {size.cx, size.cy};
}

void GdiKeyboardCanvas::Text(KeyFont font, std::uint32_t color, const Rect& clip, std::int32_t x, std::int32_t y,
                             std::u16string_view text) {
    if (text.empty()) return;
    const win32::SelectedObject selected(dc_.Get(), FontFor(font));
    SetBkMode(dc_.Get(), TRANSPARENT);
    SetTextColor(dc_.Get(), color);
    const RECT r{clip.left, clip.top, clip.right, clip.bottom};
    const std::wstring wide = win32::ToWide(text);
    ExtTextOutW(dc_.Get(), x, y, ETO_CLIPPED, &r, wide.c_str(), static_cast<UINT>(wide.size()), nullptr);
}

void GdiKeyboardCanvas::CenteredText(KeyFont font, std::uint32_t color, const Rect& rect, std::u16string_view text) {
    if (text.empty()) return;
    const win32::SelectedObject selected(dc_.Get(), FontFor(font));
    SetBkMode(dc_.Get(), TRANSPARENT);
    SetTextColor(dc_.Get(), color);
    RECT r{rect.left, rect.top, rect.right, rect.bottom};
    std::wstring wide = win32::ToWide(text);
    DrawTextW(dc_.Get(), wide.data(), static_cast<int>(wide.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void GdiKeyboardCanvas::Glyph(int index, std::int32_t x, std::int32_t y) {
    if (keyGlyphs_) keyGlyphs_->Draw(index, dc_.Get(), x, y);
}

bool GdiKeyboardCanvas::PictureHasWhiteCorner() const {
    if (!picture_) return false;
    const Pixels32& p = *picture_;
    return (p.At(0, 0) & 0xFFFFFF) == kWhite || (p.At(p.width - 1, p.height - 1) & 0xFFFFFF) == kWhite;
}

void GdiKeyboardCanvas::DrawPictureFitted() {
    if (!picture_) return;
    if (fittedPicture_.width != width_ || fittedPicture_.height != height_) {
        fittedPicture_ = (picture_->width == width_ && picture_->height == height_) ? *picture_
                                                                                   : ResampleLanczos3(*picture_, width_, height_);
    }
    BlitPixels(dc_.Get(), fittedPicture_);
}

void GdiKeyboardCanvas::BlitPixels(HDC dc, const Pixels32& pixels) const {
    if (pixels.width <= 0 || pixels.height <= 0) return;
    BITMAPINFO info = TopDownInfo(pixels.width, pixels.height);
    SetDIBitsToDevice(dc, 0, 0, pixels.width, pixels.height, 0, 0, 0, pixels.height, pixels.pixels.data(), &info,
                      DIB_RGB_COLORS);
}

void GdiKeyboardCanvas::TabHeader(std::int32_t width, std::u16string_view caption) {
    if (look_.theme == nullptr) return;
    GdiTabCanvas tab(dc_.Get());
    PaintTabHeader(tab, *look_.theme, width, true, lastBrush_, caption);
}

}  // namespace kv::win32app
