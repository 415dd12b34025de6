#pragma once
// A combo box through typed calls instead of raw messages. It borrows the handle: the dialog owns
// the control.
#include <windows.h>

#include <string>

#include "platform/win32/win32_text.h"

namespace kv::win32app {

class ComboBox {
public:
    explicit ComboBox(HWND control) : control_(control) {}
    HWND Handle() const { return control_; }

    void Clear() const { SendMessageW(control_, CB_RESETCONTENT, 0, 0); }
    void Add(const std::u16string& text) const {
        SendMessageW(control_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::W(text)));
    }
    // -1 when no entry is chosen (a typed text in a drop-down box).
    int SelectedIndex() const { return static_cast<int>(SendMessageW(control_, CB_GETCURSEL, 0, 0)); }
    // -1 chooses no entry.
    void Select(int index) const { SendMessageW(control_, CB_SETCURSEL, static_cast<WPARAM>(index), 0); }

    // The edit field's text.
    std::u16string Text() const {
        const int length = GetWindowTextLengthW(control_);
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        GetWindowTextW(control_, text.data(), length + 1);
        text.resize(static_cast<std::size_t>(length));
        return std::u16string(text.begin(), text.end());
    }
    void SetText(const std::u16string& text) const { SetWindowTextW(control_, win32::W(text)); }

private:
    HWND control_;
};

}  // namespace kv::win32app
