#include "indicators/language_panel.h"

#include <algorithm>
#include <exception>

#include "indicators/position_only_placement.h"
#include "platform/system_api.h"
#include "platform/text.h"
#include "platform/windowing_api.h"
#include "resources/kv_lang.h"
#include "resources/lang_flags.h"
#include "settings/app_ini.h"
#include "settings/form_placement.h"
#include "settings/preset.h"

namespace kv {

namespace {

constexpr std::u16string_view kLockedValue = u"FLGLocked";
constexpr std::u16string_view kKindValue = u"FLGKind";
constexpr std::u16string_view kTransparentValue = u"FLGTransparent";
constexpr std::u16string_view kShowWithKeyboardValue = u"FLGShowWithKeyboard";
constexpr std::u16string_view kVisibleValue = u"FLGVisible";
// The designed client area before the kind sizes it, and its distance from the work area's bottom.
constexpr std::int32_t kDesignWidth = 133, kDesignHeight = 28, kDesignBottomGap = 22;

// The panel's own values: one of another type is taken as absent, so a damaged value cannot
// stop the program from starting.
bool ReadBool(const TAppIni& ini, std::u16string_view name, bool def) {
    try {
        return ini.ReadBoolDef(name, def);
    } catch (const std::exception&) {
        return def;
    }
}

std::int32_t ReadInteger(const TAppIni& ini, std::u16string_view name, std::int32_t def) {
    try {
        return ini.ReadIntegerDef(name, def);
    } catch (const std::exception&) {
        return def;
    }
}

bool Contains(const Rect& r, Point p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

MenuEntry Item(int id, std::u16string caption, bool checked = false) {
    MenuEntry entry;
    entry.id = id;
    entry.caption = std::move(caption);
    entry.checked = checked;
    return entry;
}

}  // namespace

LanguagePanel::LanguagePanel(LanguagePanelServices services) : s_(std::move(services)) {
    alphaBlend_ = s_.loop.StartTimer(kAlphaBlendMs, [this] { OnAlphaBlendTimer(); });
    s_.loop.EnableTimer(alphaBlend_, false);
    checkChange_ = s_.loop.StartTimer(kCheckChangeMs, [this] { OnCheckChangeTimer(); });
    s_.loop.EnableTimer(checkChange_, false);

    const std::int32_t dpi = s_.view.Dpi();
    s_.view.Resize({ScaleToDpi(kDesignWidth, dpi), ScaleToDpi(kDesignHeight, dpi)});
    const Rect area = s_.windowing.WorkAreaNearest(s_.view.Bounds());
    s_.view.MoveTo({area.right - s_.view.Bounds().Width(), area.bottom - ScaleToDpi(kDesignBottomGap, dpi)});
    PositionOnlyPlacement placed(s_.view, LanguagePanel::kFormClassName);
    try {
        s_.placement.RestoreFormPlacement(placed, true);
    } catch (const std::exception&) {
        // A damaged saved place leaves the panel in its corner.
    }

    locked_ = ReadBool(s_.ini, kLockedValue, false);
    SetTransparency(ReadInteger(s_.ini, kTransparentValue, kDefaultTransparency));
    showWithKeyboard_ = ReadBool(s_.ini, kShowWithKeyboardValue, false);
    ApplyLanguage();
}

LanguagePanel::~LanguagePanel() {
    s_.loop.StopTimer(alphaBlend_);
    s_.loop.StopTimer(checkChange_);
}

void LanguagePanel::ApplyLanguage() {
    // A locked panel has no hint: it tells how to drag it.
    s_.view.SetHint(locked_ ? std::u16string()
                            : s_.lang.GetText(587, u"Click to switch the input language. Drag to move the panel; "
                                                   u"right-click for options."));
}

void LanguagePanel::Show() {
    s_.view.SetOpacity(Alpha(), true);
    SetPanelKind(PanelKindFrom(ReadInteger(s_.ini, kKindValue, static_cast<std::int32_t>(kDefaultPanelKind))));
    KeepReachable();
    s_.view.ShowPanel();
    if (s_.shownChanged) s_.shownChanged(true);
    SetPanelLayout(s_.currentLayout ? s_.currentLayout() : currentLayout_);
}

void LanguagePanel::Hide() {
    CancelMouse();
    s_.loop.EnableTimer(alphaBlend_, false);
    s_.loop.EnableTimer(checkChange_, false);
    s_.view.HidePanel();
    if (s_.shownChanged) s_.shownChanged(false);
    s_.view.SetOpacity(Alpha(), false);
}

void LanguagePanel::ToggleFromTray() {
    if (Shown()) {
        Hide();
    } else {
        Show();
    }
    SavePanelState();
}

void LanguagePanel::RestorePanelVisibility() {
    if (showWithKeyboard_) return;
    if (ReadBool(s_.ini, kVisibleValue, false)) {
        Show();
    } else {
        Hide();
    }
}

void LanguagePanel::RaisePanel() {
    if (Shown()) s_.view.RaiseTopmost();
}

std::vector<LayoutHandle> LanguagePanel::InstalledLayouts() const {
    std::vector<LayoutHandle> layouts = s_.layouts.InstalledLayouts();
    if (layouts.size() > kMaxPanelLayouts) layouts.resize(kMaxPanelLayouts);
    return layouts;
}

PanelButton LanguagePanel::ButtonFor(LayoutHandle layout, const Rect& bounds) const {
    PanelButton button;
    button.layout = layout;
    button.flagIndex = LangFlagIndex(layout);
    if (ShowsNames(kind_)) button.name = s_.locales.LanguageName(static_cast<std::uint16_t>(layout & 0xFFFF));
    button.bounds = bounds;
    return button;
}

void LanguagePanel::SetPanelKind(PanelKind kind) {
    std::vector<LayoutHandle> layouts;
    if (IsListKind(kind)) {
        layouts = InstalledLayouts();
        // No list to show: the buttons stay as they are.
        if (layouts.empty()) return;
    } else {
        layouts.push_back(s_.currentLayout ? s_.currentLayout() : currentLayout_);
    }
    kind_ = kind;
    pressed_ = hover_ = kNoButton;
    const PanelShape shape = ShapePanel(kind, layouts.size(), s_.view.Dpi());
    buttons_.clear();
    for (std::size_t i = 0; i < shape.buttons.size(); ++i) buttons_.push_back(ButtonFor(layouts[i], shape.buttons[i]));
    s_.view.Resize(shape.size);
    s_.view.SetButtons(buttons_);
    SetPanelLayout(s_.currentLayout ? s_.currentLayout() : currentLayout_);
}

void LanguagePanel::SetPanelLayout(LayoutHandle layout) {
    currentLayout_ = layout;
    if (layout == 0 || !Shown()) return;
    if (IsListKind(kind_)) {
        // Restarted: the check runs 200 ms after the last report.
        s_.loop.EnableTimer(checkChange_, false);
        s_.loop.EnableTimer(checkChange_, true);
        for (std::size_t i = 0; i < buttons_.size(); ++i) {
            const bool selected = buttons_[i].layout == layout;
            if (buttons_[i].selected == selected) continue;
            buttons_[i].selected = selected;
            UpdateButton(i);
        }
    } else if (!buttons_.empty() && buttons_.front().layout != layout) {
        PanelButton& button = buttons_.front();
        const PanelButton shown = ButtonFor(layout, button.bounds);
        button.layout = shown.layout;
        button.flagIndex = shown.flagIndex;
        button.name = shown.name;
        UpdateButton(0);
    }
    s_.view.RaiseTopmost();
}

void LanguagePanel::OnCheckChangeTimer() {
    s_.loop.EnableTimer(checkChange_, false);
    if (!IsListKind(kind_)) return;
    const std::vector<LayoutHandle> layouts = InstalledLayouts();
    if (layouts.empty()) return;
    bool same = layouts.size() == buttons_.size();
    for (std::size_t i = 0; same && i < layouts.size(); ++i) same = buttons_[i].layout == layouts[i];
    if (!same) SetPanelKind(kind_);
}

void LanguagePanel::SetTransparency(std::int32_t percent) {
    transparency_ = percent;
    if (Shown() && hover_ == kNoButton) s_.view.SetOpacity(Alpha(), true);
}

void LanguagePanel::UpdateButton(std::size_t index) { s_.view.UpdateButton(index, buttons_[index]); }

void LanguagePanel::SavePlacement(bool positionOnly) {
    const PositionOnlyPlacement placed(s_.view, LanguagePanel::kFormClassName);
    s_.placement.SaveFormPlacement(placed, positionOnly);
}

void LanguagePanel::SavePanelState() {
    if (!locked_) SavePlacement(false);
    try {
        s_.ini.WriteBool(kLockedValue, locked_);
        s_.ini.WriteInteger(kKindValue, static_cast<std::int32_t>(kind_));
        s_.ini.WriteInteger(kTransparentValue, transparency_);
        s_.ini.WriteBool(kShowWithKeyboardValue, showWithKeyboard_);
        s_.ini.WriteBool(kVisibleValue, Shown());
    } catch (const std::exception&) {
        // The panel's state is not worth an error; the next save tries again.
    }
}

void LanguagePanel::KeepReachable() {
    const Rect bounds = s_.view.Bounds();
    const Rect kept = KeepPanelReachable(bounds, s_.windowing.PrimaryScreen(), s_.windowing.WorkAreaNearest(bounds));
    if (kept.left != bounds.left || kept.top != bounds.top) s_.view.MoveTo({kept.left, kept.top});
}

void LanguagePanel::DisplayChanged() {
    PositionOnlyPlacement placed(s_.view, LanguagePanel::kFormClassName);
    try {
        s_.placement.RestoreFormPlacement(placed, true);
    } catch (const std::exception&) {
    }
    KeepReachable();
}

void LanguagePanel::DpiChanged(Point topLeft) {
    s_.view.MoveTo(topLeft);
    if (Shown()) SetPanelKind(kind_);
}

void LanguagePanel::KeyboardShown(bool shown) {
    if (!showWithKeyboard_ || shown == Shown()) return;
    if (shown) {
        Show();
    } else {
        Hide();
    }
}

void LanguagePanel::KeyboardMoved(std::int32_t dx, std::int32_t dy) {
    if (!showWithKeyboard_ || (dx == 0 && dy == 0)) return;
    const Rect bounds = s_.view.Bounds();
    s_.view.MoveTo({bounds.left + dx, bounds.top + dy});
    SavePlacement(true);
}

std::size_t LanguagePanel::ButtonAt(Point at) const {
    // Neighbours share a border pixel: the later button is painted over it, so it is the later's.
    for (std::size_t i = buttons_.size(); i-- > 0;) {
        if (Contains(buttons_[i].bounds, at)) return i;
    }
    return kNoButton;
}

void LanguagePanel::OpaqueWhilePointing() {
    s_.loop.EnableTimer(alphaBlend_, false);
    s_.view.SetOpacity(Alpha(), false);
}

void LanguagePanel::OnAlphaBlendTimer() {
    s_.loop.EnableTimer(alphaBlend_, false);
    if (Shown()) s_.view.SetOpacity(Alpha(), true);
}

void LanguagePanel::SetHover(std::size_t index) {
    if (index == hover_) return;
    if (hover_ != kNoButton && hover_ < buttons_.size()) {
        buttons_[hover_].hover = false;
        UpdateButton(hover_);
        // Back to translucent unless the pointer enters another button first.
        s_.loop.EnableTimer(alphaBlend_, true);
    }
    hover_ = index;
    if (hover_ != kNoButton) {
        buttons_[hover_].hover = true;
        UpdateButton(hover_);
        OpaqueWhilePointing();
    }
}

void LanguagePanel::MouseDown(Point at, ClickButton button) {
    if (button != ClickButton::Left) return;
    OpaqueWhilePointing();
    pressed_ = ButtonAt(at);
    if (pressed_ != kNoButton) {
        PanelButton& pressed = buttons_[pressed_];
        pressed.hover = false;
        hover_ = kNoButton;
        // The single kinds show a pressed look; in the lists "selected" marks the current layout.
        if (!IsListKind(kind_)) pressed.selected = true;
        UpdateButton(pressed_);
    }
    movedByDrag_ = false;
    if (!s_.preset.AccessDenied() && !locked_) {
        const Rect bounds = s_.view.Bounds();
        dragAnchor_ = {bounds.left + at.x, bounds.top + at.y};
    }
}

void LanguagePanel::MouseMove(Point at) {
    if (Dragging()) {
        // The event's own point: the cursor may have gone on since.
        const Rect before = s_.view.Bounds();
        const Point cursor{before.left + at.x, before.top + at.y};
        s_.view.MoveTo({before.left + cursor.x - dragAnchor_.x, before.top + cursor.y - dragAnchor_.y});
        const Rect after = s_.view.Bounds();
        // Where the system refuses the place, the anchor stays: the panel waits for the cursor.
        if (after.left != before.left) dragAnchor_.x = cursor.x;
        if (after.top != before.top) dragAnchor_.y = cursor.y;
        if (after.left != before.left || after.top != before.top) {
            movedByDrag_ = true;
            SavePlacement(false);
        }
        return;
    }
    if (pressed_ != kNoButton) return;
    OpaqueWhilePointing();
    SetHover(ButtonAt(at));
}

void LanguagePanel::MouseUp(Point at, ClickButton button) {
    if (button == ClickButton::Right) {
        OpenContextMenu();
        return;
    }
    if (button != ClickButton::Left) return;
    dragAnchor_ = {kNoPoint, kNoPoint};
    const std::size_t pressed = pressed_;
    pressed_ = kNoButton;
    if (pressed == kNoButton || pressed >= buttons_.size()) return;
    PanelButton& released = buttons_[pressed];
    if (!IsListKind(kind_)) released.selected = false;
    const bool inside = Contains(released.bounds, at);
    UpdateButton(pressed);
    if (inside) SetHover(pressed);
    // A press that dragged the panel is a move, not a click.
    if (!inside || movedByDrag_ || !s_.switchLayout) return;
    s_.switchLayout(IsListKind(kind_) ? released.layout : kNextLayout);
}

void LanguagePanel::CancelMouse() {
    dragAnchor_ = {kNoPoint, kNoPoint};
    const std::size_t pressed = pressed_;
    pressed_ = kNoButton;
    if (pressed >= buttons_.size() || IsListKind(kind_) || !buttons_[pressed].selected) return;
    buttons_[pressed].selected = false;
    UpdateButton(pressed);
}

void LanguagePanel::MouseLeave() {
    if (Dragging()) return;
    SetHover(kNoButton);
    s_.loop.EnableTimer(alphaBlend_, true);
}

std::vector<MenuEntry> LanguagePanel::ContextMenu() const {
    const TKvLang& lang = s_.lang;
    std::vector<MenuEntry> menu;
    menu.push_back(Item(kLockedItem, lang.GetText(589, u"Lock Position"), locked_));
    MenuEntry kinds = Item(0, lang.GetText(590, u"View"));
    const std::u16string kindNames[] = {
        lang.GetText(591, u"Flag"), lang.GetText(592, u"Flag and Language Name"),
        lang.GetText(593, u"Vertical List of Flags"), lang.GetText(594, u"Horizontal List of Flags"),
        lang.GetText(595, u"Vertical List with Names")};
    for (int kind = 0; kind < 5; ++kind) {
        kinds.submenu.push_back(
            Item(kKindItem + kind, kindNames[kind], static_cast<std::int32_t>(kind_) == kind));
    }
    menu.push_back(std::move(kinds));
    MenuEntry opacities = Item(0, lang.GetText(596, u"Opacity"));
    for (int percent = 10; percent <= 100; percent += 10) {
        const std::u16string caption =
            percent == 100 ? lang.GetText(586, u"Opaque") : Utf8ToUtf16(std::to_string(percent)) + u" %";
        opacities.submenu.push_back(Item(kTransparentItem + percent, caption, transparency_ == percent));
    }
    menu.push_back(std::move(opacities));
    MenuEntry withKeyboard =
        Item(kShowWithKeyboardItem, lang.GetText(597, u"Show with On-Screen Keyboard"), showWithKeyboard_);
    withKeyboard.visible = false;
    menu.push_back(std::move(withKeyboard));
    menu.push_back(Item(kCloseItem, lang.GetText(105, u"Close")));
    if (s_.preset.AccessDenied()) {
        for (MenuEntry& entry : menu) entry.enabled = false;
    }
    return menu;
}

void LanguagePanel::OpenContextMenu() {
    if (Dragging()) return;
    const int chosen = s_.menus.PopupAtCursor(ContextMenu(), MenuImageList::Main, s_.menuStyle, false);
    if (chosen != 0) RunMenuItem(chosen);
}

void LanguagePanel::RunMenuItem(int id) {
    // Restricted mode offers the entries disabled; a command that arrives anyway does nothing.
    if (s_.preset.AccessDenied()) return;
    if (id == kLockedItem) {
        locked_ = !locked_;
        ApplyLanguage();
    } else if (id == kShowWithKeyboardItem) {
        showWithKeyboard_ = !showWithKeyboard_;
    } else if (id == kCloseItem) {
        Hide();
    } else if (id >= kKindItem && id < kKindItem + 5) {
        SetPanelKind(static_cast<PanelKind>(id - kKindItem));
    } else if (id > kTransparentItem && id <= kTransparentItem + 100) {
        SetTransparency(id - kTransparentItem);
    } else {
        return;
    }
    SavePanelState();
}

}  // namespace kv
