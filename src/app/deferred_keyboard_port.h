#pragma once
#include "ports/on_screen_keyboard_port.h"

namespace kv {

// The on-screen keyboard as the keyboard engine's parts see it. The keyboard window's behaviour
// needs the engine's model, so it is made after the engine and attached here; before that there
// is no window to reach.
class DeferredKeyboardPort final : public IOnScreenKeyboardPort {
public:
    // Null detaches, before the keyboard goes.
    void Attach(IOnScreenKeyboardPort* keyboard) { keyboard_ = keyboard; }

    void RepaintKeyboard() override {
        if (keyboard_) keyboard_->RepaintKeyboard();
    }
    void RepaintKeyboardAndBackground() override {
        if (keyboard_) keyboard_->RepaintKeyboardAndBackground();
    }
    void SetKeyboardShowInterval(std::int32_t ms) override {
        if (keyboard_) keyboard_->SetKeyboardShowInterval(ms);
    }
    void ReapplyKeyboardAppearance() override {
        if (keyboard_) keyboard_->ReapplyKeyboardAppearance();
    }
    void SetAutoHideButtonState(int state) override {
        if (keyboard_) keyboard_->SetAutoHideButtonState(state);
    }
    void ShowKeyboardAndReactivateLayout() override {
        if (keyboard_) keyboard_->ShowKeyboardAndReactivateLayout();
    }
    void SetKeyboardOpacity(std::uint8_t opacity) override {
        if (keyboard_) keyboard_->SetKeyboardOpacity(opacity);
    }
    void LoadBackgroundImage(const std::u16string& path) override {
        if (keyboard_) keyboard_->LoadBackgroundImage(path);
    }
    void ClearBackgroundImage() override {
        if (keyboard_) keyboard_->ClearBackgroundImage();
    }
    void ToggleOnScreenKeyboard() override {
        if (keyboard_) keyboard_->ToggleOnScreenKeyboard();
    }
    void RefreshHoverHint() override {
        if (keyboard_) keyboard_->RefreshHoverHint();
    }

private:
    IOnScreenKeyboardPort* keyboard_ = nullptr;
};

}  // namespace kv
