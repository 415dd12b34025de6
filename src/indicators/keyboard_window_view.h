#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/types.h"

namespace kv {

// The two windows of the on-screen keyboard as its behaviour drives them: the keyboard window,
// which shows the model's image and the pin and close buttons, and the translucent backdrop
// placed exactly behind it. Neither ever takes the focus. Coordinates are screen pixels unless a
// name says otherwise; the keyboard window has no frame, so its client origin is its top-left.
class IKeyboardWindowView {
public:
    virtual ~IKeyboardWindowView() = default;
    virtual bool IsShown() const = 0;
    // Backdrop first (with `backdropOpacity`), then the keyboard; neither is activated.
    virtual void ShowWindows(std::uint8_t backdropOpacity) = 0;
    virtual void HideWindows() = 0;
    virtual Rect Bounds() const = 0;
    // Moves both windows.
    virtual void MoveTo(Point topLeft) = 0;
    // Both windows get this client size and their rounded regions; the button panel moves to the
    // right edge.
    virtual void SetImageSize(std::int32_t width, std::int32_t height) = 0;
    // Layered with blending only below 255.
    virtual void SetOpacity(std::uint8_t keyboard, std::uint8_t backdrop) = 0;
    virtual Point CursorPos() const = 0;
    // The size a hint of this text takes, at most `maxWidth` wide.
    virtual Point MeasureHint(std::u16string_view text, std::int32_t maxWidth) const = 0;
    virtual void ShowHint(const Rect& area, std::u16string_view text) = 0;
    virtual void HideHint() = 0;
    virtual void RepaintButtons() = 0;
    virtual void RepaintBackdrop() = 0;
    // The backdrop's tiled picture; false (keeping the previous one) when the file is no picture.
    virtual bool SetBackdropPicture(const std::u16string& path) = 0;
    virtual void ClearBackdropPicture() = 0;
    // Both windows above every other top-most window, the backdrop behind the keyboard.
    virtual void BringToFront() = 0;
};

}  // namespace kv
