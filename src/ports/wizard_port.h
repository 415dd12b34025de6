#pragma once
// The first-run wizard and the program, each as the other reaches it. The program opens the
// wizard on a first start (and from the settings window), re-captions it when the interface
// language changes and asks whether it is showing; the wizard edits the settings model at once
// through its setters and reaches the rest through the dialogs' shared IDialogContext and its
// own IWizardHost.
#include <optional>
#include <string>

#include "ports/dialog_context.h"

namespace kv {

// What the settings model tells the open wizard.
class IWizardPort {
public:
    virtual ~IWizardPort() = default;
    virtual void SetWizardAutoHideCheck(bool checked) = 0;
};

class IWizardWindow {
public:
    virtual ~IWizardWindow() = default;
    // Fills the controls, saves the settings and brings the wizard to the front.
    virtual void ShowAndActivate() = 0;
    virtual bool Visible() const = 0;
    virtual void ApplyLanguage() = 0;
};

// What only the wizard asks of the program.
class IWizardHost {
public:
    virtual ~IWizardHost() = default;
    // The hotkey of the action that converts the text typed last; none without that action.
    virtual std::optional<std::u16string> ConvertHotkeyText() const = 0;
    // A click in one of the program's windows: the typing test starts a fresh record.
    virtual void ResetTypedBuffer() = 0;
    virtual void CheckForUpdate() = 0;
    virtual void OpenSettingsFromWizard() = 0;
    // The wizard was destroyed; the host frees it once the window's message has returned.
    virtual void WizardClosed() = 0;
};

}  // namespace kv
