#include "theme/color_math.h"

#include <algorithm>

namespace kv {

namespace {

int Channel(std::uint32_t color, int shift) { return static_cast<int>((color >> shift) & 0xFF); }

// numerator / 100, halves rounded away from zero.
int RoundPercent(int numerator) { return numerator >= 0 ? (numerator + 50) / 100 : -((-numerator + 50) / 100); }

template <class ChannelFn>
std::uint32_t MapChannels(ChannelFn fn) {
    std::uint32_t result = 0;
    for (int shift : {0, 8, 16}) result |= static_cast<std::uint32_t>(std::clamp(fn(shift), 0, 255)) << shift;
    return result;
}

}  // namespace

std::uint32_t DarkColor(std::uint32_t color, int percent) {
    return MapChannels([&](int shift) { return RoundPercent(Channel(color, shift) * percent); });
}

std::uint32_t LightColor(std::uint32_t color, int percent) {
    const int lift = RoundPercent(255 * (100 - percent));
    return MapChannels([&](int shift) { return RoundPercent(Channel(color, shift) * percent) + lift; });
}

std::uint32_t MixColors(std::uint32_t first, std::uint32_t second, int percentOfFirst) {
    return MapChannels([&](int shift) {
        return RoundPercent(Channel(first, shift) * percentOfFirst + Channel(second, shift) * (100 - percentOfFirst));
    });
}

}  // namespace kv
