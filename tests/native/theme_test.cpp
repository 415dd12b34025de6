#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "common/menu_colors.h"
#include "recording_ports.h"
#include "settings/apply_color_scheme.h"
#include "settings/preset.h"
#include "sim_platform.h"
#include "theme/kv_theme.h"
#include "theme/system_color_index.h"

namespace kv {
namespace {

class MeasuringCanvas : public ITextMeasureCanvas {
public:
    explicit MeasuringCanvas(std::int32_t height) : height_(height) {}
    void SetFont(const ThemeFont& font) override { font_ = font; }
    std::int32_t TextHeight(std::u16string_view text) const override {
        measured_.emplace_back(text);
        return font_ ? height_ : 0;  // a canvas without the label font measures nothing useful
    }
    std::optional<ThemeFont> font_;
    mutable std::vector<std::u16string> measured_;

private:
    std::int32_t height_;
};

struct ThemeWorld {
    sim::SimPlatform os;
    TAppIni ini{os.registry, os.files, nullptr};
    AppFolders folders = ResolveAppFolders(os.desktop.ExecutablePath(), os.files);
    EventSoundPlayer sounds{os.platform.sound, os.platform.files, os.platform.version, folders.soundFolder};
    TPreset preset{os.platform, sounds, ini, folders, os.desktop.ExecutablePath()};
    TKvTheme theme;

