#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "dialogs/shortcut_capture.h"
#include "win32/form_window.h"

namespace kv {
class TKvLang;
}

namespace kv::win32app {

// TGetShortKeyForm: the modal dialog in which a hotkey is entered by pressing it. The capture
// (its own keyboard hook) runs exactly while the new-shortcut field has the focus; closing the
// dialog any way, or the application losing the foreground, ends it as Cancel.
class ShortcutCaptureDialog : public KvForm, private IShortcutCaptureView {
public:
    ShortcutCaptureDialog(win32::Win32MessageLoop& loop, const TKvLang& lang, ShortcutCapture& capture);
    ~ShortcutCaptureDialog() override;

    // True when the user confirmed with OK.
    bool Run(const std::u16string& oldText);

    // Draws the keyboard, scaled, into the preview box.
    std::function<void(HDC, const RECT&)> paintPreview;

    void ApplyLanguage() override;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void ShowCaptured(const std::u16string& text) override;
    bool OkEnabled() const override;
    void FocusOk() override;
    void Finish(bool confirmed);
    int Scale(int logical) const { return MulDiv(logical, dpi_, 96); }

    const TKvLang& lang_;
    ShortcutCapture& capture_;
    WNDPROC editProc_ = nullptr;
    HWND lastFocus_ = nullptr;
    int dpi_ = 96;
    bool closed_ = true;
    bool confirmed_ = false;

    static LRESULT CALLBACK NewShortcutProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace kv::win32app
