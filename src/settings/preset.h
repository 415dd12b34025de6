#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "keyboard/key_names.h"
#include "platform/platform.h"
#include "settings/app_ini.h"
#include "settings/disabled_layouts.h"
#include "settings/event_sound_player.h"
#include "settings/lang_action_target.h"
#include "settings/lang_hotkeys.h"
#include "settings/preset_ports.h"
#include "theme/theme_colors.h"

namespace kv {

constexpr int kActionFileSlotCount = 4;

// The parts of the system the settings reach: picture files, layouts (key names and the
// layout-dependent defaults), the Run key, the process priority and the system's interface
// language.
struct PresetSeams {
    IFileSystem& files;
    IKeyboardLayouts& layouts;
    IRegistry& registry;
    IProcessPriority& priority;
    const ILocales& locales;

    // Taken from the whole seam; the settings keep only these.
    PresetSeams(Platform& platform)  // NOLINT(google-explicit-constructor): callers hold the whole seam
        : files(platform.files),
          layouts(platform.layouts),
          registry(platform.registry),
          priority(platform.priority),
          locales(platform.locales) {}
};

// Every user option. Getters are plain reads (the keyboard hook calls them on every key);
// setters apply the change to the rest of the program at once through its ports, so a value
// takes effect the same way whether it comes from Load, the settings window or the tray. Before
// the ports are wired (start-up's first load) and after the way out, setters only store.
// The program creates one instance after the settings store and the event sounds, whose options
// it loads and saves, and before the forms.
class TPreset {
public:
    TPreset(PresetSeams seams, EventSoundPlayer& sounds, TAppIni& ini, const AppFolders& folders, std::u16string executablePath);
    TPreset(const TPreset&) = delete;
    TPreset& operator=(const TPreset&) = delete;

    // Wiring, once the program's parts exist; null detaches. The ports must outlive the wiring.
    void SetPorts(const PresetPorts* ports) { ports_ = ports; }
    void SetLangActionTarget(ILangActionTarget* target) { langActions_ = target; }

    // Every default, assigned without applying anything (the interface language, "AccessDenied"
    // and the two file names set at construction are kept).
    void SetDefaults();
    // Applies every stored value through its setter. The first failure (a value of the wrong
    // registry type) ends the load silently and leaves Loaded() as it was.
    void Load();
    // Nothing before a successful Load, so a faulty stored value is never overwritten; a failing
    // write throws KvError to the caller.
    void Save();
    bool Loaded() const { return loaded_; }

    void RefreshVisuals() {
        if (ports_) ports_->visuals.RefreshVisuals();
    }
    void RebuildLangActions();
    bool IsStartWithWindows() const;
    std::u16string LocalizeWebAddress(std::u16string_view address) const;

