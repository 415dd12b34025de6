#pragma once
#include <cstdint>
#include <vector>

namespace kv {

// A 32-bit picture, row by row from the top; each pixel 0xAARRGGBB as GDI DIBs store it.
struct Pixels32 {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint32_t> pixels;

    Pixels32() = default;
    Pixels32(std::int32_t w, std::int32_t h, std::uint32_t fill = 0)
        : width(w), height(h), pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), fill) {}
    std::uint32_t At(std::int32_t x, std::int32_t y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    std::uint32_t& At(std::int32_t x, std::int32_t y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

}  // namespace kv
