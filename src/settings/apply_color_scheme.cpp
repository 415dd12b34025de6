#include "settings/apply_color_scheme.h"

#include <algorithm>

#include "platform/system_api.h"
#include "settings/preset.h"
#include "theme/color_math.h"
#include "theme/kv_theme.h"
#include "theme/system_color_index.h"
#include "theme/system_themes.h"

namespace kv {

namespace {

ThemeColors SchemeColors(const TPreset& preset, const ISystemColors& system) {
    const int scheme = preset.ColorScheme();
    if (std::optional<ThemeColors> fixed = FixedThemeColors(scheme)) return *fixed;
    if (scheme == 1) return SystemThemeColors(system);
    if (scheme == 2) return OfficeThemeColors(system);
    return preset.CustomColors();
}

// A label line is as tall as "gW" in the label font at the character font's size, so labels
// and characters share one line pitch.
std::uint16_t LabelLineHeight(const TKvTheme& theme, ITextMeasureCanvas* keyboardCanvas) {
    if (!keyboardCanvas) return kMinLabelLineHeight;
    keyboardCanvas->SetFont(ThemeFont{theme.LabelFontName, theme.LabelFontStyle, theme.CharFontSize});
    const std::int32_t measured = keyboardCanvas->TextHeight(u"gW");
    return static_cast<std::uint16_t>(std::clamp<std::int32_t>(measured, kMinLabelLineHeight, 0xFFFF));
}

}  // namespace

void ApplyColorScheme(TKvTheme& theme, const TPreset& preset, const ISystemColors& system,
                      ITextMeasureCanvas* keyboardCanvas) {
    theme.LabelFontName = preset.ThemeFontName();
    theme.LabelFontStyle = FontStyle{preset.ThemeFontBold(), preset.ThemeFontItalic()};
    theme.LabelFontSize = static_cast<std::uint16_t>(preset.ThemeFontSize());
    theme.CharFontName = preset.ThemeInfoFontName();
    theme.CharFontStyle = FontStyle{preset.ThemeInfoFontBold(), preset.ThemeInfoFontItalic()};
    theme.CharFontSize = static_cast<std::uint16_t>(preset.ThemeInfoFontSize());
    theme.LabelLineHeight = LabelLineHeight(theme, keyboardCanvas);

    const std::uint32_t activeCaption = system.SystemColor(kColorActiveCaption);
    const std::uint32_t inactiveCaption = system.SystemColor(kColorInactiveCaption);
    theme.TabActiveFrom = LightColor(activeCaption, 55);
    theme.TabActiveTo = DarkColor(activeCaption, 85);
    theme.TabActiveText = system.SystemColor(kColorCaptionText);
    theme.TabInactiveFrom = LightColor(inactiveCaption, 55);
    theme.TabInactiveTo = DarkColor(inactiveCaption, 85);
    theme.TabInactiveText = system.SystemColor(kColorInactiveCaptionText);

    const ThemeColors colors = SchemeColors(preset, system);
    theme.Background = colors.Background;
    theme.Frame = colors.Frame;
    theme.KeyFace = colors.KeyFace;
    theme.KeyBorder = colors.KeyBorder;
    theme.KeyLabel = colors.KeyLabel;
    theme.KeyChar = colors.KeyChar;
    theme.PressedFace = colors.PressedFace;
    theme.PressedBorder = colors.PressedBorder;
    theme.PressedLabel = colors.PressedLabel;
    theme.PressedChar = colors.PressedLabel;
    theme.HotFace = colors.HotFace;
    theme.HotBorder = colors.HotBorder;
    theme.HotLabel = colors.HotLabel;
    theme.HotChar = colors.HotChar;
}

}  // namespace kv