    // On-screen keyboard.
    LayoutHandle KeyboardLang() const { return keyboardLang_; }
    void SetKeyboardLang(LayoutHandle requested);
    const KeyNameTable& KeyNames() const { return keyNames_; }
    const std::u16string& KeyName(std::uint8_t vk) const { return keyNames_[vk]; }
    std::int32_t KeyboardShowDelay() const { return keyboardShowDelay_; }
    void SetKeyboardShowDelay(std::int32_t ms);
    std::int32_t KeyboardHideDelay() const { return keyboardHideDelay_; }
    void SetKeyboardHideDelay(std::int32_t ms);
    const std::u16string& KeyboardName() const { return keyboardName_; }
    void SetKeyboardName(std::u16string name);
    bool KeyboardAutoHide() const { return keyboardAutoHide_; }
    void SetKeyboardAutoHide(bool on);
    bool KeyboardShowShift() const { return keyboardShowShift_; }
    void SetKeyboardShowShift(bool on) { keyboardShowShift_ = on; }
    bool KeyboardShowCtrl() const { return keyboardShowCtrl_; }
    void SetKeyboardShowCtrl(bool on) { keyboardShowCtrl_ = on; }
    bool KeyboardShowAlt() const { return keyboardShowAlt_; }
    void SetKeyboardShowAlt(bool on) { keyboardShowAlt_ = on; }
    bool KeyboardShowWin() const { return keyboardShowWin_; }
    void SetKeyboardShowWin(bool on) { keyboardShowWin_ = on; }
    bool KeyboardShowCaption() const { return keyboardShowCaption_; }
    void SetKeyboardShowCaption(bool on);
    bool KeyboardShowLabels() const { return keyboardShowLabels_; }
    void SetKeyboardShowLabels(bool on);
    bool KeyboardCenterInfo() const { return keyboardCenterInfo_; }
    void SetKeyboardCenterInfo(bool on);
    bool ShowKeyboardZone() const { return showKeyboardZone_; }
    void SetShowKeyboardZone(bool on);
    bool ShowCharCtrl() const { return showCharCtrl_; }
    void SetShowCharCtrl(bool on);
    bool ShowIconApp() const { return showIconApp_; }
    void SetShowIconApp(bool on);
    bool ShowIconPondrel() const { return showIconPondrel_; }
    void SetShowIconPondrel(bool on);
    bool ShowIconWindows() const { return showIconWindows_; }
    void SetShowIconWindows(bool on);
    bool ShowIconHints() const { return showIconHints_; }
    void SetShowIconHints(bool on) { showIconHints_ = on; }
    bool ShowHotkeySquare() const { return showHotkeySquare_; }
    void SetShowHotkeySquare(bool on);
    bool UseGestures() const { return useGestures_; }
    void SetUseGestures(bool on) { useGestures_ = on; }
    std::uint8_t SensitivityGestures() const { return sensitivityGestures_; }
    // Keeps the low 8 bits; the threshold is 31 minus that, also in 8 bits.
    void SetSensitivityGestures(std::int32_t value);
    std::uint8_t GestureThreshold() const { return gestureThreshold_; }

    // Action files and templates.
    const std::u16string& ActionFileName() const { return actionFileName_; }
    void SetActionFileName(std::u16string path);
    const std::u16string& ActionFileNameAt(int slot) const { return actionFileNames_.at(slot); }
    void SetActionFileNameAt(int slot, std::u16string path) { actionFileNames_.at(slot) = std::move(path); }
    // Fixed for the run: Documents + "pntemplates.pnt", whatever is stored.
    const std::u16string& TemplatesFileName() const { return templatesFileName_; }
    const std::u16string& TemplatesBreaks() const { return templatesBreaks_; }
    void SetTemplatesBreaks(std::u16string breaks) { templatesBreaks_ = std::move(breaks); }

    // Tray and caret flag.
    bool ShowLangIcon() const { return showLangIcon_; }
    void SetShowLangIcon(bool on);
    bool HideTrayIcon() const { return hideTrayIcon_; }
    void SetHideTrayIcon(bool hide);
    bool ShowCaretFlag() const { return showCaretFlag_; }
    void SetShowCaretFlag(bool on);
    bool ShowCaretFlagOnChange() const { return showCaretFlagOnChange_; }
    void SetShowCaretFlagOnChange(bool on) { showCaretFlagOnChange_ = on; }
    bool FastCaretFlag() const { return fastCaretFlag_; }
    void SetFastCaretFlag(bool on) { fastCaretFlag_ = on; }
    std::int32_t CaretFlagAlphaBlend() const { return caretFlagAlphaBlend_; }
    void SetCaretFlagAlphaBlend(std::int32_t opacity);

    // Clipboard and task switching.
    std::int32_t MaxClipboardHistory() const { return maxClipboardHistory_; }
    void SetMaxClipboardHistory(std::int32_t count) { maxClipboardHistory_ = count; }
    bool UniqueClipboard() const { return uniqueClipboard_; }
    void SetUniqueClipboard(bool on) { uniqueClipboard_ = on; }
    bool TaskSwitchShowHidden() const { return taskSwitchShowHidden_; }
    void SetTaskSwitchShowHidden(bool on) { taskSwitchShowHidden_ = on; }
    bool TaskSwitchSmallIcon() const { return taskSwitchSmallIcon_; }
    void SetTaskSwitchSmallIcon(bool on) { taskSwitchSmallIcon_ = on; }
    bool UniqueProcessHistory() const { return uniqueProcessHistory_; }
    void SetUniqueProcessHistory(bool on) { uniqueProcessHistory_ = on; }

