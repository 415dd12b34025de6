#pragma once
#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>

#include "platform/tray_api.h"
#include "win32/image_strips.h"

namespace kv::win32 {
class Win32MessageLoop;
}

namespace kv::win32app {

// The notification-area icon through Shell_NotifyIcon, put back when Explorer restarts.
class Win32TrayIcon : public ITrayIcon {
public:
    // `controls` must outlive the icon.
    // `flags` is the program's language-flag strip; it must outlive the icon.
    Win32TrayIcon(win32::Win32MessageLoop& loop, CommonControls& controls, ImageStrip& flags);
    ~Win32TrayIcon() override;

    void SetEvents(ITrayEvents* events) override { events_ = events; }
    void SetImage(TrayImage image) override;
    void SetHint(const std::u16string& hint) override;
    void SetVisible(bool visible) override;
    bool Visible() const override { return visible_; }
    void ShowBalloon(const std::u16string& title, const std::u16string& body, std::uint32_t timeoutMs) override;

private:
    class TrayWindow;
    NOTIFYICONDATAW BaseData() const;
    void Modify(UINT flags);
    void OnCallback(LPARAM event);
    void OnTaskbarCreated();

    std::unique_ptr<TrayWindow> window_;
    ImageStrip trayIcons_;
    ImageStrip& flags_;
    win32::UniqueIcon icon_;
    std::u16string hint_;
    bool visible_ = false;
    ITrayEvents* events_ = nullptr;
};

// Popup menus shown by a background program: a one-pixel window off screen takes the
// foreground first, so the menu closes when the user clicks elsewhere.
class Win32PopupMenus : public IPopupMenus {
public:
    // `controls` must outlive the menus.
    Win32PopupMenus(win32::Win32MessageLoop& loop, CommonControls& controls);
    ~Win32PopupMenus() override;
    void SetOwner(HWND owner) { owner_ = owner; }

    int PopupAtCursor(const std::vector<MenuEntry>& items, MenuImageList images, PopupMenuStyle style,
                      bool rightToLeft) override;

private:
    win32::Win32MessageLoop& loop_;
    HWND owner_ = nullptr;
    ImageStrip main_;
    ImageStrip actLang_;
};

}  // namespace kv::win32app
