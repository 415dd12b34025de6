#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace kv {

// The image lists the notification icon and the menus draw from.
enum class TrayImageList { TrayIcons, Langs };
enum class MenuImageList { Main, ActLang };
enum class PopupMenuStyle { Standard, XpOwnerDrawn };

struct TrayImage {
    TrayImageList list = TrayImageList::TrayIcons;
    int index = 0;
    friend bool operator==(const TrayImage&, const TrayImage&) = default;
};

// What the user does with the icon.
class ITrayEvents {
public:
    virtual ~ITrayEvents() = default;
    virtual void OnIconClick(bool rightButton) = 0;
    virtual void OnBalloonClick() = 0;
    virtual void OnBalloonHidden() = 0;
};

// The program's icon in the notification area.
class ITrayIcon {
public:
    virtual ~ITrayIcon() = default;
    // Null detaches.
    virtual void SetEvents(ITrayEvents* events) = 0;
    virtual void SetImage(TrayImage image) = 0;
    virtual void SetHint(const std::u16string& hint) = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual bool Visible() const = 0;
    // With the information icon; an earlier balloon is not cancelled.
    virtual void ShowBalloon(const std::u16string& title, const std::u16string& body, std::uint32_t timeoutMs) = 0;
};

// One item of a popup menu; an item with a submenu is a submenu.
struct MenuEntry {
    int id = 0;
    std::u16string caption;
    int image = -1;  // index in the menu's image list, -1 none
    bool separator = false;
    bool visible = true;
    bool enabled = true;
    bool checked = false;
    std::u16string hint;
    std::vector<MenuEntry> submenu;
};

// Menus popped up by a program that has no window in front.
class IPopupMenus {
public:
    virtual ~IPopupMenus() = default;
    // Pops the menu up with its top-left corner at the mouse pointer and returns the id of the
    // chosen item, 0 when the menu was dismissed.
    virtual int PopupAtCursor(const std::vector<MenuEntry>& items, MenuImageList images, PopupMenuStyle style,
                              bool rightToLeft) = 0;
};

}  // namespace kv
