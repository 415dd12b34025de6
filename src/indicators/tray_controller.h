#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "hotkeys/kv_actions.h"
#include "indicators/system_switch.h"
#include "indicators/tray_menu.h"
#include "platform/platform.h"
#include "platform/tray_api.h"
#include "ports/tray_port.h"

namespace kv {

class ActionKindCatalogue;
class DebugLog;
class IActionScheduler;
class TAppIni;
class TKvKeyboard;
class TKvLang;
class TPreset;
class ActionMailbox;


// The doors out of the program behind the tray menu: help, web pages, mail, update check, bug
// report, about box, settings window and the way out.
class ITrayCommands {
public:
    virtual ~ITrayCommands() = default;
    virtual void RunTrayCommand(TrayItem item) = 0;
};

// The notification-area icon, its menu and the actions menu: the program's main door.
class TrayController : public ITrayPort, public ITrayMenus, public ITrayEvents, private IActionListObserver {
public:
    struct Services {
        TPreset& preset;
        TKvLang& lang;
        TAppIni& appIni;
        DebugLog& log;
        // Giving the focus back and the system's language names.
        Platform& platform;
        TKvActions& actions;
        const TKvKeyboard& model;
        ActionMailbox& mailbox;
        IActionScheduler& scheduler;
        ISystemSwitch& system;
        ITrayIcon& icon;
        IPopupMenus& menus;
        const ActionKindCatalogue& kinds;
        ITrayCommands& commands;
        PopupMenuStyle style;
    };

    explicit TrayController(Services services);
    ~TrayController() override;
    TrayController(const TrayController&) = delete;
    TrayController& operator=(const TrayController&) = delete;

    // ITrayPort
    void UpdateTrayIcon() override;
    void SetTrayIconVisible(bool visible) override { s_.icon.SetVisible(visible); }
    // The menu reads the sound option and the system's state each time it opens.
    void CheckSoundMenuItem(bool) override {}
    void ShowActiveState(bool) override {}
    void EnableWindowItems(bool enabled) override { windowItemsEnabled_ = enabled; }
    // While the settings window exists its own item and the hotkey setup are disabled.
    void SetSettingsWindowOpen(bool open) { settingsWindowOpen_ = open; }
    // The floating language panel's item is checked while the panel is shown.
    void SetLanguagePanelShown(bool shown) { languagePanelShown_ = shown; }

    // Shows the icon exactly when `HideTrayIcon` is off.
    void ApplyHideTrayIcon();
    void ShowBalloon(std::u16string_view name, std::int32_t maxCount, std::uint32_t delayMs, std::int32_t bodyText,
                     std::int32_t titleText);
    void OnBalloonClick() override;
    void OnBalloonHidden() override;
    const std::u16string& CurrentBalloonName() const { return currentBalloon_; }

    // Any button but the right one opens the actions menu; the right one the tray menu.
    void OnIconClick(bool rightButton) override;
    void PopupTrayMenu();
    void PopupActionsMenu() override;
    void OnTrayCommand(TrayItem item);
    // Message 1215: a second start of the program.
    void OnSecondInstance() override;
    // The language changed: the actions menu is rebuilt with the new names on its next popup.
    void LocalizeMenus() { actionsMenuDirty_ = true; }

    // Menus follow the reading direction of the interface language.
    void SetRightToLeft(bool rightToLeft) { rightToLeft_ = rightToLeft; }

    // What the tray menu shows now, as it would pop up.
    std::vector<MenuEntry> TrayMenu() const;
    bool ActionsMenuDirty() const { return actionsMenuDirty_; }
    const std::vector<MenuEntry>& ActionsMenu() const { return actionsMenu_; }

private:
    void ActionsChanged() override { actionsMenuDirty_ = true; }
    void RebuildActionsMenu();
    void LogMenu(const std::vector<MenuEntry>& menu) const;
    void RunActionFromMenu(int position);
    std::u16string Text(std::int32_t number) const;
    std::u16string Caption(const TrayItemInfo& info) const;

    Services s_;
    bool rightToLeft_ = false;
    std::u16string currentBalloon_;
    bool actionsMenuDirty_ = true;
    // Off until the system is first switched on: a start that fails to switch on leaves them off.
    bool windowItemsEnabled_ = false;
    bool settingsWindowOpen_ = false;
    bool languagePanelShown_ = false;
    std::vector<MenuEntry> actionsMenu_;
};

// The caption of an action in the actions menu: at most 100 characters of its name and its
// hotkey in parentheses, after the name or, in a right-to-left menu, before it.
std::u16string ActionMenuCaption(std::u16string_view name, std::u16string_view hotkeyText, bool rightToLeft);

}  // namespace kv
