#pragma once
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <vector>

#include "dialogs/wizard_steps.h"
#include "ports/wizard_port.h"
#include "win32/form_window.h"

namespace kv::win32app {

class CommonControls;

// TWizardForm, the first-run wizard: the step tree on the left, the gradient header and one
// page at a time on the right, the buttons at the bottom. WizardSteps decides the walk through
// the steps and when leaving asks; the window shows what it says. It is modeless, has its own
// taskbar button, and while it exists every mouse press in the program's windows restarts the
// typed-text record, so a click into the try-it box begins a fresh word to convert.
class WizardWindow : public KvForm, public IWizardWindow {
public:
    WizardWindow(win32::Win32MessageLoop& loop, CommonControls& commonControls, IWizardHost& host);
    ~WizardWindow() override;

    void ShowAndActivate() override;
    bool Visible() const override;
    void ApplyLanguage() override;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    class Controls;

    void CreateControls();
    void LayoutControls();
    void FillLanguageCombo();
    void FillPageTexts();
    void ShowStep();
    void SelectStep(int step);
    void UpdateStepImages();
    void OnCommand(int id, int code);
    void OnLanguageChosen();
    void OnStartWithWindowsClicked();
    void RequestClose();
    void CloseNow();
    void PaintFrame(HDC dc);
    bool Confirm();

    std::u16string Text(std::int32_t number, std::u16string_view fallback) const;
    int Scale(int logical) const;

    win32::Win32MessageLoop& loop_;
    CommonControls& commonControls_;
    IWizardHost& host_;
    std::unique_ptr<Controls> controls_;
    WizardSteps steps_;
    std::vector<HTREEITEM> nodes_;
    HWND dialogHandle_ = nullptr;
    int dpi_ = 96;
    int systemDpi_ = 96;
    bool shown_ = false;
    bool closing_ = false;
    bool filling_ = false;
};

}  // namespace kv::win32app
