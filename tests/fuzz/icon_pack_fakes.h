#pragma once
// Pack files written byte by byte, and stand-ins for the platform's graphics and message boxes:
// shared by the native tests and the fuzz target.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/system_api.h"
#include "platform/text.h"
#include "resources/icon_pack_images.h"
#include "resources/icon_pack_pictures.h"

namespace kv::fuzz {

inline std::string Le16(std::uint16_t value) {
    return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

inline std::string Le32(std::uint32_t value) {
    return Le16(static_cast<std::uint16_t>(value & 0xFFFF)) + Le16(static_cast<std::uint16_t>(value >> 16));
}

inline std::string ShortString(std::string_view text) {
    return static_cast<char>(text.size()) + std::string(text);
}

// A 24-bit bottom-up bitmap file of the given size, every pixel pure green.
inline std::string BitmapFile(std::int32_t width, std::int32_t height = 16) {
    const std::uint32_t stride = (static_cast<std::uint32_t>(width) * 24 + 31) / 32 * 4;
    const std::uint32_t pixelBytes = stride * static_cast<std::uint32_t>(height);
    std::string rows;
    for (std::int32_t y = 0; y < height; ++y) {
        std::string row;
        for (std::int32_t x = 0; x < width; ++x) row += std::string("\x00\xFF\x00", 3);
        row.resize(stride, '\0');
        rows += row;
    }
    return "BM" + Le32(54 + pixelBytes) + Le32(0) + Le32(54) +                        // file header
           Le32(40) + Le32(static_cast<std::uint32_t>(width)) + Le32(static_cast<std::uint32_t>(height)) +
           Le16(1) + Le16(24) + Le32(0) + Le32(pixelBytes) + Le32(2835) + Le32(2835) + Le32(0) + Le32(0) + rows;
}

// An icon file of one 16 x 16 image whose data is `imageBytes` bytes.
inline std::string IconFile(std::uint32_t imageBytes = 40) {
    return Le16(0) + Le16(1) + Le16(1) + std::string("\x10\x10\x00\x00", 4) + Le16(1) + Le16(32) + Le32(imageBytes) +
           Le32(22) + std::string(imageBytes, '\x01');
}

struct PackEntryLayout {
    std::uint16_t modifiers = 0;
    std::uint8_t keyCode = 0;
    std::string hint;
};

struct PackLayout {
    std::string exeName;
    std::string windowClass;
    std::string comment;
    std::string icon;  // the bytes of an icon file, empty for none
    std::vector<PackEntryLayout> entries;
    std::string strip;
    std::optional<std::uint16_t> iconSizeField;  // written instead of the icon's size
    std::optional<std::uint16_t> countField;     // written instead of the number of entries
};

inline std::string PackFile(const PackLayout& pack) {
    std::string bytes = "PNI1" + ShortString(pack.exeName) + ShortString(pack.windowClass) + ShortString(pack.comment);
    bytes += Le16(pack.iconSizeField.value_or(static_cast<std::uint16_t>(pack.icon.size()))) + pack.icon;
    bytes += Le16(pack.countField.value_or(static_cast<std::uint16_t>(pack.entries.size())));
    for (const PackEntryLayout& entry : pack.entries) {
        bytes += Le16(entry.modifiers) + static_cast<char>(entry.keyCode) + ShortString(entry.hint);
    }
    return bytes + pack.strip;
}

// Windows-1252 for the characters the tests use: each byte is its Latin-1 code point.
inline std::u16string Latin1(std::string_view bytes) {
    std::u16string text;
    for (char c : bytes) text.push_back(static_cast<unsigned char>(c));
    return text;
}

class FakeIconImages : public IIconImages {
public:
    FakeIconImages(std::size_t count, std::string source) : count_(count), source_(std::move(source)) {}
    std::size_t Count() const override { return count_; }
    const std::string& Source() const { return source_; }

private:
    std::size_t count_;
    std::string source_;
};

// Decodes as an image list would: one image per whole 16 pixels of width.
class FakeIconDecoder : public IIconImageDecoder {
public:
    int calls = 0;
    std::unique_ptr<IIconImages> DecodeStrip(std::string_view bitmapFile, const BitmapFileInfo& info) override {
        ++calls;
        return std::make_unique<FakeIconImages>(static_cast<std::size_t>(info.width / kIconImageSize),
                                                std::string(bitmapFile));
    }
};

class RecordingImageCanvas : public IImageCanvas {
public:
    std::uint32_t brush = 0xFFFFFF;
    std::vector<std::string> calls;

    void DrawImage(const IIconImages& images, std::size_t index, std::int32_t x, std::int32_t y) override {
        if (index >= images.Count()) calls.push_back("image out of range");
        calls.push_back("image " + std::to_string(index) + " at " + std::to_string(x) + "," + std::to_string(y));
    }
    std::uint32_t BrushColor() const override { return brush; }
    void SetBrushColor(std::uint32_t color) override { brush = color; }
    void FillRect(const Rect& r) override {
        calls.push_back("fill " + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
                        "," + std::to_string(r.bottom) + " " + ColorText(brush));
    }

    static std::string ColorText(std::uint32_t color) {
        return "rgb(" + std::to_string(color & 0xFF) + "," + std::to_string(color >> 8 & 0xFF) + "," +
               std::to_string(color >> 16 & 0xFF) + ")";
    }
};

class RecordingMessageBoxes : public IMessageBoxes {
public:
    std::vector<std::u16string> texts;
    int Show(WindowHandle, std::u16string_view text, std::u16string_view, std::uint32_t) override {
        texts.emplace_back(text);
        return 1;
    }
};

}  // namespace kv::fuzz
