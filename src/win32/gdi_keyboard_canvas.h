#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "keyboard/keyboard_canvas.h"
#include "keyboard/render/key_paint_surface.h"
#include "keyboard/render/keyboard_look.h"
#include "keyboard/render/keyboard_renderer.h"
#include "keyboard/render/picture_decoder.h"
#include "common/pixels32.h"
#include "platform/win32/win32_handles.h"
#include "win32/gdi_icon_images.h"
#include "theme/theme_font.h"

namespace kv::win32app {

// A 32-bit top-down DIB header, rows as Pixels32 holds them.
BITMAPINFO TopDownInfo(std::int32_t width, std::int32_t height);

class ImageStrip;

// The on-screen keyboard's image: a 32-bit memory bitmap the keyboard model draws into, copied
// onto the display window whole (double buffering, so a repaint never flickers).
//
// Construction: `display` is the window the image is shown in (may be null until the window
// exists, see SetDisplay); `look` holds the theme and drawing options and is read at every draw,
// so the owner changes it in place and then asks the model to Redraw; `keyGlyphs` is the key
// glyph strip (ilKeys; null draws no glyphs); `pictures` decodes background pictures (null
// refuses every picture). All must outlive the canvas.
class GdiKeyboardCanvas : public IKeyboardCanvas, private IKeyPaintSurface {
public:
    GdiKeyboardCanvas(HWND display, const KeyboardLook& look, ImageStrip* keyGlyphs, const IPictureDecoder* pictures);
    ~GdiKeyboardCanvas() override;
    GdiKeyboardCanvas(const GdiKeyboardCanvas&) = delete;
    GdiKeyboardCanvas& operator=(const GdiKeyboardCanvas&) = delete;

    void SetDisplay(HWND display) { display_ = display; }

    // IKeyboardCanvas.
    Point DisplaySize() const override;
    void Resize(std::int32_t width, std::int32_t height) override;
    bool LoadPicture(const std::u16string& path) override;
    void ClearPicture() override;
    void DrawKeyboard(TKvKeyboard& keyboard) override;
    void DrawKey(TKvBtn& key) override;
    void CopyToDisplay() override;

    // Copies the image 1:1 onto `dc` at (0, 0), e.g. from the window's WM_PAINT.
    void CopyTo(HDC dc) const;
    // Draws the image scaled to fit a box of the given size, keeping its proportions, at (0, 0)
    // of `dc` (the capture dialog and the wizard show the keyboard this way).
    void PaintScaled(HDC dc, std::int32_t boxWidth, std::int32_t boxHeight) const;
    // The image's size and one pixel as 0x00BBGGRR (black outside the image).
    Point ImageSize() const override { return {width_, height_}; }
    std::uint32_t PixelAt(std::int32_t x, std::int32_t y) const;
    HDC ImageDc() const { return dc_.Get(); }

private:
    // IKeyPaintSurface.
    void Fill(std::uint32_t color) override;
    void RoundRect(const Rect& rect, std::uint32_t pen, std::uint32_t brush) override;
    void Polygon(std::span<const Point> points, std::uint32_t pen, std::uint32_t brush) override;
    Point MeasureText(KeyFont font, std::u16string_view text) override;
    void Text(KeyFont font, std::uint32_t color, const Rect& clip, std::int32_t x, std::int32_t y,
              std::u16string_view text) override;
    void CenteredText(KeyFont font, std::uint32_t color, const Rect& rect, std::u16string_view text) override;
    void Glyph(int index, std::int32_t x, std::int32_t y) override;
    bool HasPicture() const override { return picture_.has_value(); }
    bool PictureHasWhiteCorner() const override;
    void DrawPictureFitted() override;
    void TabHeader(std::int32_t width, std::u16string_view caption) override;
    IImageCanvas& PackCanvas() override { return packCanvas_; }

    HFONT FontFor(KeyFont font);
    void BlitPixels(HDC dc, const Pixels32& pixels) const;

    struct CachedFont {
        ThemeFont font;
        win32::UniqueFont handle;
    };

    HWND display_;
    const KeyboardLook& look_;
    ImageStrip* keyGlyphs_;
    const IPictureDecoder* pictures_;
    KeyboardRenderer renderer_;
    // In this order, so the bitmap leaves the DC before either goes.
    win32::MemoryDc dc_;
    win32::UniqueBitmap bitmap_;
    std::optional<win32::SelectedObject> selectedBitmap_;
    std::uint32_t* bits_ = nullptr;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::uint32_t lastBrush_ = 0;
    std::optional<Pixels32> picture_;
    Pixels32 fittedPicture_;
    CachedFont fonts_[3];
    GdiImageCanvas packCanvas_{dc_.Get()};
};

}  // namespace kv::win32app
