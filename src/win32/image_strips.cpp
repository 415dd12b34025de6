#include "win32/image_strips.h"

#include <commctrl.h>

#include <cstdint>
#include <utility>

#include "win32/res/resource_ids.h"

namespace kv::win32app {

bool UseLargeImages() {
    const win32::WindowDc screen(nullptr);
    return GetDeviceCaps(screen.Get(), LOGPIXELSX) >= 144;
}

ImageStrip::ImageStrip(CommonControls& controls, int normalId, int largeId, int imageSize, bool masked,
                       HINSTANCE module)
    : controls_(controls), module_(module ? module : GetModuleHandleW(nullptr)), masked_(masked) {
    const bool large = UseLargeImages();
    resourceId_ = large ? largeId : normalId;
    size_ = large ? imageSize * 2 : imageSize;
}

ImageStrip::ImageStrip(CommonControls& controls, FixedSize, int resourceId, int imageSize, bool masked)
    : controls_(controls), module_(GetModuleHandleW(nullptr)), resourceId_(resourceId), masked_(masked), size_(imageSize) {}

ImageStrip::~ImageStrip() { controls_.Destroy(list_); }

HIMAGELIST ImageStrip::List() {
    if (!loaded_) {
        loaded_ = true;
        list_ = controls_.LoadImageStrip(module_, resourceId_, size_,
                                         masked_ ? COLORREF{KV_ART_MASK_COLOUR} : CLR_NONE, LR_CREATEDIBSECTION);
        ApplyReplacements();
    }
    return list_;
}

void ImageStrip::ReplaceImages(int first, std::vector<Pixels32> images) {
    firstReplaced_ = first;
    replacements_ = std::move(images);
    if (loaded_) ApplyReplacements();
}

void ImageStrip::ApplyReplacements() {
    if (!list_) return;
    const int count = controls_.ImageCount(list_);
    const std::uint32_t maskPixel = 0x00FFFFFFu & KV_ART_MASK_COLOUR;  // magenta reads the same as RGB and BGR
    // A masked list keeps black under its mask; an unmasked one shows its white background.
    const std::uint32_t background = masked_ ? 0x000000u : 0xFFFFFFu;
    const int stride = size_ * 3;  // a multiple of 4: sizes are 16 or 32
    const int maskStride = (size_ + 15) / 16 * 2;
    for (std::size_t i = 0; i < replacements_.size(); ++i) {
        const int index = firstReplaced_ + static_cast<int>(i);
        const Pixels32& image = replacements_[i];
        if (index >= count || image.width <= 0 || image.height <= 0) continue;
        std::vector<std::uint8_t> colour(static_cast<std::size_t>(stride) * size_);
        std::vector<std::uint8_t> mask(static_cast<std::size_t>(maskStride) * size_, 0);
        for (int y = 0; y < size_; ++y) {
            for (int x = 0; x < size_; ++x) {
                std::uint32_t pixel = image.At(x * image.width / size_, y * image.height / size_) & 0x00FFFFFFu;
                if (pixel == maskPixel) {
                    pixel = background;
                    mask[static_cast<std::size_t>(y) * maskStride + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
                }
                std::uint8_t* out = &colour[static_cast<std::size_t>(y) * stride + x * 3];
                out[0] = static_cast<std::uint8_t>(pixel);
                out[1] = static_cast<std::uint8_t>(pixel >> 8);
                out[2] = static_cast<std::uint8_t>(pixel >> 16);
            }
        }
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = size_;
        info.bmiHeader.biHeight = -size_;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        info.bmiHeader.biCompression = BI_RGB;
        const win32::WindowDc screen(nullptr);
        win32::UniqueBitmap bitmap(
            CreateDIBitmap(screen.Get(), &info.bmiHeader, CBM_INIT, colour.data(), &info, DIB_RGB_COLORS));
        win32::UniqueBitmap maskBitmap(masked_ ? CreateBitmap(size_, size_, 1, 1, mask.data()) : nullptr);
        if (bitmap) controls_.Replace(list_, index, bitmap.Get(), maskBitmap.Get());
    }
}

win32::UniqueIcon ImageStrip::CreateIcon(int index) {
    HIMAGELIST list = List();
    if (!list || index < 0 || index >= controls_.ImageCount(list)) return {};
    return win32::UniqueIcon(controls_.GetIcon(list, index, ILD_TRANSPARENT));
}

bool ImageStrip::Draw(int index, HDC dc, int x, int y) {
    HIMAGELIST list = List();
    return list && index >= 0 && index < controls_.ImageCount(list) &&
           controls_.Draw(list, index, dc, x, y, ILD_TRANSPARENT);
}

LanguageFlags::LanguageFlags(CommonControls& controls)
    : normal_(controls, ImageStrip::FixedSize{}, IDB_FLAGS, 16, false),
      large_(controls, ImageStrip::FixedSize{}, IDB_FLAGS_LARGE, 32, false) {}

bool LanguageFlags::Draw(int scale, int index, HDC dc, int x, int y) {
    return (scale > 1 ? large_ : normal_).Draw(index, dc, x, y);
}

void LanguageFlags::ReplaceImages(int first, const std::vector<Pixels32>& images) {
    normal_.ReplaceImages(first, images);
    large_.ReplaceImages(first, images);
}

}  // namespace kv::win32app
