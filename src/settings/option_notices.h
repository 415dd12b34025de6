#pragma once
#include <cstdint>

namespace kv {

class IFileSystem;
class TPreset;
struct PresetPorts;

// The options whose change reaches other parts of the program through their ports. The rest
// are only stored and read when needed.
enum class NotifyingOption : std::uint8_t {
    KeyboardLang,
    ActionFileName,
    KeyboardShowDelay,
    KeyboardHideDelay,
    KeyboardName,
    KeyboardAutoHide,
    KeyboardShowCaption,
    KeyboardShowLabels,
    KeyboardCenterInfo,
    ShowKeyboardZone,
    ShowCharCtrl,
    ShowIconApp,
    ShowIconPondrel,
    ShowIconWindows,
    ShowHotkeySquare,
    ShowLangIcon,
    HideTrayIcon,
    ShowCaretFlag,
    CaretFlagAlphaBlend,
    Language,
    SoundEnabled,
    ColorScheme,
    CustomColors,
    ThemeAlphaBlend,
    ThemeCommonAlphaBlend,
    ThemeFontName,
    ThemeFontBold,
    ThemeFontItalic,
    ThemeFontSize,
    ThemeInfoFontName,
    ThemeInfoFontBold,
    ThemeInfoFontItalic,
    ThemeInfoFontSize,
    BackgroundPicture,
};

// What a notice reads: the ports, the settings as they are after the change, and the files (a
// background picture is loaded only when its file exists).
struct OptionNoticeContext {
    const PresetPorts& ports;
    const TPreset& settings;
    const IFileSystem& files;
};

// Setting the same value again is then no change at all: nothing is told.
bool NotifiesOnlyWhenChanged(NotifyingOption option);
void NotifyOptionChanged(NotifyingOption option, const OptionNoticeContext& context);

}  // namespace kv
