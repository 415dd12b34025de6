#pragma once
// The settings window and the program, each as the other reaches it. The program opens the
// window from the tray, re-captions it when the interface language changes and asks whether
// it is visible (the way out reloads the settings then, so unsaved edits are not kept). The
// window edits the settings model at once through its setters and reaches the rest only
// through ISettingsHost.
#include <cstdint>
#include <string>
#include <vector>

#include "common/hotkey_code.h"

namespace kv {

class EventSoundPlayer;
class TPreset;
class TKvLang;
class KvMessageBoxes;
struct Platform;
struct AppFolders;
struct TKvLangListItem;

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

class ISettingsHost {
public:
    virtual ~ISettingsHost() = default;
    virtual TPreset& Preset() = 0;
    // The sounds page's test button.
    virtual EventSoundPlayer& Sounds() = 0;
    virtual const TKvLang& Lang() const = 0;
    virtual const std::vector<TKvLangListItem>& Languages() const = 0;
    virtual KvMessageBoxes& MessageBoxes() = 0;
    virtual Platform& Os() = 0;
    virtual const AppFolders& Folders() const = 0;
    virtual std::u16string ProgramPath() const = 0;
    virtual std::u16string HotkeyText(HotkeyCode code) const = 0;
    // The capture dialog: true when the user confirmed, then `code` holds the new hotkey.
    virtual bool CaptureShortcut(HotkeyCode& code) = 0;
    virtual void ShowHelp(std::int32_t context) = 0;
    virtual void OpenLocalizationPage() = 0;
    virtual void OpenWizard() = 0;
    virtual void ActionsMenuDirty() = 0;
    // The window was destroyed; the host frees it once the window's message has returned.
    virtual void SettingsWindowClosed() = 0;
};

}  // namespace kv