    // Process.
    bool HighPriority() const { return highPriority_; }
    // Acts only on a change: the value at start-up is taken as already in force.
    void SetHighPriority(bool on);
    std::int32_t Language() const { return language_; }
    void SetLanguage(std::int32_t languageId);
    // Read only: the restricted mode is switched on by editing the registry.
    bool AccessDenied() const { return accessDenied_; }

    // Language hotkeys (EncodeHotkey form); each change rebuilds the language actions.
    const LangHotkeys& LanguageHotkeys() const { return hotkeys_; }
    HotkeyCode SCChangeLang() const { return hotkeys_.changeLang; }
    void SetSCChangeLang(HotkeyCode code);
    HotkeyCode SCChangeSelectedLang() const { return hotkeys_.changeSelectedLang; }
    void SetSCChangeSelectedLang(HotkeyCode code);
    HotkeyCode SCSwitchLang() const { return hotkeys_.switchLang; }
    void SetSCSwitchLang(HotkeyCode code);
    HotkeyCode SCUpperCase() const { return hotkeys_.upperCase; }
    void SetSCUpperCase(HotkeyCode code);
    HotkeyCode SCLowerCase() const { return hotkeys_.lowerCase; }
    void SetSCLowerCase(HotkeyCode code);
    HotkeyCode SCInvertCase() const { return hotkeys_.invertCase; }
    void SetSCInvertCase(HotkeyCode code);
    HotkeyCode SCSentenceCase() const { return hotkeys_.sentenceCase; }
    void SetSCSentenceCase(HotkeyCode code);
    HotkeyCode SCMixedCase() const { return hotkeys_.mixedCase; }
    void SetSCMixedCase(HotkeyCode code);
    const std::u16string& ChangeLangTo(int slot) const { return hotkeys_.changeLangTo.at(slot); }
    void SetChangeLangTo(int slot, std::u16string layoutText) { hotkeys_.changeLangTo.at(slot) = std::move(layoutText); }
    HotkeyCode SCChangeLangTo(int slot) const { return hotkeys_.changeLangToHotkey.at(slot); }
    void SetSCChangeLangTo(int slot, HotkeyCode code);

    // Layouts skipped when switching to the next one.
    LayoutHandle DisabledLang(int slot) const { return disabled_.Slot(slot); }
    void SetDisabledLang(int slot, LayoutHandle layout) { disabled_.SetSlot(slot, layout); }
    bool IsLangDisabled(LayoutHandle layout) const { return disabled_.IsDisabled(layout); }
    void DisableLang(LayoutHandle layout) { disabled_.Disable(layout); }
    void EnableLang(LayoutHandle layout) { disabled_.Enable(layout); }

    // Sound options, kept by the event sounds, which play them.
    bool SoundEnabled() const { return sounds_.Enabled(); }
    void SetSoundEnabled(bool on);
    const std::u16string& SoundName(int slot) const { return sounds_.Name(slot); }
    const std::u16string& SoundPath(int slot) const { return sounds_.Path(slot); }
    void SetSound(int slot, std::u16string name) { sounds_.SetSound(slot, std::move(name)); }

