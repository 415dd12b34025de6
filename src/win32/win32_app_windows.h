#pragma once
#include <map>
#include <memory>

#include "app/app_windows.h"
#include "resources/language_apply.h"
#include "win32/form_window.h"

namespace kv {
class ApplicationShell;
class TKvLang;
}

namespace kv::win32app {

// The program's windows on the real desktop. Forms whose features come later are hidden
// windows of their classes, so the single-instance marker and the message routes exist now.
class Win32AppWindows : public IAppWindows, private ILanguageTargets {
public:
    Win32AppWindows(win32::Win32MessageLoop& loop, const TKvLang& lang) : loop_(loop), lang_(lang) {}
    ~Win32AppWindows() override;
    void Attach(ApplicationShell& shell) { shell_ = &shell; }

    WindowHandle CreateApplicationWindow(std::u16string_view title) override;
    void CreateForm(AppForm form) override;
    void DestroyForm(AppForm form) override;
    WindowHandle FormWindow(AppForm form) const override;
    void RealizeKeyboardFormsOffscreen() override;
    ILanguageTargets& LanguageTargets() override { return *this; }

private:
    void LocalizeMenus() override {}
    std::vector<ILocalizedForm*> OpenLocalizedForms() override;

    win32::Win32MessageLoop& loop_;
    const TKvLang& lang_;
    ApplicationShell* shell_ = nullptr;
    std::unique_ptr<win32app::KvForm> applicationWindow_;
    std::map<AppForm, std::unique_ptr<win32app::KvForm>> forms_;
};

}  // namespace kv::win32app
