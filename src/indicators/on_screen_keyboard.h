#pragma once
// The on-screen keyboard's behaviour: what its two windows do with the mouse, the timers of key
// repeat, hints and fading, the sticky modifiers and the pin and close buttons. The windows
// (IKeyboardWindowView) only show what this decides; the keyboard model draws the image. Clicks
// show on the keys and sound, but send no input to other programs.
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "indicators/key_repeat_timing.h"
#include "indicators/keyboard_gesture.h"
#include "indicators/keyboard_window_view.h"
#include "indicators/kv_form_btn.h"
#include "platform/clock_api.h"
#include "platform/types.h"
#include "ports/keyboard_model_port.h"
#include "ports/keyboard_visibility_port.h"
#include "ports/on_screen_keyboard_port.h"

namespace kv {

class EventSoundPlayer;
class FormPlacement;
class IKeyboardLayouts;
class IRegistry;
class IWindowing;
class TKvBtn;
class TKvKeyboard;
class TPreset;

struct OnScreenKeyboardServices {
    TPreset& preset;
    EventSoundPlayer& sounds;
    TKvKeyboard& model;
    IMessageLoop& loop;
    IRegistry& registry;
    IKeyboardLayouts& layouts;
    const IWindowing& windowing;
    FormPlacement& placement;
    IKeyboardWindowView& view;
    // The tray menu at the cursor.
    std::function<void()> openTrayMenu;
    // True while the settings window or the first-run wizard is open.
    std::function<bool()> settingsOpen;
    // The keyboard was shown (true) or hidden: the tray's check mark follows.
    std::function<void(bool)> shownChanged;
    // The keyboard window moved by (dx, dy) pixels, after a drag step or snapping.
    std::function<void(std::int32_t, std::int32_t)> movedBy;
};

// The hint of a key's icon under the model's modifiers: the application's pack first, then the
// Windows pack, each when its option is on; empty when neither has one.
std::u16string KeyHintText(const TKvBtn& key, bool showAppIcons, bool showSystemIcons);

class OnScreenKeyboard final : public IOnScreenKeyboardPort, public IKeyboardModelPort, public IKeyboardVisibilityPort {
public:
    static constexpr std::uint32_t kHintDelayMs = 500;
    static constexpr std::uint32_t kHintShownMs = 2500;
    static constexpr std::uint32_t kHintCheckMs = 100;
    static constexpr std::uint32_t kHintNowMs = 10;
    static constexpr std::uint32_t kFadeTickMs = 50;
    static constexpr std::int32_t kHintMaxWidth = 600;
    static constexpr std::int32_t kSnapDistance = 10;
    static constexpr std::int32_t kNoPoint = -10000;
    // Glyphs of the form buttons: close, pin with auto-hide off, pin with auto-hide on.
    static constexpr std::int32_t kCloseImage = 0, kPinOffImage = 1, kPinOnImage = 2;
    static constexpr std::u16string_view kFormClassName = u"TMainKeyboardForm";

    explicit OnScreenKeyboard(OnScreenKeyboardServices services);
    ~OnScreenKeyboard() override;
    OnScreenKeyboard(const OnScreenKeyboard&) = delete;
    OnScreenKeyboard& operator=(const OnScreenKeyboard&) = delete;

    // Window life.
    void LoadAndLayout();
    void Show();
    void Hide();
    bool Shown() const { return s_.view.IsShown(); }
    void ApplyAppearance();
    // The display changed: back onto the work area, on top, drawn anew.
    void DisplayChanged();
    // Position only, under the form's class name; the owner saves it while the window exists.
    void SavePosition();

    // The keyboard window's mouse, in image coordinates (the window's client area, also while the
    // mouse is captured outside it).
    void MouseDown(Point at, ClickButton button);
    void MouseMove(Point at);
    void MouseUp();
    void MouseLeave();
    // The backdrop's mouse: a press on it brings both windows up and goes on as a press on the
    // keyboard; a right click opens the tray menu.
    void BackdropMouseDown(Point at, ClickButton button);
    void BackdropMouseUp(ClickButton button);

    TKvFormBtn& PinButton() { return pin_; }
    TKvFormBtn& CloseButton() { return close_; }
    const KeyRepeatTiming& RepeatTiming() const { return repeat_; }
    bool Sticky(std::uint8_t code) const { return sticky_[code]; }
    bool Dragging() const { return dragOrigin_.x != kNoPoint; }

    // Nothing in the program starts these two yet; they are the delayed show and the fade-out.
    void BeginDelayedShow();
    void BeginFadeOut();

    // IKeyboardModelPort: a new geometry also resizes the windows.
    void LoadKeyboardDescription(const std::u16string& name) override;
    void RebuildKeyboardCharacters() override;

    // IOnScreenKeyboardPort
    void RepaintKeyboard() override;
    void RepaintKeyboardAndBackground() override;
    void SetKeyboardShowInterval(std::int32_t ms) override;
    void ReapplyKeyboardAppearance() override { ApplyAppearance(); }
    void SetAutoHideButtonState(int state) override { pin_.SetImageIndex(state == 2 ? kPinOnImage : kPinOffImage); }
    void ShowKeyboardAndReactivateLayout() override;
    void SetKeyboardOpacity(std::uint8_t opacity) override;
    void LoadBackgroundImage(const std::u16string& path) override;
    void ClearBackgroundImage() override;
    void ToggleOnScreenKeyboard() override;
    void RefreshHoverHint() override;

    // IKeyboardVisibilityPort
    bool KeyboardShown() const override { return Shown(); }
    void ShowKeyboard() override { Show(); }
    void HideKeyboard() override { Hide(); }

private:
    void ClickKey(std::uint8_t code, ClickButton button);
    void RepeatStep();
    void SendStep(std::uint8_t code, bool down);
    void ReleaseClickedKey();
    void MoveBy(std::int32_t dx, std::int32_t dy);
    Point Snapped(Point topLeft) const;
    Point ToScreen(Point image) const;

    void OnPressDelay();
    void OnHintTimer();
    void OnHideHint();
    void OnCheckHint();
    void OnShowTimer();
    void OnHideTimer();
    void SaveSettingsUnlessOpen();

    OnScreenKeyboardServices s_;
    KeyRepeatTiming repeat_;
    TKvFormBtn pin_;
    TKvFormBtn close_;
    std::array<bool, 256> sticky_{};
    std::uint8_t clickedKey_ = 0;
    Point dragOrigin_{kNoPoint, kNoPoint};
    Point gestureStart_{kNoPoint, kNoPoint};
    std::uint8_t gestureKey_ = 0;
    ClickButton gestureButton_ = ClickButton::Left;
    const TKvBtn* hintKey_ = nullptr;
    Rect hintArea_{};
    bool hintShowing_ = false;
    std::int32_t fadeSteps_ = 0;
    std::int32_t fadeLeft_ = 0;
    std::uint8_t keyboardOpacity_ = 255;
    std::uint8_t backdropOpacity_ = 255;
    std::uint32_t showDelayMs_ = 500;

    TimerId pressDelay_ = 0;
    TimerId pressRepeat_ = 0;
    TimerId hint_ = 0;
    TimerId hintNow_ = 0;
    TimerId hideHint_ = 0;
    TimerId checkHint_ = 0;
    TimerId show_ = 0;
    TimerId hide_ = 0;
    bool pressRunning_ = false;
    std::u16string laidOutName_;
    bool laidOut_ = false;
};

}  // namespace kv
