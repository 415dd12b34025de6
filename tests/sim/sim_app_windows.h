#pragma once
#include <map>
#include <memory>

#include "app/app_windows.h"
#include "resources/language_apply.h"
#include "sim_desktop.h"
#include "sim_tray.h"

namespace kv {
class ApplicationShell;
class TKvLang;
}

namespace kv::sim {

// The program's windows on the simulated desktop, wired to the shell as the Win32 ones are.
class SimAppWindows : public IAppWindows, private ILanguageTargets {
public:
    explicit SimAppWindows(SimDesktop& desktop) : desktop_(desktop) {}
    void Attach(ApplicationShell& shell, const TKvLang& lang) {
        shell_ = &shell;
        lang_ = &lang;
    }

    WindowHandle CreateApplicationWindow(std::u16string_view title) override;
    void CreateForm(AppForm form) override;
    void DestroyForm(AppForm form) override;
    WindowHandle FormWindow(AppForm form) const override;
    void SetFormMessageHandler(AppForm form, FormMessageHandler handler) override;
    void RealizeKeyboardFormsOffscreen() override { realizedOffscreen_ = true; }
    ILanguageTargets& LanguageTargets() override { return *this; }
    ITrayIcon& TrayIcon() override { return tray_; }
    IPopupMenus& PopupMenus() override { return menus_; }
    IHtmlHelp& HtmlHelp() override { return help_; }
    SimHtmlHelp& Help() { return help_; }

    SimTrayIcon& Tray() { return tray_; }
    SimPopupMenus& Menus() { return menus_; }

    bool RealizedOffscreen() const { return realizedOffscreen_; }
    const std::vector<AppForm>& DestroyedInOrder() const { return destroyed_; }

    int LanguageApplications() const { return languageApplications_; }

private:
    class LocalizedForm;
    void LocalizeMenus() override {}
    std::vector<ILocalizedForm*> OpenLocalizedForms() override;
    void ApplyCaption(AppForm form);

    SimDesktop& desktop_;
    const TKvLang* lang_ = nullptr;
    std::vector<std::unique_ptr<ILocalizedForm>> localized_;
    int languageApplications_ = 0;
    ApplicationShell* shell_ = nullptr;
    std::map<AppForm, WindowHandle> forms_;
    std::map<AppForm, FormMessageHandler> handlers_;
    std::vector<AppForm> destroyed_;
    bool realizedOffscreen_ = false;
    SimTrayIcon tray_;
    SimPopupMenus menus_;
    SimHtmlHelp help_;
};

}  // namespace kv::sim
