#pragma once
// TMainKeyboardBackgroundForm: the translucent backdrop exactly behind the keyboard window, in
// the theme's background colour or the tiled background picture. A press on it raises both
// windows and acts as a press on the keyboard; a right click opens the tray menu.
#include <windows.h>

#include "platform/win32/win32_handles.h"
#include "win32/keyboard_form_base.h"

namespace kv {
class OnScreenKeyboard;
class TPreset;
struct TKvTheme;
}  // namespace kv

#include <optional>

#include "keyboard/render/picture_decoder.h"

namespace kv::win32app {

class MainKeyboardBackgroundForm final : public KeyboardFormBase {
public:
    // `pictures` decodes the background picture (BMP, JPEG, GIF, PNG, size-bounded); it must
    // outlive the form.
    MainKeyboardBackgroundForm(win32::Win32MessageLoop& loop, const IPictureDecoder& pictures)
        : KeyboardFormBase(loop, u"TMainKeyboardBackgroundForm"), pictures_(pictures) {}
    void Attach(OnScreenKeyboard* keyboard, const TKvTheme* theme, const TPreset* preset);
    // False keeps the previous picture.
    bool LoadPicture(const std::u16string& path);
    void ClearPicture() { picture_.reset(); }

protected:
    void OnCreated() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();

    OnScreenKeyboard* keyboard_ = nullptr;
    const TKvTheme* theme_ = nullptr;
    const TPreset* preset_ = nullptr;
    const IPictureDecoder& pictures_;
    std::optional<Pixels32> picture_;
    bool painting_ = false;
};

}  // namespace kv::win32app
