#pragma once
// TMainKeyboardForm: the keyboard image on a transparent (pure green) background with the pin and
// close buttons at its top right. Its mouse goes to the keyboard's behaviour; its paint has the
// keys marked since the last paint drawn and the image copied, then draws the two buttons.
#include <windows.h>

#include <functional>
#include <string>

#include "resources/language_apply.h"
#include "win32/form_button_tips.h"
#include "win32/image_strips.h"
#include "win32/keyboard_form_base.h"

namespace kv {
class KeyRepaintCanvas;
class TKvLang;
class OnScreenKeyboard;
class TKvFormBtn;
struct TKvTheme;
}  // namespace kv

namespace kv::win32app {

class MainKeyboardForm final : public KeyboardFormBase, public ILocalizedForm {
public:
    static constexpr int kPanelFromRight = 36, kPanelTop = 2, kPanelWidth = 33, kPanelHeight = 16;

    // `localizedCaption` gives the caption in the interface language; `lang` the buttons'
    // tooltips, and must outlive the window.
    MainKeyboardForm(win32::Win32MessageLoop& loop, CommonControls& controls,
                     std::function<std::u16string()> localizedCaption, const TKvLang& lang);
    // Null detaches, before what they point at goes.
    void Attach(OnScreenKeyboard* keyboard, KeyRepaintCanvas* canvas, const TKvTheme* theme);
    RECT PanelRect() const;
    // Runs before each paint draws the marked keys.
    std::function<void()> onBeforePaint;
    // Copies the keyboard image onto the paint's DC at (0, 0).
    std::function<void(HDC)> copyImage;

    // ILocalizedForm
    void ApplyLanguage() override;
    void Repaint() override;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();
    void PaintButton(HDC dc, const TKvFormBtn& button);
    TKvFormBtn* ButtonAt(POINT client);
    void MouseDown(POINT at, int button);
    void MouseMove(POINT at);
    void MouseUp(POINT at);
    void MouseLeft();
    void UpdateButtonTips();

    std::function<std::u16string()> localizedCaption_;
    const TKvLang& lang_;
    FormButtonTips tips_;
    RECT tipsPanel_{};
    OnScreenKeyboard* keyboard_ = nullptr;
    KeyRepaintCanvas* canvas_ = nullptr;
    const TKvTheme* theme_ = nullptr;
    ImageStrip glyphs_;
    TKvFormBtn* hotButton_ = nullptr;
    TKvFormBtn* pressedButton_ = nullptr;
    bool trackingLeave_ = false;
};

}  // namespace kv::win32app
