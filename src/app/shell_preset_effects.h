#pragma once
#include "settings/preset_effects.h"

namespace kv {

class AppSingletons;
class ApplicationShell;
class ILanguageTargets;

// The settings' effects on the parts of the program that exist so far: start-up state and the
// interface language. The effects on the keyboard, tray and caret flag come with those windows.
class ShellPresetEffects : public NullPresetEffects {
public:
    ShellPresetEffects(AppSingletons& app, const ApplicationShell& shell, ILanguageTargets& targets)
        : app_(app), shell_(shell), targets_(targets) {}

    bool StartupComplete() const override;
    void ApplyLanguage(std::int32_t languageId) override;

private:
    AppSingletons& app_;
    const ApplicationShell& shell_;
    ILanguageTargets& targets_;
};

}  // namespace kv
