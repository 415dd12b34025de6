#include "win32/win32_tray.h"

#include <shellapi.h>

#include <algorithm>
#include <utility>

#include "platform/win32/win32_text.h"
#include "win32/form_window.h"
#include "win32/res/resource_ids.h"

namespace kv::win32app {

namespace {

constexpr UINT kTrayCallback = WM_APP + 1;
constexpr UINT kTrayIconId = 1;
constexpr int kTrayImageOn = 6, kTrayImageOff = 7;

template <std::size_t N>
void CopyText(wchar_t (&target)[N], const std::u16string& text) {
    const std::size_t length = std::min(text.size(), N - 1);
    std::copy_n(text.data(), length, target);
    target[length] = L'\0';
}

// Not shared (no LR_SHARED), so ours to destroy.
win32::UniqueIcon LoadSmallIcon(int id) {
    return win32::UniqueIcon(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON,
                                                           GetSystemMetrics(SM_CXSMICON),
                                                           GetSystemMetrics(SM_CYSMICON), 0)));
}

}  // namespace

// Receives the icon's notifications and Explorer's announcement that the taskbar is back.
class Win32TrayIcon::TrayWindow : public FormWindow {
public:
    TrayWindow(win32::Win32MessageLoop& loop, Win32TrayIcon& owner)
        : FormWindow(loop, u"KvTrayWindow"), owner_(owner), taskbarCreated_(RegisterWindowMessageW(L"TaskbarCreated")) {}

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kTrayCallback) {
            owner_.OnCallback(lParam);
            return 0;
        }
        if (message == taskbarCreated_ && taskbarCreated_ != 0) {
            owner_.OnTaskbarCreated();
            return 0;
        }
        return FormWindow::HandleMessage(message, wParam, lParam);
    }

private:
    Win32TrayIcon& owner_;
    UINT taskbarCreated_;
};

Win32TrayIcon::Win32TrayIcon(win32::Win32MessageLoop& loop, CommonControls& controls, ImageStrip& flags)
    : window_(std::make_unique<TrayWindow>(loop, *this)),
      trayIcons_(controls, IDB_TRAY_ICONS, IDB_TRAY_ICONS_LARGE, 16, true),
      flags_(flags) {
    window_->Create(nullptr, u"");
}

Win32TrayIcon::~Win32TrayIcon() {
    // The shell may still draw the icon it was given until the tray entry is gone.
    SetVisible(false);
}

NOTIFYICONDATAW Win32TrayIcon::BaseData() const {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window_->Handle();
    data.uID = kTrayIconId;
    return data;
}

void Win32TrayIcon::Modify(UINT flags) {
    if (!visible_) return;
    NOTIFYICONDATAW data = BaseData();
    data.uFlags = flags;
    data.hIcon = icon_.Get();
    CopyText(data.szTip, hint_);
    Shell_NotifyIconW(NIM_MODIFY, &data);
}

void Win32TrayIcon::SetImage(TrayImage image) {
    win32::UniqueIcon icon;
    if (image.list == TrayImageList::TrayIcons && (image.index == kTrayImageOn || image.index == kTrayImageOff)) {
        // The icon files carry every size; the strip is the fallback for other images.
        icon = LoadSmallIcon(image.index == kTrayImageOn ? IDI_TRAY_ON : IDI_TRAY_OFF);
    }
    if (!icon) icon = (image.list == TrayImageList::Langs ? flags_ : trayIcons_).CreateIcon(image.index);
    if (!icon) return;
    // The shell copies the icon, so the old one may go once the new one is handed over.
    std::swap(icon_, icon);
    Modify(NIF_ICON);
}

void Win32TrayIcon::SetHint(const std::u16string& hint) {
    hint_ = hint;
    Modify(NIF_TIP);
}

void Win32TrayIcon::SetVisible(bool visible) {
    if (visible == visible_) return;
    NOTIFYICONDATAW data = BaseData();
    if (visible) {
        data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        data.uCallbackMessage = kTrayCallback;
        data.hIcon = icon_.Get();
        CopyText(data.szTip, hint_);
        visible_ = Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
    } else {
        Shell_NotifyIconW(NIM_DELETE, &data);
        visible_ = false;
    }
}

void Win32TrayIcon::ShowBalloon(const std::u16string& title, const std::u16string& body, std::uint32_t timeoutMs) {
    if (!visible_) return;
    NOTIFYICONDATAW data = BaseData();
    data.uFlags = NIF_INFO;
    CopyText(data.szInfo, body);
    CopyText(data.szInfoTitle, title);
    data.uTimeout = timeoutMs;
    data.dwInfoFlags = NIIF_INFO;
    Shell_NotifyIconW(NIM_MODIFY, &data);
}

