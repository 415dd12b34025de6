#pragma once
// The on-screen keyboard's windows on the real desktop: the keyboard window, its backdrop and the
// hint. They are created with the program's other forms and driven by OnScreenKeyboard.
#include <memory>

#include "indicators/key_repaint_canvas.h"
#include "indicators/keyboard_window_view.h"
#include "keyboard/render/keyboard_look.h"
#include "win32/gdi_keyboard_canvas.h"
#include "win32/gdiplus_picture_loader.h"
#include "win32/image_strips.h"
#include "win32/res/resource_ids.h"
#include "win32/keyboard_hint_window.h"
#include "win32/main_keyboard_background_form.h"
#include "win32/main_keyboard_form.h"

namespace kv::win32app {

class Win32KeyboardWindows final : public IKeyboardWindowView, public IRepaintRequests {
public:
    Win32KeyboardWindows(win32::Win32MessageLoop& loop, CommonControls& controls)
        : loop_(loop), controls_(controls), keyGlyphs_(controls, IDB_KEYS, IDB_KEYS_LARGE, 16, true) {}
    // The keyboard image, shown in the keyboard window; its look follows the settings at each paint.
    GdiKeyboardCanvas& Canvas() { return canvas_; }
    const IPictureDecoder& Pictures() const { return pictures_; }
    // Before a paint: the theme and the drawing options as they are now.
    void UpdateLook();
    // The keyboard image as it is now, scaled into a box at (0, 0) of `dc`.
    void PaintScaled(HDC dc, std::int32_t boxWidth, std::int32_t boxHeight);

    // `lang` gives the buttons' tooltips and must outlive the window.
    void CreateKeyboardForm(std::function<std::u16string()> localizedCaption, const TKvLang& lang);
    void CreateBackgroundForm();
    void DestroyKeyboardForm();
    void DestroyBackgroundForm();
    MainKeyboardForm* KeyboardForm() const { return keyboard_.get(); }
    HWND KeyboardHandle() const { return keyboard_ ? keyboard_->Handle() : nullptr; }
    HWND BackgroundHandle() const { return background_ ? background_->Handle() : nullptr; }
    // Null detaches.
    void Attach(OnScreenKeyboard* keyboard, KeyRepaintCanvas* canvas, const TKvTheme* theme, const TPreset* preset);

    // IKeyboardWindowView
    bool IsShown() const override;
    void ShowWindows(std::uint8_t backdropOpacity) override;
    void HideWindows() override;
    Rect Bounds() const override;
    void MoveTo(Point topLeft) override;
    void SetImageSize(std::int32_t width, std::int32_t height) override;
    void SetOpacity(std::uint8_t keyboard, std::uint8_t backdrop) override;
    Point CursorPos() const override;
    Point MeasureHint(std::u16string_view text, std::int32_t maxWidth) const override;
    void ShowHint(const Rect& area, std::u16string_view text) override;
    void HideHint() override;
    void RepaintButtons() override;
    void RepaintBackdrop() override;
    bool SetBackdropPicture(const std::u16string& path) override;
    void ClearBackdropPicture() override;
    void BringToFront() override;

    // IRepaintRequests: from the hook, a cheap invalidation only.
    void InvalidateImageArea(const Rect& area) override;
    void InvalidateWholeImage() override;

private:
    KeyboardHintWindow& Hint() const;

    win32::Win32MessageLoop& loop_;
    CommonControls& controls_;
    std::unique_ptr<MainKeyboardForm> keyboard_;
    std::unique_ptr<MainKeyboardBackgroundForm> background_;
    mutable std::unique_ptr<KeyboardHintWindow> hint_;
    bool bringingToFront_ = false;
    const TKvTheme* theme_ = nullptr;
    const TPreset* preset_ = nullptr;
    KeyRepaintCanvas* repaintCanvas_ = nullptr;
    KeyboardLook look_;
    ImageStrip keyGlyphs_;
    // Before the canvas and the backdrop, which decode their pictures with it.
    GdiplusPictureLoader pictures_;
    GdiKeyboardCanvas canvas_{nullptr, look_, &keyGlyphs_, &pictures_};
};

}  // namespace kv::win32app
