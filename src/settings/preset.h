#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "keyboard/key_names.h"
#include "settings/app_ini.h"
#include "settings/event_sound_player.h"
#include "settings/option_notices.h"
#include "settings/preset_options.h"

namespace kv {

class IFileSystem;
class IKeyboardLayouts;
class ILangActionTarget;
class ILocales;
class IProcessPriority;
class IRegistry;
struct Platform;
struct PresetPorts;

// The parts of the system the settings reach: picture files, layouts (key names and the
// layout-dependent defaults), the Run key, the process priority and the system's interface
// language.
struct PresetSeams {
    IFileSystem& files;
    IKeyboardLayouts& layouts;
    IRegistry& registry;
    IProcessPriority& priority;
    const ILocales& locales;

    PresetSeams(IFileSystem& files, IKeyboardLayouts& layouts, IRegistry& registry, IProcessPriority& priority,
                const ILocales& locales)
        : files(files), layouts(layouts), registry(registry), priority(priority), locales(locales) {}
    // Taken from the whole seam; the settings keep only these.
    PresetSeams(Platform& platform);  // NOLINT(google-explicit-constructor): callers hold the whole seam
};

// Every user option. Getters are plain reads (the keyboard hook calls them on every key);
// setters apply the change to the rest of the program at once through its ports (the table of
// option_notices.cpp), so a value takes effect the same way whether it comes from Load, the
// settings window or the tray. Before the ports are wired (start-up's first load) and after the
// way out, setters only store.
// The program creates one instance after the settings store and the event sounds, whose options
// it loads and saves, and before the forms.
class TPreset {
public:
    TPreset(PresetSeams seams, EventSoundPlayer& sounds, TAppIni& ini, const AppFolders& folders,
            std::u16string executablePath);
    TPreset(const TPreset&) = delete;
    TPreset& operator=(const TPreset&) = delete;

    // Wiring, once the program's parts exist; null detaches. The ports must outlive the wiring.
    void SetPorts(const PresetPorts* ports) { ports_ = ports; }
    void SetLangActionTarget(ILangActionTarget* target) { langActions_ = target; }

    // Every default, assigned without applying anything ("AccessDenied" and the two file names
    // set at construction are kept).
    void SetDefaults();
    // Applies every stored value through its setter. The first failure (a value of the wrong
    // registry type) ends the load silently and leaves Loaded() as it was.
    void Load();
    // Nothing before a successful Load, so a faulty stored value is never overwritten; a failing
    // write throws KvError to the caller.
    void Save();
    bool Loaded() const { return loaded_; }

    const PresetOptions& Options() const { return options_; }
    void RefreshVisuals();
    void RebuildLangActions();
    bool IsStartWithWindows() const;
    std::u16string LocalizeWebAddress(std::u16string_view address) const;

