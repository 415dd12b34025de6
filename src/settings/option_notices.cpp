// One table says which ports each option change reaches, so the setters stay plain stores.
#include "settings/option_notices.h"

#include <cstddef>
#include <iterator>

#include "platform/files_api.h"
#include "settings/preset.h"
#include "settings/preset_ports.h"

namespace kv {

namespace {

using Context = OptionNoticeContext;

struct OptionNotice {
    NotifyingOption option;
    bool onlyWhenChanged;
    void (*notify)(const Context&);
};

void RepaintKeyboard(const Context& c) { c.ports.keyboard.RepaintKeyboard(); }
void RefreshVisuals(const Context& c) { c.ports.visuals.RefreshVisuals(); }
void ReapplyKeyboardAppearance(const Context& c) { c.ports.keyboard.ReapplyKeyboardAppearance(); }

void AutoHide(const Context& c) {
    const bool on = c.settings.KeyboardAutoHide();
    c.ports.keyboard.SetAutoHideButtonState(on ? 2 : 1);
    c.ports.wizard.SetWizardAutoHideCheck(on);
    if (!on && c.ports.program.ProgramActive()) c.ports.keyboard.ShowKeyboardAndReactivateLayout();
}

// Start-up shows or hides the icon itself once it is done.
void TrayIconVisibility(const Context& c) {
    if (c.ports.program.StartupComplete()) c.ports.tray.SetTrayIconVisible(!c.settings.HideTrayIcon());
}

void CaretFlag(const Context& c) {
    if (c.settings.ShowCaretFlag()) {
        c.ports.caretFlag.ShowCaretFlag(c.ports.program.ProgramActive());
    } else {
        c.ports.caretFlag.FreeCaretFlag();
    }
}

void InterfaceLanguage(const Context& c) {
    c.ports.language.ChooseHelpFile(c.settings.Language());
    c.ports.language.ApplyLanguage(c.settings.Language());
}

void BackgroundPicture(const Context& c) {
    const std::u16string& path = c.settings.BackgroundPicture();
    if (!path.empty() && c.files.FileExists(path)) {
        c.ports.keyboard.LoadBackgroundImage(path);
    } else {
        c.ports.keyboard.ClearBackgroundImage();
    }
    c.ports.visuals.RefreshVisuals();
}

using O = NotifyingOption;
constexpr bool kAlways = false, kIfChanged = true;

// In the order of NotifyingOption.
constexpr OptionNotice kNotices[] = {
    {O::KeyboardLang, kAlways, RepaintKeyboard},
    {O::ActionFileName, kAlways, RepaintKeyboard},
    {O::KeyboardShowDelay, kAlways,
     [](const Context& c) { c.ports.keyboard.SetKeyboardShowInterval(c.settings.KeyboardShowDelay()); }},
    {O::KeyboardHideDelay, kAlways, ReapplyKeyboardAppearance},
    {O::KeyboardName, kAlways, [](const Context& c) { c.ports.model.LoadKeyboardDescription(c.settings.KeyboardName()); }},
    {O::KeyboardAutoHide, kAlways, AutoHide},
    {O::KeyboardShowCaption, kAlways, [](const Context& c) { c.ports.keyboard.RepaintKeyboardAndBackground(); }},
    {O::KeyboardShowLabels, kAlways, RepaintKeyboard},
    {O::KeyboardCenterInfo, kAlways, RepaintKeyboard},
    {O::ShowKeyboardZone, kIfChanged, RepaintKeyboard},
    {O::ShowCharCtrl, kIfChanged, [](const Context& c) { c.ports.model.RebuildKeyboardCharacters(); }},
    {O::ShowIconApp, kIfChanged, RepaintKeyboard},
    {O::ShowIconPondrel, kIfChanged, RepaintKeyboard},
    {O::ShowIconWindows, kIfChanged, RepaintKeyboard},
    {O::ShowHotkeySquare, kIfChanged, RepaintKeyboard},
    {O::ShowLangIcon, kAlways, [](const Context& c) { c.ports.tray.UpdateTrayIcon(); }},
    {O::HideTrayIcon, kAlways, TrayIconVisibility},
    {O::ShowCaretFlag, kAlways, CaretFlag},
    {O::CaretFlagAlphaBlend, kAlways,
     [](const Context& c) { c.ports.caretFlag.SetCaretFlagOpacity(c.settings.CaretFlagAlphaBlend()); }},
    {O::Language, kAlways, InterfaceLanguage},
    {O::SoundEnabled, kAlways, [](const Context& c) { c.ports.tray.CheckSoundMenuItem(c.settings.SoundEnabled()); }},
    {O::ColorScheme, kIfChanged, RefreshVisuals},
    {O::CustomColors, kIfChanged, RefreshVisuals},
    {O::ThemeAlphaBlend, kAlways, ReapplyKeyboardAppearance},
    {O::ThemeCommonAlphaBlend, kAlways,
     [](const Context& c) { c.ports.keyboard.SetKeyboardOpacity(c.settings.ThemeCommonAlphaBlend()); }},
    {O::ThemeFontName, kIfChanged, RefreshVisuals},
    {O::ThemeFontBold, kIfChanged, RefreshVisuals},
    {O::ThemeFontItalic, kIfChanged, RefreshVisuals},
    {O::ThemeFontSize, kIfChanged, RefreshVisuals},
    {O::ThemeInfoFontName, kIfChanged, RefreshVisuals},
    {O::ThemeInfoFontBold, kIfChanged, RefreshVisuals},
    {O::ThemeInfoFontItalic, kIfChanged, RefreshVisuals},
    {O::ThemeInfoFontSize, kIfChanged, RefreshVisuals},
    {O::BackgroundPicture, kAlways, BackgroundPicture},
};

constexpr bool InOptionOrder() {
    for (std::size_t i = 0; i < std::size(kNotices); ++i) {
        if (static_cast<std::size_t>(kNotices[i].option) != i) return false;
    }
    return std::size(kNotices) == static_cast<std::size_t>(O::BackgroundPicture) + 1;
}
static_assert(InOptionOrder(), "one notice per option, in the order of NotifyingOption");

const OptionNotice& NoticeOf(NotifyingOption option) { return kNotices[static_cast<std::size_t>(option)]; }

}  // namespace

bool NotifiesOnlyWhenChanged(NotifyingOption option) { return NoticeOf(option).onlyWhenChanged; }

void NotifyOptionChanged(NotifyingOption option, const OptionNoticeContext& context) { NoticeOf(option).notify(context); }

}  // namespace kv
