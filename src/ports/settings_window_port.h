#pragma once
// The settings window and the program, each as the other reaches it. The program opens the
// window from the tray, re-captions it when the interface language changes and asks whether
// it is visible (the way out reloads the settings then, so unsaved edits are not kept). The
// window edits the settings model at once through its setters and reaches the rest through the
// dialogs' shared IDialogContext and its own ISettingsHost.
#include <string>

#include "common/hotkey_code.h"
#include "ports/dialog_context.h"

namespace kv {

class EventSoundPlayer;
class ISettingsWindow {
public:
    virtual ~ISettingsWindow() = default;
    // Shows the window (its first showing saves the settings and fills the controls) and brings
    // it to the front.
    virtual void ShowAndActivate() = 0;
    virtual bool Visible() const = 0;
    // The interface language changed: every caption again, selections kept.
    virtual void ApplyLanguage() = 0;
};

// What only the settings window asks of the program.
class ISettingsHost {
public:
    virtual ~ISettingsHost() = default;
    // The sounds page's test button.
    virtual EventSoundPlayer& Sounds() = 0;
    virtual std::u16string HotkeyText(HotkeyCode code) const = 0;
    // The capture dialog: true when the user confirmed, then `code` holds the new hotkey.
    virtual bool CaptureShortcut(HotkeyCode& code) = 0;
    virtual void OpenLocalizationPage() = 0;
    virtual void OpenWizard() = 0;
    // The window was destroyed; the host frees it once the window's message has returned.
    virtual void SettingsWindowClosed() = 0;
};

}  // namespace kv
