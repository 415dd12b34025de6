#pragma once
#include "settings/preset_effects.h"

namespace kv {

class AppSingletons;
class ApplicationShell;
class ILanguageTargets;
class KeyboardEngine;
class TrayController;

// The settings' effects on the parts of the program that exist so far: start-up state, the
// interface language and the keyboard model. The effects on the tray, the on-screen keyboard
// window and the caret flag come with those windows.
class ShellPresetEffects : public NullPresetEffects {
public:
    ShellPresetEffects(AppSingletons& app, ApplicationShell& shell, ILanguageTargets& targets)
        : app_(app), shell_(shell), targets_(targets) {}

    // Null until the keyboard engine exists.
    void SetEngine(KeyboardEngine* engine, TrayController* tray) {
        engine_ = engine;
        tray_ = tray;
    }

    bool StartupComplete() const override;
    bool ProgramActive() const override;
    void ApplyLanguage(std::int32_t languageId) override;
    void LoadKeyboardDescription(const std::u16string& name) override;
    void RebuildKeyboardCharacters() override;
    void UpdateTrayIcon() override;
    void ChooseHelpFile(std::int32_t languageId) override;
    void SetTrayIconVisible(bool visible) override;

private:
    AppSingletons& app_;
    ApplicationShell& shell_;
    ILanguageTargets& targets_;
    KeyboardEngine* engine_ = nullptr;
    TrayController* tray_ = nullptr;
};

}  // namespace kv
