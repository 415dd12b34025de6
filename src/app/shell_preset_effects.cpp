#include "app/shell_preset_effects.h"

#include "app/app_singletons.h"
#include "app/application_shell.h"
#include "app/keyboard_engine.h"
#include "indicators/tray_controller.h"
#include "resources/language_apply.h"

namespace kv {

bool ShellPresetEffects::StartupComplete() const { return shell_.StartupComplete(); }

bool ShellPresetEffects::ProgramActive() const { return engine_ != nullptr && engine_->Switch().Active(); }

void ShellPresetEffects::LoadKeyboardDescription(const std::u16string& name) {
    if (engine_) engine_->Model().LoadKeyboard(name);
}

void ShellPresetEffects::RebuildKeyboardCharacters() {
    if (!engine_) return;
    engine_->Model().BuildLayoutChars();
    engine_->Model().Redraw();
}

void ShellPresetEffects::ApplyLanguage(std::int32_t languageId) {
    SwitchLanguage(app_.lang, app_.languages, languageId, targets_);
    shell_.LocalizeMenus();
}

void ShellPresetEffects::ChooseHelpFile(std::int32_t languageId) { shell_.Help().SetHelpFile(languageId); }

void ShellPresetEffects::UpdateTrayIcon() {
    if (tray_) tray_->UpdateTrayIcon();
}

void ShellPresetEffects::SetTrayIconVisible(bool visible) {
    if (tray_) tray_->SetIconVisible(visible);
}

}  // namespace kv
