#pragma once
#include <map>
#include <memory>

#include "app/app_windows.h"
#include "win32/form_window.h"

namespace kv {
class ApplicationShell;
}

namespace kv::win32app {

// The program's windows on the real desktop. Forms whose features come later are hidden
// windows of their classes, so the single-instance marker and the message routes exist now.
class Win32AppWindows : public IAppWindows {
public:
    explicit Win32AppWindows(win32::Win32MessageLoop& loop) : loop_(loop) {}
    ~Win32AppWindows() override;
    void Attach(ApplicationShell& shell) { shell_ = &shell; }

    WindowHandle CreateApplicationWindow(std::u16string_view title) override;
    void CreateForm(AppForm form) override;
    void DestroyForm(AppForm form) override;
    WindowHandle FormWindow(AppForm form) const override;
    void RealizeKeyboardFormsOffscreen() override;

private:
    win32::Win32MessageLoop& loop_;
    ApplicationShell* shell_ = nullptr;
    std::unique_ptr<win32app::FormWindow> applicationWindow_;
    std::map<AppForm, std::unique_ptr<win32app::FormWindow>> forms_;
};

}  // namespace kv::win32app
