// Pack pictures decoded and drawn with GDI: pure green stays transparent, the rest is drawn.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/win32/win32_handles.h"
#include "resources/icon_pack_pictures.h"
#include "win32/gdi_icon_images.h"

namespace kv::win32app {
namespace {

// A 24-bit bottom-up strip of two 16 x 16 images: each a red (first) or blue (second) square
// inside a pure green frame two pixels wide.
std::string TwoImageStrip() {
    const int width = 32, height = 16, rowBytes = width * 3;
    std::string pixels;
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const int inImage = x % 16;
            const bool frame = inImage < 2 || inImage > 13 || y < 2 || y > 13;
            const COLORREF c = frame ? RGB(0, 255, 0) : (x < 16 ? RGB(220, 0, 0) : RGB(0, 0, 220));
            pixels += static_cast<char>(GetBValue(c));
            pixels += static_cast<char>(GetGValue(c));
            pixels += static_cast<char>(GetRValue(c));
        }
    }
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = static_cast<DWORD>(rowBytes * height);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + info.biSizeImage;
    return std::string(reinterpret_cast<const char*>(&file), sizeof file) +
           std::string(reinterpret_cast<const char*>(&info), sizeof info) + pixels;
}

TEST(GdiIconImagesTest, GreenIsTransparentAndEachImageDrawsItsOwnPixels) {
    const std::string strip = TwoImageStrip();
    const std::optional<BitmapFileInfo> info = ReadBitmapFileInfo(strip);
    ASSERT_TRUE(info.has_value());
    GdiIconDecoder decoder;
    const std::unique_ptr<IIconImages> images = decoder.DecodeStrip(strip, *info);
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(images->Count(), 2u);

    const win32::WindowDc screen(nullptr);
    const win32::MemoryDc memory(screen.Get());
    const win32::UniqueBitmap target(CreateCompatibleBitmap(screen.Get(), 40, 20));
    const win32::SelectedObject selected(memory.Get(), target.Get());
    const HDC dc = memory.Get();
    {
        GdiImageCanvas canvas(dc);
        canvas.SetBrushColor(RGB(255, 255, 255));
        canvas.FillRect({0, 0, 40, 20});
        canvas.DrawImage(*images, 0, 2, 2);
        canvas.DrawImage(*images, 1, 20, 2);
        canvas.DrawImage(*images, 2, 20, 2);  // out of range: nothing
    }
    EXPECT_EQ(GetPixel(dc, 2 + 8, 2 + 8), RGB(220, 0, 0));
    EXPECT_EQ(GetPixel(dc, 2 + 0, 2 + 0), RGB(255, 255, 255)) << "the frame lets the canvas through";
    EXPECT_EQ(GetPixel(dc, 2 + 15, 2 + 8), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 20 + 8, 2 + 8), RGB(0, 0, 220));
    EXPECT_EQ(GetPixel(dc, 20 + 1, 2 + 8), RGB(255, 255, 255));
}

TEST(GdiIconImagesTest, RunLengthStripsAreRefused) {
    std::string strip = TwoImageStrip();
    std::optional<BitmapFileInfo> info = ReadBitmapFileInfo(strip);
    ASSERT_TRUE(info.has_value());
    info->compression = BI_RLE8;
    GdiIconDecoder decoder;
    EXPECT_EQ(decoder.DecodeStrip(strip, *info), nullptr);
}

}  // namespace
}  // namespace kv::win32app
