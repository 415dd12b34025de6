#include "resources/icon_pack_pictures.h"

namespace kv {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kBiRle4 = 2;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::uint32_t kMaxColorTable = 256;
constexpr std::size_t kIconDirectorySize = 6;
constexpr std::size_t kIconEntrySize = 16;

// Callers check that [offset, offset + size) lies inside `bytes`.
std::uint16_t U16At(std::string_view bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[offset]) |
                                      static_cast<unsigned char>(bytes[offset + 1]) << 8);
}

std::uint32_t U32At(std::string_view bytes, std::size_t offset) {
    return static_cast<std::uint32_t>(U16At(bytes, offset)) | static_cast<std::uint32_t>(U16At(bytes, offset + 2)) << 16;
}

bool IsKnownInfoHeaderSize(std::uint32_t size) {
    return size == kInfoHeaderSize || size == 52 || size == 56 || size == 108 || size == 124;
}

bool BitsFitCompression(std::uint16_t bits, std::uint32_t compression) {
    switch (compression) {
        case kBiRgb: return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
        case kBiRle8: return bits == 8;
        case kBiRle4: return bits == 4;
        case kBiBitfields: return bits == 16 || bits == 32;
        default: return false;
    }
}

}  // namespace

std::optional<BitmapFileInfo> ReadBitmapFileInfo(std::string_view bytes) {
    if (bytes.size() < kFileHeaderSize + 4 || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
    const std::uint32_t headerSize = U32At(bytes, kFileHeaderSize);
    const bool core = headerSize == kCoreHeaderSize;
    if (!core && !IsKnownInfoHeaderSize(headerSize)) return std::nullopt;
    const std::uint64_t headerEnd = kFileHeaderSize + std::uint64_t{headerSize};
    if (headerEnd > bytes.size()) return std::nullopt;

    BitmapFileInfo info;
    info.pixelOffset = U32At(bytes, 10);
    std::int64_t height = 0;
    std::uint16_t planes = 0;
    std::uint32_t colorsUsed = 0;
    std::uint64_t maskBytes = 0;
    if (core) {
        info.width = U16At(bytes, 18);
        height = U16At(bytes, 20);
        planes = U16At(bytes, 22);
        info.bitsPerPixel = U16At(bytes, 24);
        if (info.bitsPerPixel == 16 || info.bitsPerPixel == 32) return std::nullopt;
    } else {
        info.width = static_cast<std::int32_t>(U32At(bytes, 18));
        height = static_cast<std::int32_t>(U32At(bytes, 22));
        planes = U16At(bytes, 26);
        info.bitsPerPixel = U16At(bytes, 28);
        info.compression = U32At(bytes, 30);
        colorsUsed = U32At(bytes, 46);
        // A bare info header is followed by the three colour masks.
        if (headerSize == kInfoHeaderSize && info.compression == kBiBitfields) maskBytes = 12;
    }
    if (planes != 1 || !BitsFitCompression(info.bitsPerPixel, info.compression)) return std::nullopt;
    if (info.width <= 0 || height == 0) return std::nullopt;
    info.topDown = height < 0;
    if (info.topDown && info.compression != kBiRgb && info.compression != kBiBitfields) return std::nullopt;
    const std::uint64_t rows = static_cast<std::uint64_t>(height < 0 ? -height : height);
    const std::uint64_t width = static_cast<std::uint64_t>(info.width);
    if (width > kMaxPackImages * kIconImageSize || width * rows > kMaxStripPixels) return std::nullopt;
    info.height = static_cast<std::int32_t>(rows);

    const std::uint64_t fullTable = info.bitsPerPixel <= 8 ? std::uint64_t{1} << info.bitsPerPixel : 0;
    if (colorsUsed > kMaxColorTable || (fullTable != 0 && colorsUsed > fullTable)) return std::nullopt;
    const std::uint64_t tableEntries = colorsUsed != 0 ? colorsUsed : fullTable;
    const std::uint64_t tableEnd = headerEnd + maskBytes + tableEntries * (core ? 3 : 4);
    if (tableEnd > bytes.size()) return std::nullopt;

    if (info.pixelOffset < headerEnd || info.pixelOffset >= bytes.size()) return std::nullopt;
    if (info.compression == kBiRgb || info.compression == kBiBitfields) {
        const std::uint64_t stride = (width * info.bitsPerPixel + 31) / 32 * 4;
        if (info.pixelOffset + stride * rows > bytes.size()) return std::nullopt;
    }
    return info;
}

bool IsIconFile(std::string_view bytes) {
    if (bytes.size() < kIconDirectorySize) return false;
    const std::uint16_t reserved = U16At(bytes, 0);
    const std::uint16_t type = U16At(bytes, 2);
    const std::uint16_t count = U16At(bytes, 4);
    if (reserved != 0 || type != 1 || count == 0) return false;
    const std::uint64_t directoryEnd = kIconDirectorySize + std::uint64_t{count} * kIconEntrySize;
    if (directoryEnd > bytes.size()) return false;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = kIconDirectorySize + i * kIconEntrySize;
        const std::uint64_t size = U32At(bytes, entry + 8);
        const std::uint64_t offset = U32At(bytes, entry + 12);
        if (size == 0 || offset < directoryEnd || offset + size > bytes.size()) return false;
    }
    return true;
}

}  // namespace kv