    const TKvTheme& Apply(ITextMeasureCanvas* canvas = nullptr) {
        ApplyColorScheme(theme, preset, os.desktop, canvas);
        return theme;
    }
    const TKvTheme& ApplyScheme(int scheme) {
        preset.SetColorScheme(scheme);
        return Apply();
    }
    // A classic grey desktop with distinct values for every colour the theme reads.
    void SetClassicColors() {
        os.desktop.SetSystemColor(kColorButtonFace, 0xC8D0D4);
        os.desktop.SetSystemColor(kColorHighlight, 0x6A240A);
        os.desktop.SetSystemColor(kColorWindow, 0xFFFFFF);
        os.desktop.SetSystemColor(kColorWindowText, 0x0A0B0C);
        os.desktop.SetSystemColor(kColorButtonShadow, 0x808081);
        os.desktop.SetSystemColor(kColor3DDarkShadow, 0x111111);
    }
};

ThemeColors ColorsOf(const TKvTheme& t) {
    return ThemeColors{t.Background,   t.Frame,   t.KeyFace,   t.KeyBorder, t.KeyLabel, t.KeyChar, t.PressedFace,
                       t.PressedBorder, t.PressedLabel, t.HotFace, t.HotBorder, t.HotLabel, t.HotChar};
}

using ThemeField = std::uint32_t TKvTheme::*;

struct FixedCase {
    int scheme;
    ThemeField field;
    std::uint32_t value;
};

TEST(ApplyColorScheme, FixedSchemesTakeTheirTableColours) {
    const FixedCase cases[] = {
        {0, &TKvTheme::Background, 0xFF9933},    {0, &TKvTheme::PressedBorder, 0x91D0FF},
        {0, &TKvTheme::HotBorder, 0x4E91FE},     {3, &TKvTheme::KeyFace, 0x43D376},
        {3, &TKvTheme::PressedFace, 0x1A4EFF},   {4, &TKvTheme::KeyChar, 0xFFCF9C},
        {4, &TKvTheme::HotChar, 0xCECFCE},       {5, &TKvTheme::HotLabel, 0x99FF00},
        {5, &TKvTheme::PressedFace, 0x232323},   {6, &TKvTheme::KeyLabel, 0xFFFFFF},
        {6, &TKvTheme::HotChar, 0x589218},       {7, &TKvTheme::PressedBorder, 0x009966},
        {7, &TKvTheme::HotBorder, 0x5BB398},     {8, &TKvTheme::KeyBorder, 0x083139},
        {8, &TKvTheme::KeyChar, 0x075A2B},       {8, &TKvTheme::HotFace, 0x8CEEFF},
        {3, &TKvTheme::PressedChar, 0x6B240A},   {4, &TKvTheme::PressedChar, 0xFDFDFD},
    };
    ThemeWorld world;
    for (const FixedCase& c : cases) {
        const TKvTheme& theme = world.ApplyScheme(c.scheme);
        EXPECT_EQ(theme.*c.field, c.value) << "scheme " << c.scheme;
    }
}

TEST(ApplyColorScheme, DefaultSchemeIsThemeZeroWithPressedCharFollowingPressedLabel) {
    ThemeWorld world;
    const TKvTheme& theme = world.Apply();
    EXPECT_EQ(world.preset.ColorScheme(), 0);
    EXPECT_EQ(theme.Frame, 0x800000u);
    EXPECT_EQ(theme.KeyFace, 0xFEFEFEu);
    EXPECT_EQ(theme.KeyLabel, 0x808080u);
    EXPECT_EQ(theme.PressedFace, 0x800000u);
    EXPECT_EQ(theme.PressedLabel, 0xFFFFFFu);
    EXPECT_EQ(theme.PressedChar, 0xFFFFFFu);
    EXPECT_EQ(theme.HotFace, 0xCC6600u);
}

TEST(ApplyColorScheme, SchemesWithoutColoursOfTheirOwnUseTheCustomColours) {
    ThemeWorld world;
    const ThemeColors custom{0x010101, 0x020202, 0x030303, 0x040404, 0x050505, 0x060606, 0x070707,
                             0x080808, 0x090909, 0x0A0A0A, 0x0B0B0B, 0x0C0C0C, 0x0D0D0D};
    world.preset.SetCustomColors(custom);
    for (int scheme : {9, -1, 100}) {
        const TKvTheme& theme = world.ApplyScheme(scheme);
        EXPECT_EQ(ColorsOf(theme), custom) << "scheme " << scheme;
        EXPECT_EQ(theme.PressedChar, 0x090909u) << "scheme " << scheme;
    }
}

TEST(ApplyColorScheme, UntouchedCustomColoursLookLikeThemeZero) {
    ThemeWorld world;
    const ThemeColors themeZero = ColorsOf(world.ApplyScheme(0));
    EXPECT_EQ(ColorsOf(world.ApplyScheme(9)), themeZero);
    EXPECT_EQ(ColorsOf(world.ApplyScheme(-1)), themeZero);
}

TEST(ApplyColorScheme, TabGradientsAreLightAndDarkShadesOfTheCaptionColours) {
    ThemeWorld world;
    world.os.desktop.SetSystemColor(kColorActiveCaption, 0xD1A040);    // R 64, G 160, B 209
    world.os.desktop.SetSystemColor(kColorInactiveCaption, 0x808080);
    world.os.desktop.SetSystemColor(kColorCaptionText, 0xFFFFFF);
    world.os.desktop.SetSystemColor(kColorInactiveCaptionText, 0x404040);
    const TKvTheme& theme = world.Apply();
    // Light(c, 55): round(ch * 0.55) + 115; Dark(c, 85): round(ch * 0.85).
    EXPECT_EQ(theme.TabActiveFrom, 0xE6CB96u);
    EXPECT_EQ(theme.TabActiveTo, 0xB28836u);
    EXPECT_EQ(theme.TabInactiveFrom, 0xB9B9B9u);
    EXPECT_EQ(theme.TabInactiveTo, 0x6D6D6Du);
    EXPECT_EQ(theme.TabActiveText, 0xFFFFFFu);
    EXPECT_EQ(theme.TabInactiveText, 0x404040u);
}

TEST(ApplyColorScheme, WhiteAndBlackCaptionsStayWithinTheChannelRange) {
    ThemeWorld world;
    world.os.desktop.SetSystemColor(kColorActiveCaption, 0xFFFFFF);
    world.os.desktop.SetSystemColor(kColorInactiveCaption, 0x000000);
    const TKvTheme& theme = world.Apply();
    EXPECT_EQ(theme.TabActiveFrom, 0xFFFFFFu);
    EXPECT_EQ(theme.TabActiveTo, 0xD9D9D9u);
    EXPECT_EQ(theme.TabInactiveFrom, 0x737373u);
    EXPECT_EQ(theme.TabInactiveTo, 0x000000u);
}

TEST(ApplyColorScheme, FontsComeFromTheThemeSettings) {
    ThemeWorld world;
    const TKvTheme& defaults = world.Apply();
    EXPECT_EQ(defaults.LabelFontName, u"Tahoma");
    EXPECT_EQ(defaults.LabelFontStyle, (FontStyle{true, false}));
    EXPECT_EQ(defaults.LabelFontSize, 8);
    EXPECT_EQ(defaults.CharFontName, u"Tahoma");
    EXPECT_EQ(defaults.CharFontStyle, (FontStyle{true, false}));
    EXPECT_EQ(defaults.CharFontSize, 10);

    world.preset.SetThemeFontName(u"Verdana");
    world.preset.SetThemeFontBold(false);
    world.preset.SetThemeFontItalic(true);
    world.preset.SetThemeFontSize(9);
    world.preset.SetThemeInfoFontName(u"Arial");
    world.preset.SetThemeInfoFontItalic(true);
    world.preset.SetThemeInfoFontSize(14);
    const TKvTheme& changed = world.Apply();
    EXPECT_EQ(changed.LabelFontName, u"Verdana");
    EXPECT_EQ(changed.LabelFontStyle, (FontStyle{false, true}));
    EXPECT_EQ(changed.LabelFontSize, 9);
    EXPECT_EQ(changed.CharFontName, u"Arial");
    EXPECT_EQ(changed.CharFontStyle, (FontStyle{true, true}));
    EXPECT_EQ(changed.CharFontSize, 14);
}

TEST(ApplyColorScheme, LabelLineHeightIsTheMeasuredLineButAtLeastSixteen) {
    struct Case {
        std::int32_t measured;
        std::uint16_t expected;
    };
    for (const Case& c : {Case{12, 16}, Case{16, 16}, Case{21, 21}}) {
        ThemeWorld world;
        MeasuringCanvas canvas(c.measured);
        EXPECT_EQ(world.Apply(&canvas).LabelLineHeight, c.expected) << "measured " << c.measured;
    }
    ThemeWorld withoutKeyboard;
    EXPECT_EQ(withoutKeyboard.Apply(nullptr).LabelLineHeight, 16);
}

TEST(ApplyColorScheme, LabelLineIsMeasuredInTheLabelFontAtTheCharacterFontSize) {
    ThemeWorld world;
    world.preset.SetThemeFontName(u"Verdana");
    world.preset.SetThemeFontBold(false);
    world.preset.SetThemeFontItalic(true);
    world.preset.SetThemeFontSize(9);
    world.preset.SetThemeInfoFontSize(14);
    MeasuringCanvas canvas(20);
    world.Apply(&canvas);
    ASSERT_TRUE(canvas.font_.has_value());
    EXPECT_EQ(*canvas.font_, (ThemeFont{u"Verdana", FontStyle{false, true}, 14}));
    EXPECT_EQ(canvas.measured_, std::vector<std::u16string>{u"gW"});
}

TEST(ApplyColorScheme, SystemSchemeFollowsTheSystemColours) {
    ThemeWorld world;
    world.SetClassicColors();
    const TKvTheme& theme = world.ApplyScheme(1);
    EXPECT_EQ(theme.Background, 0x111111u);
    EXPECT_EQ(theme.Frame, 0x000000u);
    EXPECT_EQ(theme.KeyFace, 0xC8D0D4u);
    EXPECT_EQ(theme.KeyBorder, 0x0A0B0Cu);
    EXPECT_EQ(theme.KeyLabel, 0x0A0B0Cu);
    EXPECT_EQ(theme.KeyChar, 0xFF0000u);
    EXPECT_EQ(theme.PressedFace, 0xB19388u);  // MenuHotColor of these colours
    EXPECT_EQ(theme.PressedFace, MenuHotColor(world.os.desktop));
    EXPECT_EQ(theme.PressedBorder, 0x808081u);
    EXPECT_EQ(theme.PressedLabel, 0xFFFFFFu);
    EXPECT_EQ(theme.PressedChar, 0xFFFFFFu);
    EXPECT_EQ(theme.HotFace, MenuSelectColor(world.os.desktop));
    EXPECT_EQ(theme.HotBorder, 0x808081u);
    EXPECT_EQ(theme.HotLabel, 0x0A0B0Cu);
    EXPECT_EQ(theme.HotChar, 0xFF0000u);

    world.os.desktop.SetSystemColor(kColorButtonFace, 0xE0E0E0);
    EXPECT_EQ(world.Apply().KeyFace, 0xE0E0E0u) << "a system colour change reaches the theme when applied again";
}

TEST(ApplyColorScheme, OfficeSchemeIsDerivedFromTheSystemColours) {
    ThemeWorld world;
    world.SetClassicColors();
    const TKvTheme& theme = world.ApplyScheme(2);
    EXPECT_EQ(theme.Background, 0xDEE3E5u);  // 60 % button face, 40 % window
    EXPECT_EQ(theme.KeyFace, 0xF4F6F6u);     // 20 % button face, 80 % window
    EXPECT_EQ(theme.Frame, 0x808081u);
    EXPECT_EQ(theme.KeyBorder, 0x808081u);
    EXPECT_EQ(theme.PressedFace, MenuHotColor(world.os.desktop));
    EXPECT_EQ(theme.HotFace, MenuSelectColor(world.os.desktop));
    EXPECT_EQ(theme.PressedBorder, 0x6A240Au);
    EXPECT_EQ(theme.HotBorder, 0x6A240Au);
    for (std::uint32_t label : {theme.KeyLabel, theme.PressedLabel, theme.PressedChar, theme.HotLabel}) {
        EXPECT_EQ(label, 0x0A0B0Cu);
    }
    EXPECT_EQ(theme.KeyChar, 0xFF0000u);
    EXPECT_EQ(theme.HotChar, 0xFF0000u);
}

TEST(PresetCustomColors, DefaultToThemeZeroAndRefreshOnlyOnChange) {
    ThemeWorld world;
    RecordingPorts effects;
    world.preset.SetPorts(effects.Ports());
    EXPECT_EQ(world.preset.CustomColors(), kDefaultThemeColors);

    ThemeColors changed = kDefaultThemeColors;
    changed.HotFace = 0x123456;
    world.preset.SetCustomColors(changed);
    world.preset.SetCustomColors(changed);
    EXPECT_EQ(effects.Count("RefreshVisuals"), 1);
    EXPECT_EQ(world.preset.CustomColors().HotFace, 0x123456u);

    world.preset.SetDefaults();
    EXPECT_EQ(world.preset.CustomColors(), kDefaultThemeColors);
    world.preset.SetPorts(nullptr);
}

}  // namespace
}  // namespace kv
