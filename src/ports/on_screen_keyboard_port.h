#pragma once
#include <cstdint>
#include <string>

namespace kv {

// The on-screen keyboard window and its backdrop, as option changes, hotkeys and the hook reach
// them. The window draws the keyboard model; these only say what changed.
class IOnScreenKeyboardPort {
public:
    virtual ~IOnScreenKeyboardPort() = default;
    virtual void RepaintKeyboard() = 0;
    virtual void RepaintKeyboardAndBackground() = 0;
    virtual void SetKeyboardShowInterval(std::int32_t ms) = 0;
    // Re-reads the appearance options (hide delay, theme opacity).
    virtual void ReapplyKeyboardAppearance() = 0;
    // 2 = auto-hide on, 1 = off.
    virtual void SetAutoHideButtonState(int state) = 0;
    // Shows the keyboard and activates the keyboard model's current layout again.
    virtual void ShowKeyboardAndReactivateLayout() = 0;
    // Layered only below 255.
    virtual void SetKeyboardOpacity(std::uint8_t opacity) = 0;
    // The backdrop's picture; an unreadable file leaves the previous picture.
    virtual void LoadBackgroundImage(const std::u16string& path) = 0;
    virtual void ClearBackgroundImage() = 0;
    // Shows the keyboard when hidden, hides it when shown.
    virtual void ToggleOnScreenKeyboard() = 0;
    // From inside the keyboard hook: the hover hint depends on the modifiers held. Must return
    // at once and allocate nothing.
    virtual void RefreshHoverHint() = 0;
};

}  // namespace kv
