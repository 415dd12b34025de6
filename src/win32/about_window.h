#pragma once
#include <windows.h>

#include <memory>

#include "dialogs/about_box_content.h"
#include "ports/about_box_port.h"
#include "resources/language_apply.h"
#include "win32/form_window.h"

namespace kv::win32app {

// TAboutForm: the logo, the program's name and version, the maker's lines and links, and the
// update check. Opened through ShowFormOnce; it destroys its window when closed and the windows
// side then frees it. What it shows comes from the host (AboutBoxContent).
class AboutWindow : public KvForm, public ILocalizedForm {
public:
    AboutWindow(win32::Win32MessageLoop& loop, IAboutHost& host);
    ~AboutWindow() override;

    void ShowAndActivate();
    // A language chosen while it is open (in the wizard) re-captions it at once.
    void ApplyLanguage() override;
    void Repaint() override { InvalidateRect(Handle(), nullptr, TRUE); }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    class Controls;

    void CreateControls();
    void Fill();
    void Paint();
    void OnCommand(int id, int code);
    int Scale(int logical) const;

    win32::Win32MessageLoop& loop_;
    IAboutHost& host_;
    HWND dialogHandle_ = nullptr;
    std::unique_ptr<Controls> controls_;
    AboutBoxContent content_;
    int hotLink_ = 0;
    int dpi_ = 96;
    int systemDpi_ = 96;
};

}  // namespace kv::win32app
