#pragma once
// The hint shown under a key whose icon has one: a bordered popup in the info colours that never
// takes the focus.
#include <windows.h>

#include <string>

#include "win32/form_window.h"

namespace kv::win32app {

class KeyboardHintWindow final : public FormWindow {
public:
    explicit KeyboardHintWindow(win32::Win32MessageLoop& loop) : FormWindow(loop, u"TKvKeyboardHint") {}
    // Outer size for the text, wrapped at `maxWidth`.
    SIZE Measure(const std::u16string& text, int maxWidth);
    void ShowAt(const RECT& area, std::u16string text);
    void Hide();

protected:
    void OnCreated() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();
    HFONT HintFont();

    std::u16string text_;
    win32::UniqueFont font_;
    UINT fontDpi_ = 0;
};

}  // namespace kv::win32app
