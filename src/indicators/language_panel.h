#pragma once
// TFloatingWindowLangForm's behaviour: a small top-most panel, by default at the bottom right of
// the work area, that shows the current layout's flag (or all installed layouts' flags) and
// switches the foreground application's layout when clicked, without taking the focus. It can be
// dragged unless locked or the program is in restricted mode, and keeps its kind, opacity, lock
// and visibility under the "FLG" values of the program's key and its place with the placements.
// The window (ILanguagePanelView) only paints the buttons this gives it and reports the mouse.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "indicators/keyboard_gesture.h"
#include "indicators/language_panel_geometry.h"
#include "indicators/language_panel_view.h"
#include "platform/clock_api.h"
#include "platform/keyboard_api.h"
#include "platform/tray_api.h"
#include "platform/types.h"
#include "ports/language_panel_port.h"

namespace kv {

class FormPlacement;
class ILocales;
class IWindowing;
class TAppIni;
class TKvLang;
class TPreset;

struct LanguagePanelServices {
    TAppIni& ini;
    FormPlacement& placement;
    const TPreset& preset;
    const TKvLang& lang;
    IMessageLoop& loop;
    const IKeyboardLayouts& layouts;
    const IWindowing& windowing;
    const ILocales& locales;
    IPopupMenus& menus;
    PopupMenuStyle menuStyle;
    ILanguagePanelView& view;
    // The keyboard model's current layout.
    std::function<LayoutHandle()> currentLayout;
    // Switches the foreground application to a layout, or to the next enabled one (kNextLayout).
    std::function<void(LayoutHandle)> switchLayout;
    // The panel was shown (true) or hidden: the tray item's check mark follows.
    std::function<void(bool)> shownChanged;
};

class LanguagePanel final : public ILanguagePanelPort {
public:
    static constexpr std::u16string_view kFormClassName = u"TFloatingWindowLangForm";
    static constexpr std::uint32_t kAlphaBlendMs = 100;
    static constexpr std::uint32_t kCheckChangeMs = 200;
    static constexpr std::int32_t kNoPoint = -10000;
    static constexpr std::int32_t kDefaultTransparency = 80;
    // Context menu item ids: kinds are kKindItem + kind, opacities kTransparentItem + percent.
    static constexpr int kLockedItem = 1, kShowWithKeyboardItem = 2, kCloseItem = 3, kKindItem = 10,
                         kTransparentItem = 100;
    static constexpr std::size_t kNoButton = static_cast<std::size_t>(-1);

    explicit LanguagePanel(LanguagePanelServices services);
    ~LanguagePanel() override;
    LanguagePanel(const LanguagePanel&) = delete;
    LanguagePanel& operator=(const LanguagePanel&) = delete;

    void Show();
    void Hide();
    bool Shown() const { return s_.view.IsShown(); }
    // The tray's item: shows or hides the panel and records that.
    void ToggleFromTray();

    void SetPanelKind(PanelKind kind);
    void SetPanelLayout(LayoutHandle layout);
    void SetTransparency(std::int32_t percent);
    void SavePanelState();
    void OpenContextMenu();
    // The interface language changed: the hint follows.
    void ApplyLanguage();
    // The work area or display changed: back to the saved place, then kept reachable.
    void DisplayChanged();
    // The panel's monitor has another scale now; `topLeft` is where the system suggests it goes.
    void DpiChanged(Point topLeft);
    // The on-screen keyboard was shown or hidden, or moved by (dx, dy): the panel follows when
    // "FLGShowWithKeyboard" is on.
    void KeyboardShown(bool shown);
    void KeyboardMoved(std::int32_t dx, std::int32_t dy);

    // The window's mouse, in panel pixels (also while captured outside the panel).
    void MouseDown(Point at, ClickButton button);
    void MouseMove(Point at);
    void MouseUp(Point at, ClickButton button);
    void MouseLeave();
    // The mouse went elsewhere without a release (the window lost it, or was hidden): the press
    // and the drag end there, and nothing is clicked.
    void CancelMouse();

    PanelKind Kind() const { return kind_; }
    std::int32_t Transparency() const { return transparency_; }
    std::uint8_t Alpha() const { return PanelAlpha(transparency_); }
    bool Locked() const { return locked_; }
    bool ShowsWithKeyboard() const { return showWithKeyboard_; }
    LayoutHandle CurrentLayout() const { return currentLayout_; }
    const std::vector<PanelButton>& Buttons() const { return buttons_; }
    bool Dragging() const { return dragAnchor_.x != kNoPoint; }
    // The context menu as it would pop up now.
    std::vector<MenuEntry> ContextMenu() const;

    // ILanguagePanelPort
    void PanelLayoutChanged(LayoutHandle layout) override { SetPanelLayout(layout); }
    void RestorePanelVisibility() override;
    void ClosePanel() override { Hide(); }
    void RaisePanel() override;
    void RepaintPanel() override { s_.view.RepaintAll(); }

private:
    std::vector<LayoutHandle> InstalledLayouts() const;
    PanelButton ButtonFor(LayoutHandle layout, const Rect& bounds) const;
    std::size_t ButtonAt(Point at) const;
    void SetHover(std::size_t index);
    void OpaqueWhilePointing();
    void OnAlphaBlendTimer();
    void OnCheckChangeTimer();
    void KeepReachable();
    void SavePlacement(bool positionOnly);
    void RunMenuItem(int id);
    void UpdateButton(std::size_t index);

    LanguagePanelServices s_;
    PanelKind kind_ = kDefaultPanelKind;
    std::int32_t transparency_ = kDefaultTransparency;
    LayoutHandle currentLayout_ = 0;
    bool locked_ = false;
    bool showWithKeyboard_ = false;
    std::vector<PanelButton> buttons_;
    Point dragAnchor_{kNoPoint, kNoPoint};
    bool movedByDrag_ = false;
    std::size_t pressed_ = kNoButton;
    std::size_t hover_ = kNoButton;
    TimerId alphaBlend_ = 0;
    TimerId checkChange_ = 0;
};

}  // namespace kv
