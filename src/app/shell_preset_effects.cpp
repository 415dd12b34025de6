#include "app/shell_preset_effects.h"

#include "app/app_singletons.h"
#include "app/application_shell.h"
#include "resources/language_apply.h"

namespace kv {

bool ShellPresetEffects::StartupComplete() const { return shell_.StartupComplete(); }

void ShellPresetEffects::ApplyLanguage(std::int32_t languageId) {
    SwitchLanguage(app_.lang, app_.languages, languageId, targets_);
}

}  // namespace kv
