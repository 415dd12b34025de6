#include "keyboard/render/lanczos_resample.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

std::uint32_t Blue(std::uint32_t p) { return p & 0xFF; }

TEST(LanczosResample, ConstantPictureStaysConstantAtEverySize) {
    const Pixels32 source(7, 5, 0xFF336699);
    for (const auto& [w, h] : {std::pair{7, 5}, {3, 2}, {20, 11}, {1, 1}}) {
        const Pixels32 target = ResampleLanczos3(source, w, h);
        ASSERT_EQ(target.width, w);
        ASSERT_EQ(target.height, h);
        for (std::uint32_t p : target.pixels) EXPECT_EQ(p, 0xFF336699u) << w << "x" << h;
    }
}

TEST(LanczosResample, HalvingACheckerboardAveragesIt) {
    Pixels32 board(32, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) board.At(x, y) = ((x + y) % 2 == 0) ? 0xFFFFFFFF : 0xFF000000;
    const Pixels32 half = ResampleLanczos3(board, 16, 16);
    // Away from the border (where the filter's window is cut) the symmetric filter weighs the
    // black and the white pixels alike: mid grey, 127.5 rounded.
    for (int y = 3; y < 13; ++y) {
        for (int x = 3; x < 13; ++x) {
            EXPECT_NEAR(static_cast<int>(Blue(half.At(x, y))), 128, 1) << x << "," << y;
            EXPECT_EQ(half.At(x, y) >> 24, 0xFFu);
        }
    }
}

TEST(LanczosResample, AnEdgeKeepsItsSide) {
    Pixels32 edge(12, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 12; ++x) edge.At(x, y) = x < 6 ? 0xFF000000 : 0xFF0000FF;
    for (int width : {6, 24}) {
        const Pixels32 target = ResampleLanczos3(edge, width, 4);
        const int half = width / 2;
        for (int y = 0; y < 4; ++y) {
            EXPECT_LT(Blue(target.At(0, y)), 8u);
            EXPECT_LT(Blue(target.At(half - 2, y)), 64u) << width;
            EXPECT_GT(Blue(target.At(half + 1, y)), 191u) << width;
            EXPECT_GT(Blue(target.At(width - 1, y)), 247u);
        }
    }
}

TEST(LanczosResample, EmptySizesGiveAnEmptyPicture) {
    EXPECT_TRUE(ResampleLanczos3(Pixels32(4, 4, 1), 0, 3).pixels.empty());
    EXPECT_TRUE(ResampleLanczos3(Pixels32(), 3, 3).pixels.empty());
}

}  // namespace
}  // namespace kv
