#pragma once

namespace kv {

// The notification-area icon and its menu, as the rest of the program reaches them.
class ITrayPort {
public:
    virtual ~ITrayPort() = default;
    // The icon shows the state or the language flag of the layout now in front.
    virtual void UpdateTrayIcon() = 0;
    virtual void SetTrayIconVisible(bool visible) = 0;
    virtual void CheckSoundMenuItem(bool checked) = 0;
    // The item that switches the system: caption and image follow the state.
    virtual void ShowActiveState(bool on) = 0;
    // The items that open windows work only while the system is on.
    virtual void EnableWindowItems(bool enabled) = 0;
};

// The tray's menus as the library's messages and a second start of the program pop them up.
class ITrayMenus {
public:
    virtual ~ITrayMenus() = default;
    virtual void PopupActionsMenu() = 0;
    // Message 1215: the running instance answers a second start.
    virtual void OnSecondInstance() = 0;
};

}  // namespace kv
