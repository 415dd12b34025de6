#include <gtest/gtest.h>

#include "common/busy_cursor.h"
#include "common/canvas.h"
#include "common/menu_colors.h"
#include "common/screen_geometry.h"
#include "common/text_helpers.h"
#include "platform/text.h"
#include "sim_platform.h"

namespace kv {
namespace {

TEST(TextHelpersTest, PaddingAndDelimiters) {
    EXPECT_EQ(PadRight(u"12345678", 6), u"123456");
    EXPECT_EQ(PadRight(u"7", 6), u"7     ");
    EXPECT_EQ(PadRight(u"", 0), u"");

    // Delimiters are tried in their order: the dot (position 4) wins over the earlier comma.
    EXPECT_EQ(FirstDelimiterPos(u"a,b.c", u".,"), 4u);
    EXPECT_EQ(FirstDelimiterPos(u"a,b.c", u",."), 2u);
    EXPECT_EQ(FirstDelimiterPos(u"abc", u".,"), 0u);
    EXPECT_EQ(TextBeforeDelimiters(u"a,b.c", u".,"), u"a,b");
    EXPECT_EQ(TextAfterDelimiters(u"a,b.c", u".,"), u"c");
    EXPECT_EQ(TextBeforeDelimiters(u"abc", u"."), u"abc");
    EXPECT_EQ(TextAfterDelimiters(u"abc", u"."), u"abc");
    EXPECT_EQ(TextAfterDelimiters(u"", u"."), u"");

    EXPECT_EQ(TextBefore(u"key=value=x", u"="), u"key");
    EXPECT_EQ(TextAfter(u"key=value=x", u"="), u"value=x");
    EXPECT_EQ(TextBefore(u"plain", u"="), u"plain");
    EXPECT_EQ(TextAfter(u"plain", u"="), u"");
    EXPECT_EQ(TextAfter(u"a::b", u"::"), u"b");
}

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

class RecordingCanvas : public ICanvas {
public:
    bool clearBrush = false;
    std::uint32_t brush = 0xFFFFFF;
    bool rtl = false;
    std::vector<std::string> calls;

    bool BrushIsClear() const override { return clearBrush; }
    std::uint32_t BrushColor() const override { return brush; }
    bool IsRightToLeft() const override { return rtl; }
    std::int32_t TextWidth(std::u16string_view text) const override { return 7 * static_cast<std::int32_t>(text.size()); }
    void TextOutClipped(const Rect&, std::int32_t x, std::int32_t y, std::u16string_view text, bool opaque) override {
        calls.push_back("text " + std::to_string(x) + "," + std::to_string(y) + " " + Utf16ToUtf8(text) +
                        (opaque ? " opaque" : " transparent"));
    }
    void DrawTextFormatted(const Rect&, std::u16string_view text, std::uint32_t flags) override {
        calls.push_back("draw " + Utf16ToUtf8(text) + " flags " + std::to_string(flags));
    }
    void DrawTextThroughWorkBitmap(const Rect&, std::int32_t x, std::int32_t y, std::u16string_view text,
                                   std::uint32_t, bool formatted) override {
        calls.push_back(std::string(formatted ? "bitmap-draw " : "bitmap-text ") + std::to_string(x) + "," +
                        std::to_string(y) + " " + Utf16ToUtf8(text));
    }
};

TEST(CanvasTextTest, OpaqueClearLimeAndRightToLeft) {
    const Rect rect{10, 20, 110, 40};
    RecordingCanvas canvas;
    DrawTextOn(canvas, rect, 12, 22, u"ab");
    canvas.clearBrush = true;
    DrawTextOn(canvas, rect, 12, 22, u"ab");
    canvas.clearBrush = false;
    canvas.rtl = true;
    DrawTextOn(canvas, rect, 12, 22, u"ab");
    canvas.rtl = false;
    canvas.brush = kColorLime;
    DrawTextOn(canvas, rect, 12, 22, u"ab");
    EXPECT_EQ(canvas.calls, (std::vector<std::string>{"text 12,22 ab opaque", "text 12,22 ab transparent",
                                                      "text 27,22 ab opaque", "bitmap-text 2,2 ab"}));
}

TEST(CanvasTextTest, FormattedTextDoublesLoneAmpersandsAndMapsFlags) {
    RecordingCanvas canvas;
    DrawFormattedText(canvas, {0, 0, 100, 20}, u"Save & Exit && more",
                      kTextSingleLine | kTextVerticalCenter | kTextCenter | kTextEndEllipsis);
    ASSERT_EQ(canvas.calls.size(), 1u);
    EXPECT_EQ(canvas.calls[0], "draw Save && Exit && more flags " + std::to_string(0x20 | 0x4 | 0x1 | 0x8000));
}

}  // namespace
}  // namespace kv
