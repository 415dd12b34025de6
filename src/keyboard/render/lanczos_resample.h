#pragma once
#include <cstdint>

#include "common/pixels32.h"

namespace kv {

// Resamples every channel with a Lanczos-3 filter (support radius 3 source pixels, widened by
// the scale when shrinking so that every source pixel counts). An empty source or target size
// gives an empty picture.
Pixels32 ResampleLanczos3(const Pixels32& source, std::int32_t width, std::int32_t height);

}  // namespace kv