void Win32TrayIcon::OnCallback(LPARAM event) {
    if (!events_) return;
    switch (LOWORD(event)) {
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_MBUTTONUP:
            events_->OnIconClick(false);
            break;
        case WM_RBUTTONUP:
            events_->OnIconClick(true);
            break;
        case NIN_BALLOONUSERCLICK:
            events_->OnBalloonClick();
            break;
        case NIN_BALLOONHIDE:
        case NIN_BALLOONTIMEOUT:
            events_->OnBalloonHidden();
            break;
        default:
            break;
    }
}

void Win32TrayIcon::OnTaskbarCreated() {
    // Explorer restarted: the icon it knew is gone and must be added again.
    if (!visible_) return;
    visible_ = false;
    SetVisible(true);
}

namespace {

// The off-screen window that owns a popup menu and draws the items' images.
class MenuHost : public FormWindow {
public:
    MenuHost(win32::Win32MessageLoop& loop, ImageStrip& images) : FormWindow(loop, u"KvMenuHost"), images_(images) {}

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_MEASUREITEM) {
            auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            measure->itemWidth = static_cast<UINT>(images_.ImageSize());
            measure->itemHeight = static_cast<UINT>(images_.ImageSize());
            return TRUE;
        }
        if (message == WM_DRAWITEM) {
            const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            images_.Draw(static_cast<int>(draw->itemData), draw->hDC, draw->rcItem.left, draw->rcItem.top);
            return TRUE;
        }
        return FormWindow::HandleMessage(message, wParam, lParam);
    }

private:
    ImageStrip& images_;
};

win32::UniqueMenu BuildMenu(const std::vector<MenuEntry>& items) {
    win32::UniqueMenu menu(CreatePopupMenu());
    if (!menu) return menu;
    UINT position = 0;
    for (const MenuEntry& entry : items) {
        if (!entry.visible) continue;
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        win32::UniqueMenu submenu;
        if (entry.separator) {
            info.fMask = MIIM_FTYPE;
            info.fType = MFT_SEPARATOR;
        } else {
            info.fMask = MIIM_STRING | MIIM_ID | MIIM_STATE | MIIM_DATA;
            info.dwTypeData = const_cast<wchar_t*>(win32::W(entry.caption));
            info.wID = static_cast<UINT>(entry.id);
            info.fState = (entry.enabled ? MFS_ENABLED : MFS_DISABLED) | (entry.checked ? MFS_CHECKED : 0);
            // Items without an image reserve the image column too: a menu that lays text out after
            // the widest image would otherwise cut the longest caption of an item without one.
            info.dwItemData = static_cast<ULONG_PTR>(static_cast<LONG_PTR>(entry.image));
            info.fMask |= MIIM_BITMAP;
            info.hbmpItem = HBMMENU_CALLBACK;
            if (!entry.submenu.empty()) {
                submenu = BuildMenu(entry.submenu);
                info.fMask |= MIIM_SUBMENU;
                info.hSubMenu = submenu.Get();
            }
        }
        if (InsertMenuItemW(menu.Get(), position, TRUE, &info)) {
            ++position;
            (void)submenu.Release();  // the parent menu destroys it from here on
        }
    }
    return menu;
}

}  // namespace

Win32PopupMenus::Win32PopupMenus(win32::Win32MessageLoop& loop, CommonControls& controls)
    : loop_(loop),
      main_(controls, IDB_MAIN, IDB_MAIN_LARGE, 16, true),
      actLang_(controls, IDB_ACT_LANG, IDB_ACT_LANG_LARGE, 16, true) {}

Win32PopupMenus::~Win32PopupMenus() = default;

int Win32PopupMenus::PopupAtCursor(const std::vector<MenuEntry>& items, MenuImageList images, PopupMenuStyle,
                                   bool rightToLeft) {
    MenuHost host(loop_, images == MenuImageList::ActLang ? actLang_ : main_);
    host.Create(owner_, u"");
    HWND window = host.Handle();
    SetWindowLongPtrW(window, GWL_STYLE, WS_POPUP);
    SetWindowPos(window, HWND_TOP, -10, -10, 1, 1, SWP_SHOWWINDOW | SWP_FRAMECHANGED);
    SetForegroundWindow(window);

    const win32::UniqueMenu menu = BuildMenu(items);
    if (!menu) return 0;
    POINT cursor{};
    GetCursorPos(&cursor);
    const UINT flags = TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN | (rightToLeft ? TPM_LAYOUTRTL : 0);
    const int chosen = static_cast<int>(TrackPopupMenuEx(menu.Get(), flags, cursor.x, cursor.y, window, nullptr));
    // Lets the menu's own clean-up run before the window goes.
    PostMessageW(window, WM_NULL, 0, 0);
    return chosen;
}

}  // namespace kv::win32app
