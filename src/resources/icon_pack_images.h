#pragma once
// The graphics a pack needs. Decoding and pixels belong to the platform (an image list and a
// device context on Windows); the pack decides only what is drawn where.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/types.h"
#include "resources/icon_pack_pictures.h"

namespace kv {

// The 16 x 16 images of a pack, decoded from its image strip.
class IIconImages {
public:
    virtual ~IIconImages() = default;
    virtual std::size_t Count() const = 0;
};

// A device context, or the 16 x 16 bitmap of a key's hint.
class IImageCanvas {
public:
    virtual ~IImageCanvas() = default;
    // Image `index` of `images` with its top-left corner at (x, y); its transparent pixels leave
    // the canvas as it was.
    virtual void DrawImage(const IIconImages& images, std::size_t index, std::int32_t x, std::int32_t y) = 0;
    // Colours are 0x00BBGGRR.
    virtual std::uint32_t BrushColor() const = 0;
    virtual void SetBrushColor(std::uint32_t color) = 0;
    virtual void FillRect(const Rect& rect) = 0;
};

class IIconImageDecoder {
public:
    virtual ~IIconImageDecoder() = default;
    // Cuts a bitmap file that passed ReadBitmapFileInfo into images 16 pixels wide, pure green
    // (red 0, green 255, blue 0) transparent; null when the platform cannot decode it.
    virtual std::unique_ptr<IIconImages> DecodeStrip(std::string_view bitmapFile, const BitmapFileInfo& info) = 0;
};

}  // namespace kv
