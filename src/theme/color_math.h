#pragma once
#include <cstdint>

namespace kv {

// Each channel scaled to `percent`, rounded.
std::uint32_t DarkColor(std::uint32_t color, int percent);
// Each channel scaled to `percent` and lifted by the rest of the way to white, rounded.
std::uint32_t LightColor(std::uint32_t color, int percent);
// `percentOfFirst` of `first` plus the rest of `second`, channel by channel, rounded.
std::uint32_t MixColors(std::uint32_t first, std::uint32_t second, int percentOfFirst);

}  // namespace kv
