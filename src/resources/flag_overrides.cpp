#include "resources/flag_overrides.h"

#include <algorithm>

#include "resources/lang_flags.h"

namespace kv {

std::vector<Pixels32> FlagOverrideImages(const Pixels32& strip) {
    std::vector<Pixels32> images;
    if (strip.width <= 0 || strip.height <= 0 || strip.width > kFlagOverrideMaxSide ||
        strip.height > kFlagOverrideMaxSide ||
        strip.pixels.size() != static_cast<std::size_t>(strip.width) * static_cast<std::size_t>(strip.height))
        return images;
    const std::int32_t count = std::min(strip.width / 16, kLangFlagCount - 1);
    const std::int32_t rows = std::min(strip.height, 11);
    for (std::int32_t i = 0; i < count; ++i) {
        Pixels32 image(16, 16, kFlagMaskPixel);
        for (std::int32_t y = 0; y < rows; ++y)
            for (std::int32_t x = 0; x < 16; ++x) image.At(x, y + 2) = strip.At(16 * i + x, y) | 0xFF000000u;
        images.push_back(std::move(image));
    }
    return images;
}

}  // namespace kv