    // Look; not stored, every run starts with the defaults.
    std::int32_t ColorScheme() const { return colorScheme_; }
    void SetColorScheme(std::int32_t scheme);
    // The user's own colours, used by any scheme without colours of its own.
    const ThemeColors& CustomColors() const { return customColors_; }
    void SetCustomColors(const ThemeColors& colors);
    std::uint8_t ThemeAlphaBlend() const { return themeAlphaBlend_; }
    void SetThemeAlphaBlend(std::uint8_t opacity);
    std::uint8_t ThemeCommonAlphaBlend() const { return themeCommonAlphaBlend_; }
    void SetThemeCommonAlphaBlend(std::uint8_t opacity);
    const std::u16string& ThemeFontName() const { return themeFontName_; }
    void SetThemeFontName(std::u16string name);
    bool ThemeFontBold() const { return themeFontBold_; }
    void SetThemeFontBold(bool on);
    bool ThemeFontItalic() const { return themeFontItalic_; }
    void SetThemeFontItalic(bool on);
    std::int32_t ThemeFontSize() const { return themeFontSize_; }
    void SetThemeFontSize(std::int32_t size);
    const std::u16string& ThemeInfoFontName() const { return themeInfoFontName_; }
    void SetThemeInfoFontName(std::u16string name);
    bool ThemeInfoFontBold() const { return themeInfoFontBold_; }
    void SetThemeInfoFontBold(bool on);
    bool ThemeInfoFontItalic() const { return themeInfoFontItalic_; }
    void SetThemeInfoFontItalic(bool on);
    std::int32_t ThemeInfoFontSize() const { return themeInfoFontSize_; }
    void SetThemeInfoFontSize(std::int32_t size);
    const std::u16string& BackgroundPicture() const { return backgroundPicture_; }
    void SetBackgroundPicture(std::u16string path);

private:
    template <class Visitor>
    void VisitStoredOptions(Visitor& visitor);
    template <class T>
    void SetAndRefreshIfChanged(T& field, T value);
    template <class T>
    void SetAndRepaintIfChanged(T& field, T value);
    void SetHotkey(HotkeyCode& field, HotkeyCode code);
    void SetLayoutDependentDefaults();

    PresetSeams seams_;
    EventSoundPlayer& sounds_;
    TAppIni& ini_;
    const std::u16string executablePath_;
    const PresetPorts* ports_ = nullptr;
    ILangActionTarget* langActions_ = nullptr;
    bool loaded_ = false;

    LayoutHandle keyboardLang_ = kUsEnglishLayout;
    KeyNameTable keyNames_;
    std::int32_t keyboardShowDelay_ = 0;
    std::int32_t keyboardHideDelay_ = 0;
    std::u16string keyboardName_;
    bool keyboardAutoHide_ = false;
    bool keyboardShowShift_ = false;
    bool keyboardShowCtrl_ = false;
    bool keyboardShowAlt_ = false;
    bool keyboardShowWin_ = false;
    bool keyboardShowCaption_ = false;
    bool keyboardShowLabels_ = false;
    bool keyboardCenterInfo_ = false;
    bool showKeyboardZone_ = false;
    bool showCharCtrl_ = false;
    bool showIconApp_ = false;
    bool showIconPondrel_ = false;
    bool showIconWindows_ = false;
    bool showIconHints_ = false;
    bool showHotkeySquare_ = false;
    bool useGestures_ = false;
    std::uint8_t sensitivityGestures_ = 0;
    std::uint8_t gestureThreshold_ = 0;

    std::u16string actionFileName_;
    std::array<std::u16string, kActionFileSlotCount> actionFileNames_;
    std::u16string templatesFileName_;
    std::u16string templatesBreaks_;

    bool showLangIcon_ = false;
    bool hideTrayIcon_ = false;
    bool showCaretFlag_ = false;
    bool showCaretFlagOnChange_ = false;
    bool fastCaretFlag_ = false;
    std::int32_t caretFlagAlphaBlend_ = 0;

    std::int32_t maxClipboardHistory_ = 0;
    bool uniqueClipboard_ = false;
    bool taskSwitchShowHidden_ = false;
    bool taskSwitchSmallIcon_ = false;
    bool uniqueProcessHistory_ = false;

    bool highPriority_ = false;
    std::int32_t language_ = 0;
    bool accessDenied_ = false;

    LangHotkeys hotkeys_;
    DisabledLayouts disabled_;

    std::int32_t colorScheme_ = 0;
    ThemeColors customColors_;
    std::uint8_t themeAlphaBlend_ = 0;
    std::uint8_t themeCommonAlphaBlend_ = 0;
    std::u16string themeFontName_;
    bool themeFontBold_ = false;
    bool themeFontItalic_ = false;
    std::int32_t themeFontSize_ = 0;
    std::u16string themeInfoFontName_;
    bool themeInfoFontBold_ = false;
    bool themeInfoFontItalic_ = false;
    std::int32_t themeInfoFontSize_ = 0;
    std::u16string backgroundPicture_;
};

}  // namespace kv
