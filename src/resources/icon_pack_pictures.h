#pragma once
// Checks of the two pictures a pack file carries, made before any byte reaches the platform's
// graphics: every size and offset is checked against the bytes there are, in 64-bit arithmetic.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace kv {

inline constexpr std::int32_t kIconImageSize = 16;  // a pack image is 16 x 16 pixels
// Entry positions are 16-bit and 65500 marks a key without entries, so no more images than that.
inline constexpr std::size_t kMaxPackImages = 65500;
// A strip of the most images, 16 rows high; the platform decodes no more pixels than this.
inline constexpr std::uint64_t kMaxStripPixels = std::uint64_t{1} << 24;

// What the header of a Windows bitmap file says about its pixels.
struct BitmapFileInfo {
    std::int32_t width = 0;
    std::int32_t height = 0;  // rows, always positive
    bool topDown = false;
    std::uint16_t bitsPerPixel = 0;
    std::uint32_t compression = 0;  // BI_RGB 0, BI_RLE8 1, BI_RLE4 2, BI_BITFIELDS 3
    std::uint32_t pixelOffset = 0;  // from the start of the file
    friend bool operator==(const BitmapFileInfo&, const BitmapFileInfo&) = default;
};

// The header of a complete Windows bitmap file (file header included) whose header, colour table
// and, uncompressed, pixel rows lie inside `bytes`; none for anything else, for compressions
// other than RLE and bit fields, and for more than kMaxStripPixels pixels or a width of more than
// kMaxPackImages images.
std::optional<BitmapFileInfo> ReadBitmapFileInfo(std::string_view bytes);

// True for the bytes of an icon file: a directory of at least one image, each image inside the data.
bool IsIconFile(std::string_view bytes);

}  // namespace kv
