#pragma once
#include <map>

#include "app/app_windows.h"
#include "sim_desktop.h"

namespace kv {
class ApplicationShell;
}

namespace kv::sim {

// The program's windows on the simulated desktop, wired to the shell as the Win32 ones are.
class SimAppWindows : public IAppWindows {
public:
    explicit SimAppWindows(SimDesktop& desktop) : desktop_(desktop) {}
    void Attach(ApplicationShell& shell) { shell_ = &shell; }

    WindowHandle CreateApplicationWindow(std::u16string_view title) override;
    void CreateForm(AppForm form) override;
    void DestroyForm(AppForm form) override;
    WindowHandle FormWindow(AppForm form) const override;
    void RealizeKeyboardFormsOffscreen() override { realizedOffscreen_ = true; }

    bool RealizedOffscreen() const { return realizedOffscreen_; }
    const std::vector<AppForm>& DestroyedInOrder() const { return destroyed_; }

private:
    SimDesktop& desktop_;
    ApplicationShell* shell_ = nullptr;
    std::map<AppForm, WindowHandle> forms_;
    std::vector<AppForm> destroyed_;
    bool realizedOffscreen_ = false;
};

}  // namespace kv::sim
