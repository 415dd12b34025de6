// The first-run wizard as the composition root wires it: opened when the registry has no
// "FirstStart" value (a first start) or from the settings window, at most one, freed after it
// closed. While it shows, the on-screen keyboard treats it like the settings window.
#include "actions/action_description.h"
#include "actions/model_hotkey_texts.h"
#include "app/app_singletons.h"
#include "app/app_windows.h"
#include "app/application_shell.h"
#include "app/program.h"
#include "dialogs/wizard_texts.h"
#include "keyboard/kv_keyboard.h"

namespace kv {

bool ApplicationShell::IsFirstStart() const { return !app_.appIni.ValueExists(u"FirstStart"); }

void ApplicationShell::CreateAndShowWizard() {
    if (!wizard_) {
        if (wizardReleaseTimer_) {
            app_.platform.loop.StopTimer(*wizardReleaseTimer_);
            wizardReleaseTimer_.reset();
        }
        wizard_ = windows_.CreateWizardWindow(*this, *this);
    }
    wizard_->ShowAndActivate();
}

void ApplicationShell::OpenWizard() {
    if (wizard_) {
        wizard_->ShowAndActivate();
        return;
    }
    if (wait_) wait_->ShowLoadingWait(app_.lang.GetText(380, u"Setup Wizard"));
    try {
        CreateAndShowWizard();
    } catch (...) {
        if (wait_) wait_->CloseWait();
        throw;
    }
    if (wait_) wait_->CloseWait();
}

void ApplicationShell::WizardClosed() {
    if (!wizard_ || wizardReleaseTimer_) return;
    wizardReleaseTimer_ = app_.platform.loop.StartTimer(0, [this] {
        app_.platform.loop.StopTimer(*wizardReleaseTimer_);
        wizardReleaseTimer_.reset();
        wizard_.reset();
    });
}

std::optional<std::u16string> ApplicationShell::ConvertHotkeyText() const {
    if (!program_) return std::nullopt;
    return ConvertTypedHotkeyText(program_->model.actions, ModelHotkeyTexts(program_->model.keyboard));
}

void ApplicationShell::ResetTypedBuffer() {
    if (program_) program_->model.typed.ResetTypedBuffer();
}

void ApplicationShell::CheckForUpdate() {
    if (links_) links_->CheckForUpdate(true);
}

void ApplicationShell::OpenSettingsFromWizard() { OpenSettingsWindow(); }

// The wizard's steps have no auto-hide box: the option shows on the on-screen keyboard's pin.
void ApplicationShell::SetWizardAutoHideCheck(bool) {}

bool ApplicationShell::SettingsUiVisible() const {
    return (settingsWindow_ && settingsWindow_->Visible()) || (wizard_ && wizard_->Visible());
}

}  // namespace kv
