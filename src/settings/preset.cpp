#include "settings/preset.h"

#include <algorithm>
#include <string>
#include <vector>

#include "keyboard/default_key_names.h"
#include "settings/start_with_windows.h"
#include "settings/web_address.h"

namespace kv {

namespace {

constexpr std::uint8_t kVkUp = 38, kVkDown = 40, kVkSlash = 191, kVkLeftShift = 160, kVkRightShift = 161,
                       kVkRightCtrl = 163;

// The form the settings window writes and the switching action parses.
std::u16string LayoutText(LayoutHandle layout) {
    const std::string digits = std::to_string(static_cast<std::int32_t>(layout));
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace

TPreset::TPreset(PresetSeams seams, EventSoundPlayer& sounds, TAppIni& ini, const AppFolders& folders,
                 std::u16string executablePath)
    : seams_(seams), sounds_(sounds), ini_(ini), executablePath_(std::move(executablePath)) {
    std::copy(DefaultKeyNames().begin(), DefaultKeyNames().end(), keyNames_.begin());
    actionFileName_ = folders.documentsFolder + u"KvActions.pna";
    templatesFileName_ = folders.documentsFolder + u"pntemplates.pnt";
    SetDefaults();
}

void TPreset::SetDefaults() {
    for (std::u16string& name : actionFileNames_) name.clear();
    templatesBreaks_ = u" `~#?\"'";
    keyboardShowDelay_ = 1600;
    keyboardHideDelay_ = 600;
    keyboardName_ = u"Standard";
    keyboardAutoHide_ = true;
    keyboardShowShift_ = false;
    keyboardShowCtrl_ = true;
    keyboardShowAlt_ = true;
    keyboardShowWin_ = true;
    keyboardShowCaption_ = true;
    keyboardCenterInfo_ = false;
    showKeyboardZone_ = false;
    showCharCtrl_ = false;
    showCaretFlagOnChange_ = false;
    fastCaretFlag_ = true;
    caretFlagAlphaBlend_ = 200;
    maxClipboardHistory_ = 30;
    uniqueClipboard_ = true;
    taskSwitchShowHidden_ = false;
    taskSwitchSmallIcon_ = false;
    uniqueProcessHistory_ = true;
    showIconApp_ = false;
    showIconPondrel_ = true;
    showIconWindows_ = false;
    showIconHints_ = true;
    highPriority_ = true;
    hideTrayIcon_ = false;
    showHotkeySquare_ = false;
    useGestures_ = false;
    sensitivityGestures_ = 15;
    gestureThreshold_ = 31 - 15;

    using namespace hotkey_mod;
    hotkeys_.changeLang = EncodeHotkey(0, kLeftWin | kLeftShift);
    hotkeys_.changeSelectedLang = EncodeHotkey(0, kLeftWin | kLeftShift);
    hotkeys_.switchLang = EncodeHotkey(kVkRightCtrl, 0);
    hotkeys_.upperCase = EncodeHotkey(kVkUp, kLeftWin);
    hotkeys_.lowerCase = EncodeHotkey(kVkDown, kLeftWin);
    hotkeys_.invertCase = EncodeHotkey(kVkSlash, kLeftWin);
    hotkeys_.sentenceCase = 0;
    hotkeys_.mixedCase = 0;

    colorScheme_ = 0;
    customColors_ = kDefaultThemeColors;
    themeAlphaBlend_ = 100;
    themeCommonAlphaBlend_ = 255;
    themeFontName_ = u"Tahoma";
    themeFontBold_ = true;
    themeFontItalic_ = false;
    themeFontSize_ = 8;
    themeInfoFontName_ = u"Tahoma";
    themeInfoFontBold_ = true;
    themeInfoFontItalic_ = false;
    themeInfoFontSize_ = 10;
    backgroundPicture_.clear();

    SetLayoutDependentDefaults();
    RebuildLangActions();
    disabled_.Clear();

    sounds_.SetDefaults();

    language_ = seams_.locales.SystemDefaultUILanguage() & 0xFF;
}

void TPreset::SetLayoutDependentDefaults() {
    std::vector<LayoutHandle> installed = seams_.layouts.InstalledLayouts();
    if (installed.size() > kMaxInstalledLayoutsConsidered) installed.resize(kMaxInstalledLayoutsConsidered);
    const bool usInstalled = std::find(installed.begin(), installed.end(), kUsEnglishLayout) != installed.end();
    keyboardLang_ = (usInstalled || installed.empty()) ? kUsEnglishLayout : installed.front();

    const bool several = installed.size() > 1;
    keyboardShowLabels_ = several;
    showLangIcon_ = several;
    showCaretFlag_ = several;

    hotkeys_.changeLangTo.fill(u"");
    hotkeys_.changeLangToHotkey.fill(0);
    if (several) {
        hotkeys_.changeLangTo[0] = LayoutText(installed[0]);
        hotkeys_.changeLangToHotkey[0] = EncodeHotkey(kVkLeftShift, 0);
        hotkeys_.changeLangTo[1] = LayoutText(installed[1]);
        hotkeys_.changeLangToHotkey[1] = EncodeHotkey(kVkRightShift, 0);
    }
}

void TPreset::RebuildLangActions() {
    // Absent while the model is built, before the action list exists.
    if (!langActions_) return;
    RegisterLangActions(hotkeys_, *langActions_);
}

bool TPreset::IsStartWithWindows() const { return kv::IsStartWithWindows(seams_.registry, executablePath_); }

std::u16string TPreset::LocalizeWebAddress(std::u16string_view address) const {
    return kv::LocalizeWebAddress(address, language_);
}

}  // namespace kv
