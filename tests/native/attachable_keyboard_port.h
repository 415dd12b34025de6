#pragma once
#include "ports/on_screen_keyboard_port.h"

namespace kv {

// A test double: the on-screen keyboard a test attaches, or none; before that every call reaches nothing.
class AttachableKeyboardPort final : public IOnScreenKeyboardPort {
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
