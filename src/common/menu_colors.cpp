#include "common/menu_colors.h"

#include <cmath>

#include "platform/system_api.h"

namespace kv {

namespace {

// MulDiv: the product rounded half away from zero.
int MulDiv(int value, int numerator, int denominator) {
    return static_cast<int>(std::lround(static_cast<double>(value) * numerator / denominator));
}

int Channel(std::uint32_t color, int shift) { return static_cast<int>((color >> shift) & 0xFF); }

}  // namespace

std::uint32_t BlendSystemColors(const ISystemColors& system, int faceWeight, int highlightWeight, int windowWeight) {
    const std::uint32_t face = system.SystemColor(kColorButtonFace) & 0xFFFFFF;
    const std::uint32_t highlight = system.SystemColor(kColorHighlight) & 0xFFFFFF;
    const std::uint32_t window = system.SystemColor(kColorWindow) & 0xFFFFFF;
    if (face == 0 || face == 0xFFFFFF) return highlight;
    std::uint32_t result = 0;
    for (int shift : {0, 8, 16}) {
        int sum = MulDiv(Channel(face, shift), faceWeight, 100) + MulDiv(Channel(highlight, shift), highlightWeight, 100) +
                  MulDiv(Channel(window, shift), windowWeight, 100);
        sum = sum < 0 ? 0 : (sum > 255 ? 255 : sum);
        result |= static_cast<std::uint32_t>(sum) << shift;
    }
    return result;
}

std::uint32_t MenuHotColor(const ISystemColors& system) {
    return system.NearestScreenColor(BlendSystemColors(system, 14, 44, 40));
}

std::uint32_t MenuSelectColor(const ISystemColors& system) {
    return system.NearestScreenColor(BlendSystemColors(system, -2, 30, 72));
}

}  // namespace kv
