#include "keyboard/render/lanczos_resample.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace kv {
namespace {

constexpr double kRadius = 3.0;

double Lanczos3(double x) {
    x = std::fabs(x);
    if (x < 1e-9) return 1.0;
    if (x >= kRadius) return 0.0;
    const double px = std::numbers::pi * x;
    return kRadius * std::sin(px) * std::sin(px / kRadius) / (px * px);
}

// The source taps of one target coordinate and their normalised weights.
struct Taps {
    std::int32_t first = 0;
    std::vector<double> weights;
};

std::vector<Taps> ComputeTaps(std::int32_t sourceSize, std::int32_t targetSize) {
    const double scale = static_cast<double>(targetSize) / sourceSize;
    const double stretch = scale < 1.0 ? 1.0 / scale : 1.0;  // the filter widens when shrinking
    const double support = kRadius * stretch;
    std::vector<Taps> all(static_cast<std::size_t>(targetSize));
    for (std::int32_t t = 0; t < targetSize; ++t) {
        const double centre = (t + 0.5) / scale;
        const auto first = static_cast<std::int32_t>(std::floor(centre - support));
        const auto last = static_cast<std::int32_t>(std::ceil(centre + support));
        Taps& taps = all[static_cast<std::size_t>(t)];
        std::vector<double> raw;
        std::int32_t lo = std::max(first, 0), hi = std::min(last, sourceSize - 1);
        double sum = 0;
        for (std::int32_t s = lo; s <= hi; ++s) {
            const double w = Lanczos3((s + 0.5 - centre) / stretch);
            raw.push_back(w);
            sum += w;
        }
        if (sum == 0) {  // cannot happen for a non-empty window; keep the nearest pixel then
            lo = std::clamp(static_cast<std::int32_t>(centre), 0, sourceSize - 1);
            raw.assign(1, 1.0);
            sum = 1;
        }
        for (double& w : raw) w /= sum;
        taps.first = lo;
        taps.weights = std::move(raw);
    }
    return all;
}

std::uint32_t Channel(std::uint32_t pixel, int shift) { return (pixel >> shift) & 0xFFu; }

std::uint32_t ToByte(double v) { return static_cast<std::uint32_t>(std::clamp(std::lround(v), 0L, 255L)); }

}  // namespace

Pixels32 ResampleLanczos3(const Pixels32& source, std::int32_t width, std::int32_t height) {
    if (source.width <= 0 || source.height <= 0 || width <= 0 || height <= 0) return {};
    const std::vector<Taps> columns = ComputeTaps(source.width, width);
    const std::vector<Taps> rows = ComputeTaps(source.height, height);

    // Horizontal pass into floating-point rows, then the vertical pass into the target. Single
    // precision keeps the intermediate rows at 16 bytes a pixel.
    const std::size_t channels = 4;
    std::vector<float> middle(static_cast<std::size_t>(width) * source.height * channels);
    for (std::int32_t y = 0; y < source.height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            const Taps& taps = columns[static_cast<std::size_t>(x)];
            double acc[4] = {0, 0, 0, 0};
            for (std::size_t i = 0; i < taps.weights.size(); ++i) {
                const std::uint32_t p = source.At(taps.first + static_cast<std::int32_t>(i), y);
                for (int c = 0; c < 4; ++c) acc[c] += taps.weights[i] * Channel(p, c * 8);
            }
            float* out = &middle[(static_cast<std::size_t>(y) * width + x) * channels];
            for (int c = 0; c < 4; ++c) out[c] = static_cast<float>(acc[c]);
        }
    }
    Pixels32 target(width, height);
    for (std::int32_t y = 0; y < height; ++y) {
        const Taps& taps = rows[static_cast<std::size_t>(y)];
        for (std::int32_t x = 0; x < width; ++x) {
            double acc[4] = {0, 0, 0, 0};
            for (std::size_t i = 0; i < taps.weights.size(); ++i) {
                const float* in =
                    &middle[(static_cast<std::size_t>(taps.first + static_cast<std::int32_t>(i)) * width + x) * channels];
                for (int c = 0; c < 4; ++c) acc[c] += taps.weights[i] * in[c];
            }
            std::uint32_t p = 0;
            for (int c = 0; c < 4; ++c) p |= ToByte(acc[c]) << (c * 8);
            target.At(x, y) = p;
        }
    }
    return target;
}

}  // namespace kv