    // On-screen keyboard.
    LayoutHandle KeyboardLang() const { return options_.keyboardLang; }
    void SetKeyboardLang(LayoutHandle requested);
    const KeyNameTable& KeyNames() const { return keyNames_; }
    const std::u16string& KeyName(std::uint8_t vk) const { return keyNames_[vk]; }
    std::int32_t KeyboardShowDelay() const { return options_.keyboardShowDelay; }
    void SetKeyboardShowDelay(std::int32_t ms) {
        Set(NotifyingOption::KeyboardShowDelay, options_.keyboardShowDelay, ms);
    }
    std::int32_t KeyboardHideDelay() const { return options_.keyboardHideDelay; }
    void SetKeyboardHideDelay(std::int32_t ms) {
        Set(NotifyingOption::KeyboardHideDelay, options_.keyboardHideDelay, ms);
    }
    const std::u16string& KeyboardName() const { return options_.keyboardName; }
    void SetKeyboardName(std::u16string name) {
        Set(NotifyingOption::KeyboardName, options_.keyboardName, std::move(name));
    }
    bool KeyboardAutoHide() const { return options_.keyboardAutoHide; }
    void SetKeyboardAutoHide(bool on) { Set(NotifyingOption::KeyboardAutoHide, options_.keyboardAutoHide, on); }
    bool KeyboardShowShift() const { return options_.keyboardShowShift; }
    void SetKeyboardShowShift(bool on) { options_.keyboardShowShift = on; }
    bool KeyboardShowCtrl() const { return options_.keyboardShowCtrl; }
    void SetKeyboardShowCtrl(bool on) { options_.keyboardShowCtrl = on; }
    bool KeyboardShowAlt() const { return options_.keyboardShowAlt; }
    void SetKeyboardShowAlt(bool on) { options_.keyboardShowAlt = on; }
    bool KeyboardShowWin() const { return options_.keyboardShowWin; }
    void SetKeyboardShowWin(bool on) { options_.keyboardShowWin = on; }
    bool KeyboardShowCaption() const { return options_.keyboardShowCaption; }
    void SetKeyboardShowCaption(bool on) {
        Set(NotifyingOption::KeyboardShowCaption, options_.keyboardShowCaption, on);
    }
    bool KeyboardShowLabels() const { return options_.keyboardShowLabels; }
    void SetKeyboardShowLabels(bool on) { Set(NotifyingOption::KeyboardShowLabels, options_.keyboardShowLabels, on); }
    bool KeyboardCenterInfo() const { return options_.keyboardCenterInfo; }
    void SetKeyboardCenterInfo(bool on) { Set(NotifyingOption::KeyboardCenterInfo, options_.keyboardCenterInfo, on); }
    bool ShowKeyboardZone() const { return options_.showKeyboardZone; }
    void SetShowKeyboardZone(bool on) { Set(NotifyingOption::ShowKeyboardZone, options_.showKeyboardZone, on); }
    bool ShowCharCtrl() const { return options_.showCharCtrl; }
    void SetShowCharCtrl(bool on) { Set(NotifyingOption::ShowCharCtrl, options_.showCharCtrl, on); }
    bool ShowIconApp() const { return options_.showIconApp; }
    void SetShowIconApp(bool on) { Set(NotifyingOption::ShowIconApp, options_.showIconApp, on); }
    bool ShowIconPondrel() const { return options_.showIconPondrel; }
    void SetShowIconPondrel(bool on) { Set(NotifyingOption::ShowIconPondrel, options_.showIconPondrel, on); }
    bool ShowIconWindows() const { return options_.showIconWindows; }
    void SetShowIconWindows(bool on) { Set(NotifyingOption::ShowIconWindows, options_.showIconWindows, on); }
    bool ShowIconHints() const { return options_.showIconHints; }
    void SetShowIconHints(bool on) { options_.showIconHints = on; }
    bool ShowHotkeySquare() const { return options_.showHotkeySquare; }
    void SetShowHotkeySquare(bool on) { Set(NotifyingOption::ShowHotkeySquare, options_.showHotkeySquare, on); }
    bool UseGestures() const { return options_.useGestures; }
    void SetUseGestures(bool on) { options_.useGestures = on; }
    std::uint8_t SensitivityGestures() const { return options_.sensitivityGestures; }
    // Keeps the low 8 bits; the threshold is 31 minus that, also in 8 bits.
    void SetSensitivityGestures(std::int32_t value) { options_.sensitivityGestures = static_cast<std::uint8_t>(value); }
    std::uint8_t GestureThreshold() const { return static_cast<std::uint8_t>(31 - options_.sensitivityGestures); }

    // Action files and templates.
    const std::u16string& ActionFileName() const { return options_.actionFileName; }
    void SetActionFileName(std::u16string path) {
        Set(NotifyingOption::ActionFileName, options_.actionFileName, std::move(path));
    }
    const std::u16string& ActionFileNameAt(int slot) const { return options_.actionFileNames.at(slot); }
    void SetActionFileNameAt(int slot, std::u16string path) { options_.actionFileNames.at(slot) = std::move(path); }
    // Fixed for the run: Documents + "pntemplates.pnt", whatever is stored.
    const std::u16string& TemplatesFileName() const { return options_.templatesFileName; }
    const std::u16string& TemplatesBreaks() const { return options_.templatesBreaks; }
    void SetTemplatesBreaks(std::u16string breaks) { options_.templatesBreaks = std::move(breaks); }

    // Tray and caret flag.
    bool ShowLangIcon() const { return options_.showLangIcon; }
    void SetShowLangIcon(bool on) { Set(NotifyingOption::ShowLangIcon, options_.showLangIcon, on); }
    bool HideTrayIcon() const { return options_.hideTrayIcon; }
    void SetHideTrayIcon(bool hide) { Set(NotifyingOption::HideTrayIcon, options_.hideTrayIcon, hide); }
    bool ShowCaretFlag() const { return options_.showCaretFlag; }
    void SetShowCaretFlag(bool on) { Set(NotifyingOption::ShowCaretFlag, options_.showCaretFlag, on); }
    bool ShowCaretFlagOnChange() const { return options_.showCaretFlagOnChange; }
    void SetShowCaretFlagOnChange(bool on) { options_.showCaretFlagOnChange = on; }
    bool FastCaretFlag() const { return options_.fastCaretFlag; }
    void SetFastCaretFlag(bool on) { options_.fastCaretFlag = on; }
    std::int32_t CaretFlagAlphaBlend() const { return options_.caretFlagAlphaBlend; }
    void SetCaretFlagAlphaBlend(std::int32_t opacity) {
        Set(NotifyingOption::CaretFlagAlphaBlend, options_.caretFlagAlphaBlend, opacity);
    }

