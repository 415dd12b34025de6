#pragma once
#include <cstdint>
#include <vector>

#include "common/pixels32.h"

namespace kv {

inline constexpr std::uint32_t kFlagMaskPixel = 0xFFFF00FF;  // magenta, the images' mask colour
inline constexpr std::int32_t kFlagOverrideMaxSide = 4096;

// The images a "Flags.bmp" strip beside the program puts in place of flags 1, 2, ... (flag 0, of
// no known language, is never replaced): each whole 16-pixel column gives a 16 × 16 image of
// magenta with the column's top 11 rows at rows 2..12. Columns past the built-in list and a
// partial last column are ignored; a strip larger than the bounds gives nothing.
std::vector<Pixels32> FlagOverrideImages(const Pixels32& strip);

}  // namespace kv
