#include "resources/flag_overrides.h"

#include <gtest/gtest.h>

#include "resources/lang_flags.h"

namespace kv {
namespace {

// Each pixel tells its column and row, so the test sees where every one went.
Pixels32 NumberedStrip(std::int32_t width, std::int32_t height) {
    Pixels32 strip(width, height);
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x) strip.At(x, y) = static_cast<std::uint32_t>(x << 8 | y);
    return strip;
}

TEST(FlagOverrides, FortyPixelsReplaceTwoFlagsAndIgnoreTheLastEightColumns) {
    const auto images = FlagOverrideImages(NumberedStrip(40, 16));
    ASSERT_EQ(images.size(), 2u);
    for (std::int32_t i = 0; i < 2; ++i) {
        const Pixels32& image = images[static_cast<std::size_t>(i)];
        ASSERT_EQ(image.width, 16);
        ASSERT_EQ(image.height, 16);
        for (std::int32_t y = 0; y < 16; ++y) {
            for (std::int32_t x = 0; x < 16; ++x) {
                const std::uint32_t expected =
                    (y >= 2 && y < 13) ? (0xFF000000u | static_cast<std::uint32_t>((16 * i + x) << 8 | (y - 2)))
                                       : kFlagMaskPixel;
                EXPECT_EQ(image.At(x, y), expected) << i << ": " << x << "," << y;
            }
        }
    }
}

TEST(FlagOverrides, ShortWideAndOversizedStrips) {
    const auto shortStrip = FlagOverrideImages(NumberedStrip(16, 4));
    ASSERT_EQ(shortStrip.size(), 1u);
    EXPECT_EQ(shortStrip[0].At(3, 5), 0xFF000000u | (3u << 8 | 3u));
    EXPECT_EQ(shortStrip[0].At(3, 6), kFlagMaskPixel);  // below the strip's last row

    EXPECT_EQ(FlagOverrideImages(NumberedStrip(16 * 100, 11)).size(), static_cast<std::size_t>(kLangFlagCount - 1));
    EXPECT_TRUE(FlagOverrideImages(NumberedStrip(15, 11)).empty());
    EXPECT_TRUE(FlagOverrideImages(Pixels32(kFlagOverrideMaxSide + 16, 1)).empty());
    EXPECT_TRUE(FlagOverrideImages(Pixels32()).empty());
}

}  // namespace
}  // namespace kv