    // Clipboard and task switching.
    std::int32_t MaxClipboardHistory() const { return options_.maxClipboardHistory; }
    void SetMaxClipboardHistory(std::int32_t count) { options_.maxClipboardHistory = count; }
    bool UniqueClipboard() const { return options_.uniqueClipboard; }
    void SetUniqueClipboard(bool on) { options_.uniqueClipboard = on; }
    bool TaskSwitchShowHidden() const { return options_.taskSwitchShowHidden; }
    void SetTaskSwitchShowHidden(bool on) { options_.taskSwitchShowHidden = on; }
    bool TaskSwitchSmallIcon() const { return options_.taskSwitchSmallIcon; }
    void SetTaskSwitchSmallIcon(bool on) { options_.taskSwitchSmallIcon = on; }
    bool UniqueProcessHistory() const { return options_.uniqueProcessHistory; }
    void SetUniqueProcessHistory(bool on) { options_.uniqueProcessHistory = on; }

    // Process.
    bool HighPriority() const { return options_.highPriority; }
    // Acts only on a change: the value at start-up is taken as already in force.
    void SetHighPriority(bool on);
    std::int32_t Language() const { return options_.language; }
    void SetLanguage(std::int32_t languageId) { Set(NotifyingOption::Language, options_.language, languageId); }
    // Read only: the restricted mode is switched on by editing the registry.
    bool AccessDenied() const { return options_.accessDenied; }

    // Language hotkeys (EncodeHotkey form); each change rebuilds the language actions.
    const LangHotkeys& LanguageHotkeys() const { return options_.hotkeys; }
    HotkeyCode SCChangeLang() const { return options_.hotkeys.changeLang; }
    void SetSCChangeLang(HotkeyCode code) { SetHotkey(options_.hotkeys.changeLang, code); }
    HotkeyCode SCChangeSelectedLang() const { return options_.hotkeys.changeSelectedLang; }
    void SetSCChangeSelectedLang(HotkeyCode code) { SetHotkey(options_.hotkeys.changeSelectedLang, code); }
    HotkeyCode SCSwitchLang() const { return options_.hotkeys.switchLang; }
    void SetSCSwitchLang(HotkeyCode code) { SetHotkey(options_.hotkeys.switchLang, code); }
    HotkeyCode SCUpperCase() const { return options_.hotkeys.upperCase; }
    void SetSCUpperCase(HotkeyCode code) { SetHotkey(options_.hotkeys.upperCase, code); }
    HotkeyCode SCLowerCase() const { return options_.hotkeys.lowerCase; }
    void SetSCLowerCase(HotkeyCode code) { SetHotkey(options_.hotkeys.lowerCase, code); }
    HotkeyCode SCInvertCase() const { return options_.hotkeys.invertCase; }
    void SetSCInvertCase(HotkeyCode code) { SetHotkey(options_.hotkeys.invertCase, code); }
    HotkeyCode SCSentenceCase() const { return options_.hotkeys.sentenceCase; }
    void SetSCSentenceCase(HotkeyCode code) { SetHotkey(options_.hotkeys.sentenceCase, code); }
    HotkeyCode SCMixedCase() const { return options_.hotkeys.mixedCase; }
    void SetSCMixedCase(HotkeyCode code) { SetHotkey(options_.hotkeys.mixedCase, code); }
    const std::u16string& ChangeLangTo(int slot) const { return options_.hotkeys.changeLangTo.at(slot); }
    void SetChangeLangTo(int slot, std::u16string layoutText) {
        options_.hotkeys.changeLangTo.at(slot) = std::move(layoutText);
    }
    HotkeyCode SCChangeLangTo(int slot) const { return options_.hotkeys.changeLangToHotkey.at(slot); }
    void SetSCChangeLangTo(int slot, HotkeyCode code) { SetHotkey(options_.hotkeys.changeLangToHotkey.at(slot), code); }

    // Layouts skipped when switching to the next one.
    LayoutHandle DisabledLang(int slot) const { return options_.disabledLangs.Slot(slot); }
    void SetDisabledLang(int slot, LayoutHandle layout) { options_.disabledLangs.SetSlot(slot, layout); }
    bool IsLangDisabled(LayoutHandle layout) const { return options_.disabledLangs.IsDisabled(layout); }
    void DisableLang(LayoutHandle layout) { options_.disabledLangs.Disable(layout); }
    void EnableLang(LayoutHandle layout) { options_.disabledLangs.Enable(layout); }

