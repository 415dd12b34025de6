#include "indicators/on_screen_keyboard.h"

#include <algorithm>
#include <cstdlib>

#include "common/key_classes.h"
#include "common/screen_geometry.h"
#include "indicators/position_only_placement.h"
#include "keyboard/kv_keyboard.h"
#include "platform/keyboard_api.h"
#include "platform/windowing_api.h"
#include "resources/icon_pack.h"
#include "settings/event_sound_player.h"
#include "settings/form_placement.h"
#include "settings/preset.h"

namespace kv {

namespace {

constexpr std::uint8_t kBackspace = 8, kDelete = 46;
constexpr std::uint8_t kShowingBackdropOpacity = 5;
constexpr std::int32_t kFadingSteps = 14;
constexpr std::int32_t kFadeStep = 10;
const Point kParkedPosition{3000, 3000};

std::u16string PackHint(const TKvIcons* pack, const TKvBtn& key) {
    std::u16string hint;
    if (pack == nullptr) return hint;
    const TKvKeyboard& model = key.Keyboard();
    pack->GetIconHint(key.IconKey(), model.ModsSided(), model.ModsAny(), hint, nullptr);
    return hint;
}

}  // namespace

std::u16string KeyHintText(const TKvBtn& key, bool showAppIcons, bool showSystemIcons) {
    std::u16string hint;
    if (showAppIcons) hint = PackHint(key.Keyboard().AppIcons(), key);
    if (hint.empty() && showSystemIcons) hint = PackHint(key.Keyboard().SystemIcons(), key);
    return hint;
}

OnScreenKeyboard::OnScreenKeyboard(OnScreenKeyboardServices services)
    : s_(std::move(services)), repeat_(ReadKeyRepeatTiming(s_.registry)) {
    IMessageLoop& loop = s_.loop;
    // Made once and paused: the hook may resume the hint timers, and resuming allocates nothing.
    auto paused = [&loop](std::uint32_t ms, std::function<void()> tick) {
        const TimerId id = loop.StartTimer(ms, std::move(tick));
        loop.EnableTimer(id, false);
        return id;
    };
    pressDelay_ = paused(repeat_.delayMs, [this] { OnPressDelay(); });
    pressRepeat_ = paused(repeat_.intervalMs, [this] { RepeatStep(); });
    hint_ = paused(kHintDelayMs, [this] { OnHintTimer(); });
    hintNow_ = paused(kHintNowMs, [this] { OnHintTimer(); });
    hideHint_ = paused(kHintShownMs, [this] { OnHideHint(); });
    checkHint_ = paused(kHintCheckMs, [this] { OnCheckHint(); });
    show_ = paused(showDelayMs_, [this] { OnShowTimer(); });
    hide_ = paused(kFadeTickMs, [this] { OnHideTimer(); });

    TKvKeyboard& model = s_.model;
    model.SetTransparentBackground(true);
    model.SetSplitHighlight(true);
    if (!s_.view.IsShown()) model.SetDrawEnabled(false);
    model.OnPaint = [this] { s_.view.RepaintButtons(); };

    s_.view.MoveTo(kParkedPosition);
    PositionOnlyPlacement placed(s_.view, OnScreenKeyboard::kFormClassName);
    s_.placement.RestoreFormPlacement(placed, true);

    pin_.OnChanged = close_.OnChanged = [this] { s_.view.RepaintButtons(); };
    pin_.PlaceButton({0, 0, 16, 16}, s_.preset.KeyboardAutoHide() ? kPinOnImage : kPinOffImage);
    close_.PlaceButton({17, 0, 33, 16}, kCloseImage);
    pin_.OnClick = [this] {
        s_.preset.SetKeyboardAutoHide(!s_.preset.KeyboardAutoHide());
        SaveSettingsUnlessOpen();
    };
    close_.OnClick = [this] {
        Hide();
        SaveSettingsUnlessOpen();
    };
}

OnScreenKeyboard::~OnScreenKeyboard() {
    s_.model.OnPaint = nullptr;
    for (TimerId id : {pressDelay_, pressRepeat_, hint_, hintNow_, hideHint_, checkHint_, show_, hide_}) {
        s_.loop.StopTimer(id);
    }
}

void OnScreenKeyboard::SavePosition() {
    const PositionOnlyPlacement placed(s_.view, OnScreenKeyboard::kFormClassName);
    s_.placement.SaveFormPlacement(placed, true);
}

void OnScreenKeyboard::SaveSettingsUnlessOpen() {
    if (!s_.settingsOpen || !s_.settingsOpen()) s_.preset.Save();
}

void OnScreenKeyboard::LoadAndLayout() {
    TKvKeyboard& model = s_.model;
    const std::u16string& name = s_.preset.KeyboardName();
    if (model.KeyboardName() != name) {
        model.LoadKeyboard(name);
        if (!Shown()) model.SetDrawEnabled(false);
    }
    laidOutName_ = name;
    laidOut_ = true;
    s_.view.SetImageSize(model.Width(), model.Height());
    model.Redraw();  // nothing while hidden: showing redraws
    const Rect bounds = s_.view.Bounds();
    const Rect onScreen = ClampToScreen(bounds, s_.windowing.PrimaryScreen());
    if (onScreen.left != bounds.left || onScreen.top != bounds.top) s_.view.MoveTo({onScreen.left, onScreen.top});
}

void OnScreenKeyboard::Show() {
    if (!laidOut_ || laidOutName_ != s_.preset.KeyboardName()) LoadAndLayout();
    ApplyAppearance();
    s_.view.ShowWindows(kShowingBackdropOpacity);
    s_.view.SetOpacity(keyboardOpacity_, backdropOpacity_);
    s_.model.SetDrawEnabled(true);
    s_.loop.EnableTimer(show_, false);
    s_.loop.EnableTimer(hide_, false);
    if (s_.shownChanged) s_.shownChanged(true);
}

void OnScreenKeyboard::Hide() {
    if (pressRunning_) MouseUp();
    OnHideHint();
    s_.view.HideWindows();
    s_.model.SetDrawEnabled(false);
    s_.loop.EnableTimer(hide_, false);
    if (s_.shownChanged) s_.shownChanged(false);
}

void OnScreenKeyboard::ApplyAppearance() {
    keyboardOpacity_ = s_.preset.ThemeCommonAlphaBlend();
    backdropOpacity_ = s_.preset.ThemeAlphaBlend();
    s_.view.SetOpacity(keyboardOpacity_, backdropOpacity_);
    s_.model.SetFrameVisible(backdropOpacity_ != 0);
    fadeSteps_ = s_.preset.KeyboardHideDelay() / static_cast<std::int32_t>(kFadeTickMs);
}

void OnScreenKeyboard::DisplayChanged() {
    if (!Shown()) return;
    const Rect bounds = s_.view.Bounds();
    const Rect kept = KeepOnWorkArea(bounds, s_.windowing.WorkAreaNearest(bounds));
    if (kept.left != bounds.left || kept.top != bounds.top) s_.view.MoveTo({kept.left, kept.top});
    s_.view.BringToFront();
    s_.model.Redraw();
}

Point OnScreenKeyboard::ToScreen(Point image) const {
    const Rect bounds = s_.view.Bounds();
    return {bounds.left + image.x, bounds.top + image.y};
}

void OnScreenKeyboard::MouseDown(Point at, ClickButton button) {
    TKvKeyboard& model = s_.model;
    std::uint8_t found = 0;
    for (std::uint32_t code = 1; code < 256 && found == 0; ++code) {
        const TKvBtn* key = model.Btn(static_cast<std::uint8_t>(code));
        bool extended = false;
        if (key != nullptr && key->HitTest(at.x, at.y, extended)) found = static_cast<std::uint8_t>(code);
    }
    if (found != 0) {
        if (s_.preset.UseGestures()) {
            gestureStart_ = s_.view.CursorPos();
            gestureKey_ = found;
            gestureButton_ = button;
        } else {
            ClickKey(found, button);
        }
    } else if (button == ClickButton::Left && !s_.preset.AccessDenied()) {
        dragOrigin_ = ToScreen(at);
    }
    model.RepaintDisplay();
}

void OnScreenKeyboard::MouseMove(Point at) {
    if (Dragging()) {
        // The event's own point: the cursor may have gone on since.
        const Point cursor = ToScreen(at);
        const Rect before = s_.view.Bounds();
        MoveBy(cursor.x - dragOrigin_.x, cursor.y - dragOrigin_.y);
        const Rect after = s_.view.Bounds();
        // Edge snapping holds the window until the cursor has gone far enough.
        if (after.left != before.left) dragOrigin_.x = cursor.x;
        if (after.top != before.top) dragOrigin_.y = cursor.y;
        return;
    }
    const TKvBtn* wasHot = s_.model.HotBtn();
    s_.model.MouseMoveTo(at.x, at.y);
    const TKvBtn* hot = s_.model.HotBtn();
    if (hot == nullptr) {
        OnHideHint();
        s_.loop.EnableTimer(hint_, false);
    } else if (hot != wasHot) {
        RefreshHoverHint();
    }
}

void OnScreenKeyboard::MouseUp() {
    if (s_.preset.UseGestures() && gestureKey_ != 0) {
        const Point cursor = s_.view.CursorPos();
        const KeyClick click = ClassifyGesture(gestureKey_, gestureButton_, gestureStart_.x - cursor.x,
                                               gestureStart_.y - cursor.y, s_.preset.GestureThreshold());
        ClickKey(click.code, click.button);
    }
    gestureKey_ = 0;
    const bool dragged = Dragging();
    dragOrigin_ = {kNoPoint, kNoPoint};
    gestureStart_ = {kNoPoint, kNoPoint};
    if (dragged) SavePosition();
    if (clickedKey_ != 0 && pressRunning_) ReleaseClickedKey();
}

void OnScreenKeyboard::MouseLeave() {
    s_.model.ClearHot(true);
    OnHideHint();
    s_.loop.EnableTimer(hint_, false);
    MouseUp();
}

void OnScreenKeyboard::BackdropMouseDown(Point at, ClickButton button) {
    if (!Shown()) return;
    s_.layouts.ActivateLayout(s_.model.Layout());
    s_.view.BringToFront();
    if (button != ClickButton::Middle) MouseDown(at, button);
}

void OnScreenKeyboard::BackdropMouseUp(ClickButton button) {
    if (button == ClickButton::Right && s_.openTrayMenu) s_.openTrayMenu();
}

void OnScreenKeyboard::ReleaseClickedKey() {
    s_.loop.EnableTimer(pressDelay_, false);
    s_.loop.EnableTimer(pressRepeat_, false);
    pressRunning_ = false;
    const std::uint8_t clicked = clickedKey_;
    clickedKey_ = 0;
    SendStep(clicked, false);
    for (std::uint32_t code = 1; code < 256; ++code) {
        if (code == clicked || !sticky_[code] || !s_.model.IsKeyPressed(static_cast<std::uint8_t>(code))) continue;
        SendStep(static_cast<std::uint8_t>(code), false);
        sticky_[code] = false;
    }
}

void OnScreenKeyboard::ClickKey(std::uint8_t code, ClickButton button) {
    if (TKvKeyboard::IsModifier(code)) {
        sticky_[code] = !s_.model.IsKeyPressed(code);
        SendStep(code, sticky_[code]);
        s_.sounds.PlayEventSound(SoundEvent::ScreenOtherKey);
        return;
    }
    clickedKey_ = code;
    if (button == ClickButton::Right) {
        SendStep(vk::kLeftControl, true);
        sticky_[vk::kLeftControl] = true;
    } else if (button == ClickButton::Middle) {
        SendStep(vk::kLeftShift, true);
        sticky_[vk::kLeftShift] = true;
    }
    RepeatStep();
}

void OnScreenKeyboard::RepeatStep() {
    if (clickedKey_ == 0) return;
    if (!pressRunning_) {
        pressRunning_ = true;
        s_.loop.EnableTimer(pressDelay_, true);
    }
    SendStep(clickedKey_, true);
    const SoundEvent sound = IsPrintableKey(clickedKey_)                               ? SoundEvent::ScreenCharacterKey
                             : clickedKey_ == kBackspace || clickedKey_ == kDelete ? SoundEvent::ScreenDeleteKey
                                                                                     : SoundEvent::ScreenOtherKey;
    s_.sounds.PlayEventSound(sound);
}

void OnScreenKeyboard::OnPressDelay() {
    s_.loop.EnableTimer(pressDelay_, false);
    s_.loop.EnableTimer(pressRepeat_, true);
    RepeatStep();
}

// A click shows on the key; no input reaches other programs.
void OnScreenKeyboard::SendStep(std::uint8_t code, bool down) { s_.model.SetKeyPressed(code, down); }

Point OnScreenKeyboard::Snapped(Point topLeft) const {
    const Rect bounds = s_.view.Bounds();
    const Rect moved{topLeft.x, topLeft.y, topLeft.x + bounds.Width(), topLeft.y + bounds.Height()};
    const Rect area = s_.windowing.WorkAreaNearest(moved);
    Point snapped = topLeft;
    if (std::abs(moved.left - area.left) <= kSnapDistance) {
        snapped.x = area.left;
    } else if (std::abs(moved.right - area.right) <= kSnapDistance) {
        snapped.x = area.right - bounds.Width();
    }
    if (std::abs(moved.top - area.top) <= kSnapDistance) {
        snapped.y = area.top;
    } else if (std::abs(moved.bottom - area.bottom) <= kSnapDistance) {
        snapped.y = area.bottom - bounds.Height();
    }
    return snapped;
}

void OnScreenKeyboard::MoveBy(std::int32_t dx, std::int32_t dy) {
    const Rect bounds = s_.view.Bounds();
    const Point target = Snapped({bounds.left + dx, bounds.top + dy});
    if (target.x == bounds.left && target.y == bounds.top) return;
    s_.view.MoveTo(target);
    const Rect moved = s_.view.Bounds();
    // By what the system really allowed, so a panel that follows keeps its distance.
    if (s_.movedBy) s_.movedBy(moved.left - bounds.left, moved.top - bounds.top);
}

void OnScreenKeyboard::RefreshHoverHint() {
    // Runs inside the keyboard hook too: only timers are resumed here.
    if (hintShowing_) {
        s_.loop.EnableTimer(hideHint_, false);
        s_.loop.EnableTimer(checkHint_, false);
        s_.loop.EnableTimer(hintNow_, true);
    } else {
        s_.loop.EnableTimer(hint_, true);
    }
}

void OnScreenKeyboard::OnHintTimer() {
    s_.loop.EnableTimer(hint_, false);
    s_.loop.EnableTimer(hintNow_, false);
    const TKvBtn* key = s_.model.HotBtn();
    const std::u16string text = key != nullptr && s_.preset.ShowIconHints()
                                    ? KeyHintText(*key, s_.preset.ShowIconApp(), s_.preset.ShowIconWindows())
                                    : std::u16string();
    if (text.empty()) {
        OnHideHint();
        return;
    }
    const Point size = s_.view.MeasureHint(text, kHintMaxWidth);
    const Point at = ToScreen({key->Left(), key->Top() + key->KeyHeight()});
    hintArea_ = {at.x, at.y, at.x + size.x, at.y + size.y};
    s_.view.ShowHint(hintArea_, text);
    hintShowing_ = true;
    s_.loop.EnableTimer(hideHint_, true);
    s_.loop.EnableTimer(checkHint_, true);
}

void OnScreenKeyboard::OnCheckHint() {
    const Point cursor = s_.view.CursorPos();
    if (cursor.x >= hintArea_.left && cursor.x < hintArea_.right && cursor.y >= hintArea_.top &&
        cursor.y < hintArea_.bottom) {
        OnHideHint();
    }
}

void OnScreenKeyboard::OnHideHint() {
    s_.loop.EnableTimer(hideHint_, false);
    s_.loop.EnableTimer(checkHint_, false);
    if (hintShowing_) s_.view.HideHint();
    hintShowing_ = false;
}

void OnScreenKeyboard::BeginDelayedShow() { s_.loop.EnableTimer(show_, true); }

void OnScreenKeyboard::BeginFadeOut() {
    fadeLeft_ = fadeSteps_;
    s_.loop.EnableTimer(hide_, true);
}

void OnScreenKeyboard::OnShowTimer() {
    s_.loop.EnableTimer(show_, false);
    if (s_.settingsOpen && s_.settingsOpen()) return;
    s_.model.SetDrawEnabled(true);
    s_.layouts.ActivateLayout(s_.model.Layout());
    Show();
}

void OnScreenKeyboard::OnHideTimer() {
    --fadeLeft_;
    if (fadeLeft_ < kFadingSteps) {
        keyboardOpacity_ = static_cast<std::uint8_t>(std::max(0, keyboardOpacity_ - kFadeStep));
        backdropOpacity_ = static_cast<std::uint8_t>(std::max(1, backdropOpacity_ - kFadeStep));
        s_.view.SetOpacity(keyboardOpacity_, backdropOpacity_);
    }
    if (fadeLeft_ > 0) return;
    s_.loop.EnableTimer(hide_, false);
    s_.model.SetDrawEnabled(false);
    s_.layouts.ActivateLayout(s_.model.Layout());
    Hide();
}

void OnScreenKeyboard::LoadKeyboardDescription(const std::u16string& name) {
    s_.model.LoadKeyboard(name);
    // Loading switches drawing back on; a hidden keyboard draws nothing.
    if (Shown()) {
        LoadAndLayout();
    } else {
        s_.model.SetDrawEnabled(false);
    }
}

void OnScreenKeyboard::RebuildKeyboardCharacters() {
    s_.model.BuildLayoutChars();
    s_.model.Redraw();
}

void OnScreenKeyboard::RepaintKeyboard() { s_.model.Redraw(); }

void OnScreenKeyboard::RepaintKeyboardAndBackground() {
    s_.model.Redraw();
    s_.view.RepaintBackdrop();
}

void OnScreenKeyboard::SetKeyboardShowInterval(std::int32_t ms) {
    showDelayMs_ = static_cast<std::uint32_t>(std::max(1, ms));
    s_.loop.StopTimer(show_);
    show_ = s_.loop.StartTimer(showDelayMs_, [this] { OnShowTimer(); });
    s_.loop.EnableTimer(show_, false);
}

void OnScreenKeyboard::ShowKeyboardAndReactivateLayout() {
    Show();
    s_.layouts.ActivateLayout(s_.model.Layout());
}

void OnScreenKeyboard::SetKeyboardOpacity(std::uint8_t opacity) {
    keyboardOpacity_ = opacity;
    s_.view.SetOpacity(keyboardOpacity_, backdropOpacity_);
}

void OnScreenKeyboard::LoadBackgroundImage(const std::u16string& path) {
    s_.view.SetBackdropPicture(path);
    s_.view.RepaintBackdrop();
}

void OnScreenKeyboard::ClearBackgroundImage() {
    s_.view.ClearBackdropPicture();
    s_.view.RepaintBackdrop();
}

void OnScreenKeyboard::ToggleOnScreenKeyboard() {
    if (Shown()) {
        Hide();
    } else {
        Show();
    }
}

}  // namespace kv
