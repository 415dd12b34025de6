#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "common/canvas.h"
#include "theme/kv_theme.h"
#include "theme/tab_canvas.h"
#include "theme/tab_header.h"

namespace kv {
namespace {

struct Pixel {
    std::int32_t x, y;
    std::uint32_t color;
    friend bool operator==(const Pixel&, const Pixel&) = default;
};

struct TextCall {
    Rect rect;
    std::u16string text;
    std::uint32_t color;
    std::uint32_t options;
    std::optional<ThemeFont> font;  // the font selected while the text was written
};

// Records every drawing call in order.
class RecordingTabCanvas : public ITabCanvas {
public:
    void FillVerticalGradient(const Rect& rect, std::uint32_t top, std::uint32_t bottom) override {
        calls.push_back("gradient");
        gradientRect = rect;
        gradientTop = top;
        gradientBottom = bottom;
    }
    void DrawPolyline(std::span<const Point> points, std::uint32_t penColor) override {
        calls.push_back("polyline");
        polyline.assign(points.begin(), points.end());
        polylineColor = penColor;
    }
    void PutPixel(std::int32_t x, std::int32_t y, std::uint32_t color) override {
        calls.push_back("pixel");
        pixels.push_back({x, y, color});
    }
    void SelectFontWithClearBrush(const ThemeFont& font) override {
        calls.push_back("select font");
        selected = font;
    }
    void RestoreFontAndBrush() override {
        calls.push_back("restore");
        selected.reset();
    }
    void WriteText(const Rect& rect, std::u16string_view text, std::uint32_t color, std::uint32_t options) override {
        calls.push_back("text");
        texts.push_back({rect, std::u16string(text), color, options, selected});
    }

    std::vector<std::string> calls;
    Rect gradientRect;
    std::uint32_t gradientTop = 0, gradientBottom = 0;
    std::vector<Point> polyline;
    std::uint32_t polylineColor = 0;
    std::vector<Pixel> pixels;
    std::optional<ThemeFont> selected;
    std::vector<TextCall> texts;
};

TKvTheme TabTheme() {
    TKvTheme theme;
    theme.TabActiveFrom = 0x111111;
    theme.TabActiveTo = 0x222222;
    theme.TabActiveText = 0x333333;
    theme.TabInactiveFrom = 0x444444;
    theme.TabInactiveTo = 0x555555;
    theme.TabInactiveText = 0x666666;
    theme.Frame = 0x800000;
    return theme;
}

TEST(PaintTabHeader, FortyPixelTabDrawsOutlineAccentsAndAnEllipsedCaption) {
    RecordingTabCanvas canvas;
    PaintTabHeader(canvas, TabTheme(), 40, true, 0x00FF00, u"Standard");

    EXPECT_EQ(canvas.calls, (std::vector<std::string>{"gradient", "polyline", "pixel", "pixel", "pixel", "pixel",
                                                      "pixel", "pixel", "select font", "text", "restore"}));
    EXPECT_EQ(canvas.gradientRect, (Rect{1, 1, 39, 19}));
    EXPECT_EQ(canvas.gradientTop, 0x111111u);
    EXPECT_EQ(canvas.gradientBottom, 0x222222u);

    const std::vector<Point> outline{{0, 19}, {0, 5},  {1, 4},  {1, 3},  {3, 1},  {4, 1},  {5, 0},  {34, 0},
                                     {35, 1}, {36, 1}, {38, 3}, {38, 4}, {39, 5}, {39, 19}, {0, 19}};
    EXPECT_EQ(canvas.polyline, outline);
    EXPECT_EQ(canvas.polylineColor, 0x800000u);

    const std::vector<Pixel> accents{{1, 1, 0x00FF00}, {2, 1, 0x00FF00},  {1, 2, 0x00FF00},
                                     {38, 1, 0x00FF00}, {37, 1, 0x00FF00}, {38, 2, 0x00FF00}};
    EXPECT_EQ(canvas.pixels, accents);

    ASSERT_EQ(canvas.texts.size(), 1u);
    const TextCall& caption = canvas.texts[0];
    EXPECT_EQ(caption.rect, (Rect{7, 3, 10, 18}));
    EXPECT_EQ(caption.rect.Width(), 3);
    EXPECT_EQ(caption.text, u"Standard");
    EXPECT_EQ(caption.color, 0x333333u);
    EXPECT_EQ(caption.options, static_cast<std::uint32_t>(kTextSingleLine | kTextEndEllipsis));
    EXPECT_EQ(caption.font, (ThemeFont{u"Tahoma", FontStyle{true, false}, 8}));
    EXPECT_FALSE(canvas.selected.has_value()) << "the canvas font and brush are given back";
}

TEST(PaintTabHeader, InactiveTabUsesTheInactiveGradientAndText) {
    RecordingTabCanvas canvas;
    PaintTabHeader(canvas, TabTheme(), 200, false, 0x0000FF, u"Keys");
    EXPECT_EQ(canvas.gradientRect, (Rect{1, 1, 199, 19}));
    EXPECT_EQ(canvas.gradientTop, 0x444444u);
    EXPECT_EQ(canvas.gradientBottom, 0x555555u);
    ASSERT_EQ(canvas.texts.size(), 1u);
    EXPECT_EQ(canvas.texts[0].rect, (Rect{7, 3, 170, 18}));
    EXPECT_EQ(canvas.texts[0].color, 0x666666u);
    ASSERT_EQ(canvas.pixels.size(), 6u);
    EXPECT_EQ(canvas.pixels[3], (Pixel{198, 1, 0x0000FF}));
}

}  // namespace
}  // namespace kv
