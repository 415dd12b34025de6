#include "settings/preset.h"

#include <algorithm>
#include <string>
#include <vector>

#include "keyboard/default_key_names.h"
#include "platform/platform.h"
#include "settings/preset_ports.h"
#include "settings/start_with_windows.h"
#include "settings/web_address.h"

namespace kv {

namespace {

constexpr std::uint8_t kVkLeftShift = 160, kVkRightShift = 161;

// The form the settings window writes and the switching action parses.
std::u16string LayoutText(LayoutHandle layout) {
    const std::string digits = std::to_string(static_cast<std::int32_t>(layout));
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace

PresetSeams::PresetSeams(Platform& platform)
    : PresetSeams(platform.files, platform.layouts, platform.registry, platform.priority, platform.locales) {}

TPreset::TPreset(PresetSeams seams, EventSoundPlayer& sounds, TAppIni& ini, const AppFolders& folders,
                 std::u16string executablePath)
    : seams_(seams), sounds_(sounds), ini_(ini), executablePath_(std::move(executablePath)) {
    std::copy(DefaultKeyNames().begin(), DefaultKeyNames().end(), keyNames_.begin());
    options_.actionFileName = folders.documentsFolder + u"KvActions.pna";
    options_.templatesFileName = folders.documentsFolder + u"pntemplates.pnt";
    SetDefaults();
}

void TPreset::SetDefaults() {
    PresetOptions defaults;
    defaults.actionFileName = std::move(options_.actionFileName);
    defaults.templatesFileName = std::move(options_.templatesFileName);
    defaults.accessDenied = options_.accessDenied;
    options_ = std::move(defaults);

    SetLayoutDependentDefaults();
    RebuildLangActions();
    sounds_.SetDefaults();
    options_.language = seams_.locales.SystemDefaultUILanguage() & 0xFF;
}

void TPreset::SetLayoutDependentDefaults() {
    std::vector<LayoutHandle> installed = seams_.layouts.InstalledLayouts();
    if (installed.size() > kMaxInstalledLayoutsConsidered) installed.resize(kMaxInstalledLayoutsConsidered);
    const bool usInstalled = std::find(installed.begin(), installed.end(), kUsEnglishLayout) != installed.end();
    options_.keyboardLang = (usInstalled || installed.empty()) ? kUsEnglishLayout : installed.front();

    const bool several = installed.size() > 1;
    options_.keyboardShowLabels = several;
    options_.showLangIcon = several;
    options_.showCaretFlag = several;

    LangHotkeys& hotkeys = options_.hotkeys;
    if (several) {
        hotkeys.changeLangTo[0] = LayoutText(installed[0]);
        hotkeys.changeLangToHotkey[0] = EncodeHotkey(kVkLeftShift, 0);
        hotkeys.changeLangTo[1] = LayoutText(installed[1]);
        hotkeys.changeLangToHotkey[1] = EncodeHotkey(kVkRightShift, 0);
    }
}

void TPreset::RefreshVisuals() {
    if (ports_) ports_->visuals.RefreshVisuals();
}

void TPreset::RebuildLangActions() {
    // Absent while the model is built, before the action list exists.
    if (!langActions_) return;
    RegisterLangActions(options_.hotkeys, *langActions_);
}

bool TPreset::IsStartWithWindows() const { return kv::IsStartWithWindows(seams_.registry, executablePath_); }

std::u16string TPreset::LocalizeWebAddress(std::u16string_view address) const {
    return kv::LocalizeWebAddress(address, options_.language);
}

}  // namespace kv
