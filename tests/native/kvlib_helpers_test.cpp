#include <gtest/gtest.h>

#include "common/busy_cursor.h"
#include "common/canvas.h"
#include "common/menu_colors.h"
#include "common/screen_geometry.h"
#include "sim_platform.h"

namespace kv {
namespace {

TEST(ScreenGeometryTest, KeepOnWorkAreaAndClampToScreen) {
    const Rect area{0, 0, 1920, 1040};
    EXPECT_EQ(KeepOnWorkArea({-50, -20, 150, 80}, area), (Rect{0, 0, 200, 100}));
    EXPECT_EQ(KeepOnWorkArea({1800, 1000, 2000, 1100}, area), (Rect{1720, 940, 1920, 1040}));
    EXPECT_EQ(KeepOnWorkArea({10, 10, 2010, 20}, area), (Rect{-80, 10, 1920, 20}))
        << "wider than the area: the right edge wins";
    const Rect leftMonitor{-1280, 0, 0, 984};
    EXPECT_EQ(KeepOnWorkArea({-1300, 100, -1100, 200}, leftMonitor), (Rect{-1280, 100, -1080, 200}));

    const Rect screen{0, 0, 1920, 1080};
    EXPECT_EQ(ClampToScreen({-300, 10, -100, 60}, screen).left, -199);
    EXPECT_EQ(ClampToScreen({10, -80, 210, -30}, screen).top, -49);
    EXPECT_EQ(ClampToScreen({1920, 1080, 2120, 1180}, screen), (Rect{1919, 1079, 2119, 1179}));
    EXPECT_EQ(ClampToScreen({-199, 10, 1, 60}, screen).left, -199) << "one pixel visible stays";
}

TEST(BusyCursorTest, NestedBusyPeriodsKeepTheHourglass) {
    sim::SimPlatform os;
    BusyCursor cursor(os.desktop);
    cursor.Begin(false);
    cursor.Begin(false);
    cursor.End(false);
    EXPECT_EQ(os.desktop.Cursor(), CursorShape::Hourglass);
    cursor.End(false);
    EXPECT_EQ(os.desktop.Cursor(), CursorShape::Default);
    cursor.End(false);
    EXPECT_EQ(cursor.Count(), 0) << "never below zero";
    cursor.Begin(false);
    cursor.Begin(true);
    EXPECT_EQ(cursor.Count(), 1);
    cursor.Begin(false);
    cursor.End(true);
    EXPECT_EQ(os.desktop.Cursor(), CursorShape::Default);
}

TEST(MenuColorsTest, BlendsWithSignedWeightsAndClamps) {
    sim::SimPlatform os;
    os.desktop.SetSystemColor(kColorButtonFace, 0xC8D0D4);
    os.desktop.SetSystemColor(kColorHighlight, 0x6A240A);
    os.desktop.SetSystemColor(kColorWindow, 0xFFFFFF);
    // Per channel (red, green, blue) = face*w1/100 + highlight*w2/100 + window*w3/100, each rounded.
    const auto expect = [](int f, int h, int w, int wf, int wh, int ww) {
        auto round = [](double v) { return static_cast<int>(v < 0 ? v - 0.5 : v + 0.5); };
        int sum = round(f * wf / 100.0) + round(h * wh / 100.0) + round(w * ww / 100.0);
        return sum < 0 ? 0 : sum > 255 ? 255 : sum;
    };
    const std::uint32_t hot = BlendSystemColors(os.desktop, 14, 44, 40);
    EXPECT_EQ(hot & 0xFF, static_cast<std::uint32_t>(expect(0xD4, 0x0A, 0xFF, 14, 44, 40)));
    EXPECT_EQ((hot >> 8) & 0xFF, static_cast<std::uint32_t>(expect(0xD0, 0x24, 0xFF, 14, 44, 40)));
    EXPECT_EQ(hot >> 16, static_cast<std::uint32_t>(expect(0xC8, 0x6A, 0xFF, 14, 44, 40)));
    EXPECT_EQ(MenuHotColor(os.desktop), hot);
    const std::uint32_t select = MenuSelectColor(os.desktop);
    EXPECT_EQ(select & 0xFF, static_cast<std::uint32_t>(expect(0xD4, 0x0A, 0xFF, -2, 30, 72)));

    os.desktop.SetSystemColor(kColorWindow, 0xFFFFFF);
    os.desktop.SetSystemColor(kColorButtonFace, 0xFFFFFF);
    EXPECT_EQ(BlendSystemColors(os.desktop, 14, 44, 40), 0x6A240Au) << "white face: the highlight colour";
    os.desktop.SetSystemColor(kColorButtonFace, 0x000000);
    EXPECT_EQ(BlendSystemColors(os.desktop, 14, 44, 40), 0x6A240Au) << "black face: the highlight colour";
    os.desktop.SetSystemColor(kColorButtonFace, 0xFFFFFE);
    EXPECT_EQ(BlendSystemColors(os.desktop, 100, 100, 100), 0xFFFFFFu) << "channels clamp at 255";
}

TEST(TextFormatOptionsTest, EachOptionBecomesItsDrawTextFlag) {
    struct Case {
        std::uint32_t options;
        std::uint32_t flags;
    };
    // DT_CENTER 0x1, DT_RIGHT 0x2, DT_VCENTER 0x4, DT_SINGLELINE 0x20, DT_NOPREFIX 0x800,
    // DT_END_ELLIPSIS 0x8000; left and top are the zero defaults.
    const Case cases[] = {
        {0, 0},
        {kTextLeft | kTextTop, 0},
        {kTextRight, 0x2},
        {kTextSingleLine | kTextVerticalCenter | kTextCenter | kTextEndEllipsis, 0x20 | 0x4 | 0x1 | 0x8000},
        {kTextNoPrefix | kTextWordBreak, 0x800 | 0x10},
    };
    for (const Case& c : cases) EXPECT_EQ(ToDrawTextFlags(c.options), c.flags) << "options " << c.options;
}

}  // namespace
}  // namespace kv
