#pragma once
// The icon packs' pictures on Windows: the image strip of a pack decoded into a colour bitmap and
// a mask (pure green transparent), drawn with plain GDI; and the image canvas the keyboard draws
// pack icons and hint bitmaps on.
#include <windows.h>

#include "platform/win32/win32_handles.h"
#include "resources/icon_pack_images.h"

namespace kv::win32app {

class GdiIconImages final : public IIconImages {
public:
    GdiIconImages(win32::UniqueBitmap colour, win32::UniqueBitmap mask, std::size_t count)
        : colour_(std::move(colour)), mask_(std::move(mask)), count_(count) {}
    std::size_t Count() const override { return count_; }
    // Image `index` at (x, y), its transparent pixels leaving `dc` as it was.
    void Draw(HDC dc, std::size_t index, int x, int y) const;

private:
    win32::UniqueBitmap colour_;  // transparent pixels black
    win32::UniqueBitmap mask_;    // white where transparent
    std::size_t count_;
};

class GdiIconDecoder final : public IIconImageDecoder {
public:
    // Uncompressed and bit-field strips; null for run-length encoded ones and whatever GDI refuses.
    std::unique_ptr<IIconImages> DecodeStrip(std::string_view bitmapFile, const BitmapFileInfo& info) override;
};

class GdiImageCanvas final : public IImageCanvas {
public:
    explicit GdiImageCanvas(HDC dc) : dc_(dc) {}
    // Images of other decoders are not drawn.
    void DrawImage(const IIconImages& images, std::size_t index, std::int32_t x, std::int32_t y) override;
    std::uint32_t BrushColor() const override { return brush_; }
    void SetBrushColor(std::uint32_t color) override { brush_ = color; }
    void FillRect(const Rect& rect) override;

private:
    HDC dc_;
    std::uint32_t brush_ = 0xFFFFFF;
};

}  // namespace kv::win32app
