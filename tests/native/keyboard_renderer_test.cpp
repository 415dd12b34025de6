// The keyboard image as drawing operations: which colours each key gets and where its label and
// character go, on the built-in geometry of the simulated machine.
#include "keyboard/render/keyboard_renderer.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "common/key_classes.h"
#include "keyboard/key_outline.h"
#include "keyboard/render/polygon_content_box.h"
#include "icon_pack_fixture.h"
#include "keyboard_model_fixture.h"
#include "resources/icon_pack.h"
#include "theme/kv_theme.h"

namespace kv::test {
namespace {

struct ShapeDrawn {
    std::vector<Point> points;  // two points for a rounded rectangle
    std::uint32_t pen;
    std::uint32_t brush;
};
struct TextDrawn {
    KeyFont font;
    std::uint32_t color;
    Rect clip;
    Point at;
    std::u16string text;
};

// Records the drawing; text measures 7 pixels a character and 13 high.
class RecordingSurface : public IKeyPaintSurface {
public:
    std::vector<ShapeDrawn> shapes;
    std::vector<TextDrawn> texts;
    std::vector<int> glyphs;
    std::vector<std::uint32_t> fills;
    int tabHeaders = 0;
    fuzz::RecordingImageCanvas pack;

    Point ImageSize() const override { return {777, 243}; }
    void Fill(std::uint32_t color) override { fills.push_back(color); }
    void RoundRect(const Rect& r, std::uint32_t pen, std::uint32_t brush) override {
        shapes.push_back({{{r.left, r.top}, {r.right, r.bottom}}, pen, brush});
    }
    void Polygon(std::span<const Point> points, std::uint32_t pen, std::uint32_t brush) override {
        shapes.push_back({{points.begin(), points.end()}, pen, brush});
    }
    Point MeasureText(KeyFont, std::u16string_view text) override { return {7 * static_cast<std::int32_t>(text.size()), 13}; }
    void Text(KeyFont font, std::uint32_t color, const Rect& clip, std::int32_t x, std::int32_t y,
              std::u16string_view text) override {
        texts.push_back({font, color, clip, {x, y}, std::u16string(text)});
    }
    void CenteredText(KeyFont font, std::uint32_t color, const Rect& rect, std::u16string_view text) override {
        texts.push_back({font, color, rect, {-1, -1}, std::u16string(text)});
    }
    void Glyph(int index, std::int32_t, std::int32_t) override { glyphs.push_back(index); }
    bool HasPicture() const override { return false; }
    bool PictureHasWhiteCorner() const override { return false; }
    void DrawPictureFitted() override {}
    void TabHeader(std::int32_t, std::u16string_view) override { ++tabHeaders; }
    IImageCanvas& PackCanvas() override { return pack; }

    void Forget() {
        shapes.clear();
        texts.clear();
        glyphs.clear();
        fills.clear();
        pack.calls.clear();
    }
    std::vector<std::u16string> CharactersInside(const Rect& key) const {
        std::vector<std::u16string> found;
        for (const TextDrawn& t : texts) {
            if (t.font == KeyFont::Character && t.at.x >= key.left && t.at.x < key.right && t.at.y >= key.top &&
                t.at.y < key.bottom)
                found.push_back(t.text);
        }
        return found;
    }
};

TKvTheme DistinctTheme() {
    TKvTheme theme;
    theme.Background = 0x101010;
    theme.KeyFace = 0x202020;
    theme.KeyBorder = 0x303030;
    theme.KeyLabel = 0x404040;
    theme.KeyChar = 0x505050;
    theme.PressedFace = 0x0000C0;
    theme.PressedBorder = 0x0000D0;
    theme.PressedLabel = 0x0000E0;
    theme.PressedChar = 0x0000F0;
    theme.HotFace = 0x00C000;
    theme.HotBorder = 0x00D000;
    theme.HotLabel = 0x00E000;
    theme.HotChar = 0x00F000;
    theme.LabelLineHeight = 16;
    return theme;
}

class KeyboardRendererTest : public ::testing::Test {
protected:
    KeyboardWorld world;
    TKvTheme theme = DistinctTheme();
    KeyboardLook look;
    RecordingSurface surface;
    KeyboardRenderer renderer{surface, look};

