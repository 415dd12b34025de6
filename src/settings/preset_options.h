#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "common/hotkey_code.h"
#include "platform/keyboard_api.h"
#include "settings/disabled_layouts.h"
#include "settings/lang_hotkeys.h"
#include "theme/theme_colors.h"

namespace kv {

constexpr int kActionFileSlotCount = 4;

// The language hotkeys a first start gets; the direct-switch slots depend on the installed
// layouts and are filled by the settings model.
inline LangHotkeys DefaultLangHotkeys() {
    using namespace hotkey_mod;
    constexpr std::uint8_t kVkUp = 38, kVkDown = 40, kVkSlash = 191, kVkRightCtrl = 163;
    LangHotkeys hotkeys;
    hotkeys.changeLang = EncodeHotkey(0, kLeftWin | kLeftShift);
    hotkeys.changeSelectedLang = EncodeHotkey(0, kLeftWin | kLeftShift);
    hotkeys.switchLang = EncodeHotkey(kVkRightCtrl, 0);
    hotkeys.upperCase = EncodeHotkey(kVkUp, kLeftWin);
    hotkeys.lowerCase = EncodeHotkey(kVkDown, kLeftWin);
    hotkeys.invertCase = EncodeHotkey(kVkSlash, kLeftWin);
    return hotkeys;
}

// Every option as a plain value, each with its default. The defaults that depend on the
// installed layouts ("KeyboardLang", "KeyboardShowLabels", "ShowLangIcon", "ShowCaretFlag", the
// direct-switch slots), the interface language and the two file names are set by the settings
// model. The sound options live with the event sounds.
struct PresetOptions {
    // On-screen keyboard.
    LayoutHandle keyboardLang = kUsEnglishLayout;
    std::int32_t keyboardShowDelay = 1600;
    std::int32_t keyboardHideDelay = 600;
    std::u16string keyboardName = u"Standard";
    bool keyboardAutoHide = true;
    bool keyboardShowShift = false;
    bool keyboardShowCtrl = true;
    bool keyboardShowAlt = true;
    bool keyboardShowWin = true;
    bool keyboardShowCaption = true;
    bool keyboardShowLabels = false;
    bool keyboardCenterInfo = false;
    bool showKeyboardZone = false;
    bool showCharCtrl = false;
    bool showIconApp = false;
    bool showIconPondrel = true;
    bool showIconWindows = false;
    bool showIconHints = true;
    bool showHotkeySquare = false;
    bool useGestures = false;
    std::uint8_t sensitivityGestures = 15;

    // Action files and templates.
    std::u16string actionFileName;
    std::array<std::u16string, kActionFileSlotCount> actionFileNames;
    std::u16string templatesFileName;
    std::u16string templatesBreaks = u" `~#?\"'";

    // Tray and caret flag.
    bool showLangIcon = false;
    bool hideTrayIcon = false;
    bool showCaretFlag = false;
    bool showCaretFlagOnChange = false;
    bool fastCaretFlag = true;
    std::int32_t caretFlagAlphaBlend = 200;

    // Clipboard and task switching.
    std::int32_t maxClipboardHistory = 30;
    bool uniqueClipboard = true;
    bool taskSwitchShowHidden = false;
    bool taskSwitchSmallIcon = false;
    bool uniqueProcessHistory = true;

    // Process.
    bool highPriority = true;
    std::int32_t language = 0;
    bool accessDenied = false;

    LangHotkeys hotkeys = DefaultLangHotkeys();
    DisabledLayouts disabledLangs;

    // Look; not stored, every run starts with these.
    std::int32_t colorScheme = 0;
    ThemeColors customColors = kDefaultThemeColors;
    std::uint8_t themeAlphaBlend = 100;
    std::uint8_t themeCommonAlphaBlend = 255;
    std::u16string themeFontName = u"Tahoma";
    bool themeFontBold = true;
    bool themeFontItalic = false;
    std::int32_t themeFontSize = 8;
    std::u16string themeInfoFontName = u"Tahoma";
    bool themeInfoFontBold = true;
    bool themeInfoFontItalic = false;
    std::int32_t themeInfoFontSize = 10;
    std::u16string backgroundPicture;
};

}  // namespace kv