    // Sound options, kept by the event sounds, which play them.
    bool SoundEnabled() const { return sounds_.Enabled(); }
    void SetSoundEnabled(bool on) {
        sounds_.SetEnabled(on);
        Notify(NotifyingOption::SoundEnabled);
    }
    const std::u16string& SoundName(int slot) const { return sounds_.Name(slot); }
    const std::u16string& SoundPath(int slot) const { return sounds_.Path(slot); }
    void SetSound(int slot, std::u16string name) { sounds_.SetSound(slot, std::move(name)); }

    // Look; not stored, every run starts with the defaults.
    std::int32_t ColorScheme() const { return options_.colorScheme; }
    void SetColorScheme(std::int32_t scheme) { Set(NotifyingOption::ColorScheme, options_.colorScheme, scheme); }
    // The user's own colours, used by any scheme without colours of its own.
    const ThemeColors& CustomColors() const { return options_.customColors; }
    void SetCustomColors(const ThemeColors& colors) {
        Set(NotifyingOption::CustomColors, options_.customColors, colors);
    }
    std::uint8_t ThemeAlphaBlend() const { return options_.themeAlphaBlend; }
    void SetThemeAlphaBlend(std::uint8_t opacity) {
        Set(NotifyingOption::ThemeAlphaBlend, options_.themeAlphaBlend, opacity);
    }
    std::uint8_t ThemeCommonAlphaBlend() const { return options_.themeCommonAlphaBlend; }
    void SetThemeCommonAlphaBlend(std::uint8_t opacity) {
        Set(NotifyingOption::ThemeCommonAlphaBlend, options_.themeCommonAlphaBlend, opacity);
    }
    const std::u16string& ThemeFontName() const { return options_.themeFontName; }
    void SetThemeFontName(std::u16string name) {
        Set(NotifyingOption::ThemeFontName, options_.themeFontName, std::move(name));
    }
    bool ThemeFontBold() const { return options_.themeFontBold; }
    void SetThemeFontBold(bool on) { Set(NotifyingOption::ThemeFontBold, options_.themeFontBold, on); }
    bool ThemeFontItalic() const { return options_.themeFontItalic; }
    void SetThemeFontItalic(bool on) { Set(NotifyingOption::ThemeFontItalic, options_.themeFontItalic, on); }
    std::int32_t ThemeFontSize() const { return options_.themeFontSize; }
    void SetThemeFontSize(std::int32_t size) { Set(NotifyingOption::ThemeFontSize, options_.themeFontSize, size); }
    const std::u16string& ThemeInfoFontName() const { return options_.themeInfoFontName; }
    void SetThemeInfoFontName(std::u16string name) {
        Set(NotifyingOption::ThemeInfoFontName, options_.themeInfoFontName, std::move(name));
    }
    bool ThemeInfoFontBold() const { return options_.themeInfoFontBold; }
    void SetThemeInfoFontBold(bool on) { Set(NotifyingOption::ThemeInfoFontBold, options_.themeInfoFontBold, on); }
    bool ThemeInfoFontItalic() const { return options_.themeInfoFontItalic; }
    void SetThemeInfoFontItalic(bool on) {
        Set(NotifyingOption::ThemeInfoFontItalic, options_.themeInfoFontItalic, on);
    }
    std::int32_t ThemeInfoFontSize() const { return options_.themeInfoFontSize; }
    void SetThemeInfoFontSize(std::int32_t size) {
        Set(NotifyingOption::ThemeInfoFontSize, options_.themeInfoFontSize, size);
    }
    const std::u16string& BackgroundPicture() const { return options_.backgroundPicture; }
    void SetBackgroundPicture(std::u16string path) {
        Set(NotifyingOption::BackgroundPicture, options_.backgroundPicture, std::move(path));
    }

private:
    template <class Visitor>
    void VisitStoredOptions(Visitor& visitor);
    template <class T>
    void Set(NotifyingOption option, T& field, T value) {
        if (NotifiesOnlyWhenChanged(option) && field == value) return;
        field = std::move(value);
        Notify(option);
    }
    void Notify(NotifyingOption option);
    void SetHotkey(HotkeyCode& field, HotkeyCode code) {
        field = code;
        RebuildLangActions();
    }
    void SetLayoutDependentDefaults();

    PresetSeams seams_;
    EventSoundPlayer& sounds_;
    TAppIni& ini_;
    const std::u16string executablePath_;
    const PresetPorts* ports_ = nullptr;
    ILangActionTarget* langActions_ = nullptr;
    bool loaded_ = false;
    PresetOptions options_;
    // Derived from "KeyboardLang" when it is set.
    KeyNameTable keyNames_;
};

}  // namespace kv
