// Setters whose change reaches other parts of the program.
#include "settings/preset.h"

namespace kv {

template <class T>
void TPreset::SetAndRefreshIfChanged(T& field, T value) {
    if (field == value) return;
    field = std::move(value);
    if (ports_) ports_->visuals.RefreshVisuals();
}

template <class T>
void TPreset::SetAndRepaintIfChanged(T& field, T value) {
    if (field == value) return;
    field = std::move(value);
    if (ports_) ports_->keyboard.RepaintKeyboard();
}

void TPreset::SetHotkey(HotkeyCode& field, HotkeyCode code) {
    field = code;
    RebuildLangActions();
}

void TPreset::SetKeyboardLang(LayoutHandle requested) {
    LocalizedKeyNames built = BuildKeyNames(seams_.layouts, requested);
    keyboardLang_ = built.layout;
    keyNames_ = std::move(built.names);
    if (ports_) ports_->keyboard.RepaintKeyboard();
}

void TPreset::SetKeyboardShowDelay(std::int32_t ms) {
    keyboardShowDelay_ = ms;
    if (ports_) ports_->keyboard.SetKeyboardShowInterval(ms);
}

void TPreset::SetKeyboardHideDelay(std::int32_t ms) {
    keyboardHideDelay_ = ms;
    if (ports_) ports_->keyboard.ReapplyKeyboardAppearance();
}

void TPreset::SetKeyboardName(std::u16string name) {
    keyboardName_ = std::move(name);
    if (ports_) ports_->model.LoadKeyboardDescription(keyboardName_);
}

void TPreset::SetKeyboardAutoHide(bool on) {
    keyboardAutoHide_ = on;
    if (!ports_) return;
    ports_->keyboard.SetAutoHideButtonState(on ? 2 : 1);
    ports_->wizard.SetWizardAutoHideCheck(on);
    if (!on && ports_->program.ProgramActive()) ports_->keyboard.ShowKeyboardAndReactivateLayout();
}

void TPreset::SetKeyboardShowCaption(bool on) {
    keyboardShowCaption_ = on;
    if (ports_) ports_->keyboard.RepaintKeyboardAndBackground();
}

void TPreset::SetKeyboardShowLabels(bool on) {
    keyboardShowLabels_ = on;
    if (ports_) ports_->keyboard.RepaintKeyboard();
}

void TPreset::SetKeyboardCenterInfo(bool on) {
    keyboardCenterInfo_ = on;
    if (ports_) ports_->keyboard.RepaintKeyboard();
}

void TPreset::SetShowKeyboardZone(bool on) { SetAndRepaintIfChanged(showKeyboardZone_, on); }
void TPreset::SetShowIconApp(bool on) { SetAndRepaintIfChanged(showIconApp_, on); }
void TPreset::SetShowIconPondrel(bool on) { SetAndRepaintIfChanged(showIconPondrel_, on); }
void TPreset::SetShowIconWindows(bool on) { SetAndRepaintIfChanged(showIconWindows_, on); }
void TPreset::SetShowHotkeySquare(bool on) { SetAndRepaintIfChanged(showHotkeySquare_, on); }

void TPreset::SetShowCharCtrl(bool on) {
    if (showCharCtrl_ == on) return;
    showCharCtrl_ = on;
    if (ports_) ports_->model.RebuildKeyboardCharacters();
}

void TPreset::SetSensitivityGestures(std::int32_t value) {
    sensitivityGestures_ = static_cast<std::uint8_t>(value);
    gestureThreshold_ = static_cast<std::uint8_t>(31 - sensitivityGestures_);
}

void TPreset::SetActionFileName(std::u16string path) {
    actionFileName_ = std::move(path);
    if (ports_) ports_->keyboard.RepaintKeyboard();
}

void TPreset::SetShowLangIcon(bool on) {
    showLangIcon_ = on;
    if (ports_) ports_->tray.UpdateTrayIcon();
}

void TPreset::SetHideTrayIcon(bool hide) {
    hideTrayIcon_ = hide;
    // Start-up shows or hides the icon itself once it is done.
    if (ports_ && ports_->program.StartupComplete()) ports_->tray.SetTrayIconVisible(!hide);
}

void TPreset::SetShowCaretFlag(bool on) {
    showCaretFlag_ = on;
    if (!ports_) return;
    if (on) {
        ports_->caretFlag.ShowCaretFlag(ports_->program.ProgramActive());
    } else {
        ports_->caretFlag.FreeCaretFlag();
    }
}

void TPreset::SetCaretFlagAlphaBlend(std::int32_t opacity) {
    caretFlagAlphaBlend_ = opacity;
    if (ports_) ports_->caretFlag.SetCaretFlagOpacity(opacity);
}

void TPreset::SetHighPriority(bool on) {
    if (highPriority_ == on) return;
    highPriority_ = on;
    seams_.priority.SetRealtimePriority(on);
}

void TPreset::SetLanguage(std::int32_t languageId) {
    language_ = languageId;
    if (!ports_) return;
    ports_->language.ChooseHelpFile(languageId);
    ports_->language.ApplyLanguage(languageId);
}

void TPreset::SetSCChangeLang(HotkeyCode code) { SetHotkey(hotkeys_.changeLang, code); }
void TPreset::SetSCChangeSelectedLang(HotkeyCode code) { SetHotkey(hotkeys_.changeSelectedLang, code); }
void TPreset::SetSCSwitchLang(HotkeyCode code) { SetHotkey(hotkeys_.switchLang, code); }
void TPreset::SetSCUpperCase(HotkeyCode code) { SetHotkey(hotkeys_.upperCase, code); }
void TPreset::SetSCLowerCase(HotkeyCode code) { SetHotkey(hotkeys_.lowerCase, code); }
void TPreset::SetSCInvertCase(HotkeyCode code) { SetHotkey(hotkeys_.invertCase, code); }
void TPreset::SetSCSentenceCase(HotkeyCode code) { SetHotkey(hotkeys_.sentenceCase, code); }
void TPreset::SetSCMixedCase(HotkeyCode code) { SetHotkey(hotkeys_.mixedCase, code); }
void TPreset::SetSCChangeLangTo(int slot, HotkeyCode code) { SetHotkey(hotkeys_.changeLangToHotkey.at(slot), code); }

void TPreset::SetSoundEnabled(bool on) {
    sounds_.SetEnabled(on);
    if (ports_) ports_->tray.CheckSoundMenuItem(on);
}

void TPreset::SetColorScheme(std::int32_t scheme) { SetAndRefreshIfChanged(colorScheme_, scheme); }
void TPreset::SetCustomColors(const ThemeColors& colors) { SetAndRefreshIfChanged(customColors_, colors); }

void TPreset::SetThemeAlphaBlend(std::uint8_t opacity) {
    themeAlphaBlend_ = opacity;
    if (ports_) ports_->keyboard.ReapplyKeyboardAppearance();
}

void TPreset::SetThemeCommonAlphaBlend(std::uint8_t opacity) {
    themeCommonAlphaBlend_ = opacity;
    if (ports_) ports_->keyboard.SetKeyboardOpacity(opacity);
}

void TPreset::SetThemeFontName(std::u16string name) { SetAndRefreshIfChanged(themeFontName_, std::move(name)); }
void TPreset::SetThemeFontBold(bool on) { SetAndRefreshIfChanged(themeFontBold_, on); }
void TPreset::SetThemeFontItalic(bool on) { SetAndRefreshIfChanged(themeFontItalic_, on); }
void TPreset::SetThemeFontSize(std::int32_t size) { SetAndRefreshIfChanged(themeFontSize_, size); }
void TPreset::SetThemeInfoFontName(std::u16string name) { SetAndRefreshIfChanged(themeInfoFontName_, std::move(name)); }
void TPreset::SetThemeInfoFontBold(bool on) { SetAndRefreshIfChanged(themeInfoFontBold_, on); }
void TPreset::SetThemeInfoFontItalic(bool on) { SetAndRefreshIfChanged(themeInfoFontItalic_, on); }
void TPreset::SetThemeInfoFontSize(std::int32_t size) { SetAndRefreshIfChanged(themeInfoFontSize_, size); }

void TPreset::SetBackgroundPicture(std::u16string path) {
    backgroundPicture_ = std::move(path);
    if (!ports_) return;
    if (!backgroundPicture_.empty() && seams_.files.FileExists(backgroundPicture_)) {
        ports_->keyboard.LoadBackgroundImage(backgroundPicture_);
    } else {
        ports_->keyboard.ClearBackgroundImage();
    }
    ports_->visuals.RefreshVisuals();
}

}  // namespace kv