    void SetUp() override { look.theme = &theme; }
    TKvKeyboard& Model(LayoutHandle layout = kUs) {
        TKvKeyboard& model = world.Create(layout);
        model.BuildLayoutChars();
        return model;
    }
    void Redraw() {
        surface.Forget();
        renderer.DrawKeyboard(*world.model);
    }
    std::vector<std::u16string> CharactersOnKey(std::uint8_t code) {
        const auto& p = world.model->Btn(code)->Shape()->Points();
        return surface.CharactersInside({p[0].x, p[0].y, p[1].x, p[1].y});
    }
};

TEST_F(KeyboardRendererTest, EachKeyIsFilledWithTheColoursOfItsState) {
    TKvKeyboard& model = Model();
    world.Press({65});
    model.Btn(66)->SetHot(true);
    for (const bool zones : {false, true}) {
        look.showKeyboardZone = zones;
        for (const auto& [code, pen, brush] : {std::tuple<std::uint8_t, std::uint32_t, std::uint32_t>{65, 0x0000D0, 0x0000C0},
                                               {66, 0x00D000, 0x00C000},
                                               {67, 0x303030, zones ? 0xFFD288u : 0x202020u},
                                               {32, 0x303030, zones ? 0xAEA999u : 0x202020u},
                                               {27, 0x303030, 0x202020}}) {
            surface.Forget();
            renderer.DrawKey(*model.Btn(code));
            ASSERT_EQ(surface.shapes.size(), 1u) << int(code);
            EXPECT_EQ(surface.shapes[0].pen, pen) << int(code);
            EXPECT_EQ(surface.shapes[0].brush, brush) << int(code) << " zones " << zones;
        }
    }
}

TEST_F(KeyboardRendererTest, PureGreenFaceBecomesTheBackgroundOnlyOnAnOpaqueKeyboard) {
    TKvKeyboard& model = Model();
    theme.KeyFace = 0x00FF00;
    renderer.DrawKey(*model.Btn(27));
    EXPECT_EQ(surface.shapes.back().brush, theme.Background);
    model.SetTransparentBackground(true);
    Redraw();
    EXPECT_EQ(surface.fills, std::vector<std::uint32_t>{0x00FF00});
    renderer.DrawKey(*model.Btn(27));
    EXPECT_EQ(surface.shapes.back().brush, 0x00FF00u);
}

TEST_F(KeyboardRendererTest, RedrawFillsTheBackgroundThenDrawsEveryKeyAndTheCaptionWhenAsked) {
    TKvKeyboard& model = Model();
    Redraw();
    EXPECT_EQ(surface.fills, std::vector<std::uint32_t>{theme.Background});
    EXPECT_EQ(surface.shapes.size(), 104u);  // 103 keys, Enter in two parts
    EXPECT_EQ(surface.tabHeaders, 0);
    EXPECT_EQ(model.LabelHeight(), 13);
    EXPECT_EQ(model.CharWidth(), 7);
    look.showCaption = true;
    model.SetFrameVisible(true);
    Redraw();
    EXPECT_EQ(surface.tabHeaders, 1);
}

TEST_F(KeyboardRendererTest, LettersShowTheCharacterOfTheCurrentLayout) {
    look.showLabels = true;
    Model(kUs);
    Redraw();
    EXPECT_EQ(CharactersOnKey(81), std::vector<std::u16string>{u"q"});
    world.Press({160});
    Redraw();
    EXPECT_EQ(CharactersOnKey(81), std::vector<std::u16string>{u"Q"});
    world.Release({160});

    Model(kRu);
    Redraw();
    const std::vector<std::pair<std::uint8_t, std::u16string>> russian = {{81, u"й"}, {87, u"ц"}, {70, u"а"}, {77, u"ь"}};
    for (const auto& [code, ch] : russian) EXPECT_EQ(CharactersOnKey(code), std::vector<std::u16string>{ch}) << int(code);
}

TEST_F(KeyboardRendererTest, LabelsOnShowTheNameTopLeftAndTheCharacterBottomRight) {
    look.showLabels = true;
    TKvKeyboard& model = Model();
    surface.Forget();
    renderer.DrawKey(*model.Btn(81));
    ASSERT_EQ(surface.texts.size(), 2u);
    const auto& p = model.Btn(81)->Points();
    EXPECT_EQ(surface.texts[0].font, KeyFont::Label);
    EXPECT_EQ(surface.texts[0].text, u"Q");
    EXPECT_EQ(surface.texts[0].at, (Point{p[0].x + 2, p[0].y + 1}));
    EXPECT_EQ(surface.texts[0].color, theme.KeyLabel);
    EXPECT_EQ(surface.texts[1].text, u"q");
    EXPECT_EQ(surface.texts[1].at, (Point{p[1].x - 2 - 16, std::max(p[1].y - 2 - 16, p[0].y + 1)}));
    EXPECT_EQ(surface.texts[1].color, theme.KeyChar);
}

// A key is labelled with the name table's entry alone; the "R" that tells the right-hand
// modifiers apart belongs to hotkey texts only.
TEST_F(KeyboardRendererTest, RightHandModifiersAreLabelledWithTheTablesName) {
    world.names[vk::kRightShift] = u"Umschalt";
    world.names[vk::kRightControl] = u"Strg";
    TKvKeyboard& model = Model();
    for (const std::uint8_t code : {vk::kLeftShift, vk::kRightShift, vk::kLeftControl, vk::kRightControl}) {
        surface.Forget();
        renderer.DrawKey(*model.Btn(code));
        std::vector<std::u16string> labels;
        for (const TextDrawn& t : surface.texts) {
            if (t.font == KeyFont::Label) labels.push_back(t.text);
        }
        EXPECT_EQ(labels, std::vector<std::u16string>{world.names[code]}) << int(code);
    }
    EXPECT_EQ(model.HotkeyText(vk::kRightControl, 0), u"RStrg");
    EXPECT_EQ(model.HotkeyText('A', hotkey_mod::kRightShift), u"RUmschalt+A");
}

// Ctrl without AltGr and either Win hide the characters while labels are on; the option to show
// them under Ctrl brings them back. With labels off the character without Ctrl is shown.
TEST_F(KeyboardRendererTest, CtrlAndWinHideCharactersAsTheOptionsSay) {
    TKvKeyboard& model = Model();
    const std::u16string withCtrl(1, [&] {
        world.Press({162});
        const char16_t ch = model.CharOf(65);
        world.Release({162});
        return ch;
    }());
    struct Case {
        std::vector<std::uint8_t> held;  // not an initializer_list: its array would not outlive the table's line
        bool labels;
        bool showCharCtrl;
        std::vector<std::u16string> expected;
    };
    const std::vector<Case> cases = {
        {{162}, true, false, {}},
        {{162}, true, true, {withCtrl}},
        {{91}, true, false, {}},
        {{92}, true, true, {}},
        {{}, true, false, {u"a"}},
        {{162}, false, false, {u"a"}},
        {{162}, false, true, {withCtrl}},
        {{}, false, false, {u"a"}},
    };
    for (const Case& c : cases) {
        look.showLabels = c.labels;
        look.showCharCtrl = c.showCharCtrl;
        for (std::uint8_t code : c.held) model.SetKeyPressed(code, true);
        const std::uint8_t ctrlBefore = model.KeyState()[17];
        Redraw();
        EXPECT_EQ(CharactersOnKey(65), c.expected) << "labels " << c.labels << " showCharCtrl " << c.showCharCtrl
                                                   << " held " << (c.held.size() ? int(*c.held.begin()) : 0);
        EXPECT_EQ(model.KeyState()[17], ctrlBefore);
        for (std::uint8_t code : c.held) model.SetKeyPressed(code, false);
    }
}

TEST_F(KeyboardRendererTest, AltGrWithCtrlKeepsTheCharacterShown) {
    look.showLabels = true;
    TKvKeyboard& model = Model();
    world.Press({162, 165});
    Redraw();
    EXPECT_EQ(CharactersOnKey(65).size(), 1u);
    EXPECT_EQ(CharactersOnKey(65)[0][0], model.CharOf(65));
}

TEST_F(KeyboardRendererTest, SplitHighlightDrawsOnlyThePressedPartOfEnterInThePressedColours) {
    TKvKeyboard& model = Model();
    model.SetSplitHighlight(true);
    TKvBtn& enter = *model.Btn(13);
    enter.SetExtended(true);
    world.Press({13});
    enter.SetExtended(true);
    surface.Forget();
    renderer.DrawKey(enter);
    ASSERT_EQ(surface.shapes.size(), 2u);
    EXPECT_EQ(surface.shapes[0].points.size(), 12u);
    EXPECT_EQ(surface.shapes[0].brush, theme.KeyFace);
    EXPECT_EQ(surface.shapes[1].points, (std::vector<Point>{{738, 170}, {771, 237}}));
    EXPECT_EQ(surface.shapes[1].brush, theme.PressedFace);

    model.SetSplitHighlight(false);
    surface.Forget();
    renderer.DrawKey(enter);
    EXPECT_EQ(surface.shapes[0].brush, theme.PressedFace);
    EXPECT_EQ(surface.shapes[1].brush, theme.PressedFace);
}

TEST_F(KeyboardRendererTest, NumLockOffShowsTheNavigationMeaningOfTheNumericPad) {
    TKvKeyboard& model = Model();
    model.SetKeyStateByte(144, 0);
    surface.Forget();
    renderer.DrawKey(*model.Btn(103));  // numeric-pad 7: Home, named
    std::vector<std::u16string> texts;
    for (const auto& t : surface.texts) texts.push_back(t.text);
    EXPECT_EQ(texts, std::vector<std::u16string>{u"Home"});
    model.SetKeyStateByte(144, 1);
    surface.Forget();
    renderer.DrawKey(*model.Btn(103));
    ASSERT_EQ(surface.texts.size(), 1u);
    EXPECT_EQ(surface.texts[0].font, KeyFont::Character);  // what the layout types, not the name
    EXPECT_NE(surface.texts[0].text, u"Home");
}

// Worked by hand from the outline: the name box is shifted onto the L's inner corner, its
// corners fall outside the key, and the largest rectangle around the centre is the L's
// upright bar.
TEST(PolygonContentBox, LShapedEnterGetsTheUprightBarOfTheL) {
    const std::vector<Point> enter = {{467, 102}, {512, 102}, {514, 104}, {514, 166}, {512, 168}, {441, 168},
                                      {439, 166}, {439, 138}, {441, 136}, {463, 136}, {465, 134}, {465, 104}};
    const auto initial = [](Point c) {
        EXPECT_EQ(c, (Point{476, 135}));
        return Rect{c.x - 19, c.y - 16, c.x + 19, c.y + 16};
    };
    const auto inside = [&](std::int32_t x, std::int32_t y) {
        bool extended = false;
        return OutlineContains(enter, x, y, extended);
    };
    const Rect box = PolygonContentBox(enter, initial, inside);
    EXPECT_EQ(box.left, 465);
    EXPECT_EQ(box.top, 104);
    EXPECT_EQ(box.right, 513);
    EXPECT_EQ(box.bottom, 165);
}

TEST_F(KeyboardRendererTest, EnterLabelIsWrittenInItsContentBox) {
    TKvKeyboard& model = Model();
    surface.Forget();
    renderer.DrawKey(*model.Btn(13));
    ASSERT_FALSE(surface.texts.empty());
    EXPECT_EQ(surface.texts[0].text, u"Enter");
    EXPECT_EQ(surface.texts[0].at, (Point{467, 105}));
}

// The application's pack is asked first and the Windows pack only when it has no icon; the
// squares sit bottom left on a rounded key and bottom right on a polygon.
TEST_F(KeyboardRendererTest, PackIconsAndHotkeySquaresGoToTheBottomCornersOfTheContentBox) {
    IconPackFixture packs;
    const auto load = [&](const std::u16string& name, std::vector<fuzz::PackEntryLayout> entries) {
        fuzz::PackLayout layout;
        layout.strip = fuzz::BitmapFile(16 * static_cast<std::int32_t>(entries.size()));
        layout.entries = std::move(entries);
        packs.AddPack(name, fuzz::PackFile(layout));
    };
    load(u"App", {{0x00, 67, "C"}, {0x20, 67, "Copy"}, {0x20, 13, "Ctrl+Enter"}});
    load(u"WinXP", {{0x00, 88, "system X"}, {0x00, 67, "system C"}});
    packs.packs.ScanPacks();
    TKvKeyboard& model = Model();
    model.SetAppIcons(packs.packs.FindPack(u"App", true));
    model.SetSystemIcons(packs.packs.FindPack(u"WinXP", true));
    ASSERT_TRUE(model.AppIcons() && model.SystemIcons());

    const auto corner = [&](std::uint8_t code, std::int32_t dx, std::int32_t dy) {
        const auto& p = model.Btn(code)->Points();
        return std::to_string(p[1].x - 2 + dx) + "," + std::to_string(p[1].y - 2 + dy);
    };
    struct Case {
        bool app, windows, squares;
        std::vector<std::uint8_t> held;
        std::uint8_t key;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {true, true, false, {}, 67, {"image 0 at " + corner(67, -16, -16)}},
        {false, true, false, {}, 67, {"image 1 at " + corner(67, -16, -16)}},
        {true, true, false, {}, 88, {"image 0 at " + corner(88, -16, -16)}},
        {true, false, false, {}, 88, {}},
        {true, true, false, {162}, 67, {"image 1 at " + corner(67, -16, -16)}},
        {false, false, true, {}, 13, {"fill 486,154,490,158 rgb(24,146,88)", "fill 740,224,744,228 rgb(24,146,88)"}},
        {false, false, false, {}, 13, {}},
    };
    for (const Case& c : cases) {
        look.showIconApp = c.app;
        look.showIconWindows = c.windows;
        look.showHotkeySquare = c.squares;
        for (std::uint8_t code : c.held) model.SetKeyPressed(code, true);
        surface.Forget();
        renderer.DrawKey(*model.Btn(c.key));
        EXPECT_EQ(surface.pack.calls, c.expected) << "key " << int(c.key) << " app " << c.app << " windows " << c.windows;
        for (std::uint8_t code : c.held) model.SetKeyPressed(code, false);
    }
}

// Once a pack has drawn its icon on a key, the key's character is not drawn over it; a key
// without an icon still shows it. Both the application's and the Windows pack stop the drawing.
TEST_F(KeyboardRendererTest, AKeyWithAPackIconShowsNoCharacterOverIt) {
    IconPackFixture packs;
    const auto load = [&](const std::u16string& name, std::vector<fuzz::PackEntryLayout> entries) {
        fuzz::PackLayout layout;
        layout.strip = fuzz::BitmapFile(16 * static_cast<std::int32_t>(entries.size()));
        layout.entries = std::move(entries);
        packs.AddPack(name, fuzz::PackFile(layout));
    };
    load(u"App", {{0x00, 67, "C"}});
    load(u"WinXP", {{0x00, 88, "system X"}});
    packs.packs.ScanPacks();
    TKvKeyboard& model = Model();
    model.SetAppIcons(packs.packs.FindPack(u"App", true));
    model.SetSystemIcons(packs.packs.FindPack(u"WinXP", true));
    ASSERT_TRUE(model.AppIcons() && model.SystemIcons());

    struct Case {
        bool labels, centerInfo;
        std::uint8_t key;
        bool iconDrawn;
    };
    const std::vector<Case> cases = {
        {true, false, 67, true},  {false, true, 67, true},  {true, false, 88, true},
        {false, true, 88, true},  {true, false, 86, false}, {false, true, 86, false},
    };
    look.showIconApp = true;
    look.showIconWindows = true;
    for (const Case& c : cases) {
        look.showLabels = c.labels;
        look.centerInfo = c.centerInfo;
        surface.Forget();
        renderer.DrawKey(*model.Btn(c.key));
        std::vector<std::u16string> characters;
        for (const TextDrawn& t : surface.texts) {
            if (t.font == KeyFont::Character) characters.push_back(t.text);
        }
        EXPECT_EQ(surface.pack.calls.size(), c.iconDrawn ? 1u : 0u) << "key " << int(c.key);
        EXPECT_EQ(characters.empty(), c.iconDrawn) << "key " << int(c.key) << " labels " << c.labels << " centred "
                                                   << c.centerInfo << " characters " << characters.size();
    }
}

}  // namespace
}  // namespace kv::test
