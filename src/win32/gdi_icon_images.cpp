#include "win32/gdi_icon_images.h"

#include <vector>

namespace kv::win32app {

namespace {

constexpr COLORREF kTransparent = RGB(0, 255, 0);
constexpr std::size_t kFileHeaderSize = 14;

}  // namespace

std::unique_ptr<IIconImages> GdiIconDecoder::DecodeStrip(std::string_view bitmapFile, const BitmapFileInfo& info) {
    // GDI reads run-length data up to a size the file states; the checks before only vouch for
    // uncompressed rows.
    if (info.compression == BI_RLE8 || info.compression == BI_RLE4) return nullptr;
    if (info.width < kIconImageSize || info.height <= 0 || bitmapFile.size() <= kFileHeaderSize) return nullptr;
    const auto* packed = reinterpret_cast<const BITMAPINFO*>(bitmapFile.data() + kFileHeaderSize);
    const void* pixels = bitmapFile.data() + info.pixelOffset;

    const int width = info.width, height = kIconImageSize;
    BITMAPINFO target{};
    target.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    target.bmiHeader.biWidth = width;
    target.bmiHeader.biHeight = -height;  // top-down
    target.bmiHeader.biPlanes = 1;
    target.bmiHeader.biBitCount = 32;
    target.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const win32::WindowDc screen(nullptr);
    win32::UniqueBitmap colour(CreateDIBSection(screen.Get(), &target, DIB_RGB_COLORS, &bits, nullptr, 0));
    win32::UniqueBitmap mask(CreateBitmap(width, height, 1, 1, nullptr));
    bool drawn = false;
    if (colour && mask && bits) {
        const win32::MemoryDc into(screen.Get());
        const win32::SelectedObject selected(into.Get(), colour.Get());
        // The strip's top 16 rows, whatever its own height and row order.
        const int sourceY = info.topDown ? 0 : info.height - height;  // bottom-up rows count from the bottom
        drawn = into && StretchDIBits(into.Get(), 0, 0, width, height, 0, sourceY, width, height, pixels, packed,
                                      DIB_RGB_COLORS, SRCCOPY) != 0;
    }
    if (!drawn) return nullptr;
    GdiFlush();

    auto* pixel = static_cast<std::uint32_t*>(bits);
    const int maskStride = ((width + 15) / 16) * 2;  // monochrome rows are word aligned
    std::vector<BYTE> maskBits(static_cast<std::size_t>(maskStride) * height, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint32_t& p = pixel[static_cast<std::size_t>(y) * width + x];
            if ((p & 0x00FFFFFF) != 0x0000FF00) continue;  // 0x00RRGGBB in a DIB
            p = 0;
            maskBits[static_cast<std::size_t>(y) * maskStride + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
        }
    }
    SetBitmapBits(mask.Get(), static_cast<LONG>(maskBits.size()), maskBits.data());
    return std::make_unique<GdiIconImages>(std::move(colour), std::move(mask),
                                           static_cast<std::size_t>(width / kIconImageSize));
}

void GdiIconImages::Draw(HDC dc, std::size_t index, int x, int y) const {
    if (index >= count_) return;
    const int sourceX = static_cast<int>(index) * kIconImageSize;
    const win32::MemoryDc maskDc(dc);
    const win32::SelectedObject mask(maskDc.Get(), mask_.Get());
    const win32::MemoryDc colourDc(dc);
    const win32::SelectedObject colour(colourDc.Get(), colour_.Get());
    const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
    BitBlt(dc, x, y, kIconImageSize, kIconImageSize, maskDc.Get(), sourceX, 0, SRCAND);
    BitBlt(dc, x, y, kIconImageSize, kIconImageSize, colourDc.Get(), sourceX, 0, SRCPAINT);
    SetBkColor(dc, oldBack);
    SetTextColor(dc, oldText);
}

void GdiImageCanvas::DrawImage(const IIconImages& images, std::size_t index, std::int32_t x, std::int32_t y) {
    if (const auto* gdi = dynamic_cast<const GdiIconImages*>(&images)) gdi->Draw(dc_, index, x, y);
}

void GdiImageCanvas::FillRect(const Rect& rect) {
    win32::UniqueBrush brush(CreateSolidBrush(brush_));
    const RECT r{rect.left, rect.top, rect.right, rect.bottom};
    ::FillRect(dc_, &r, brush.Get());
}

}  // namespace kv::win32app
