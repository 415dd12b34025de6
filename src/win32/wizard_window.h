#pragma once
#include <windows.h>
#include <commctrl.h>

#include "dialogs/wizard_steps.h"
#include "platform/win32/win32_handles.h"
#include "ports/wizard_port.h"
#include "win32/page_dialog.h"

namespace kv::win32app {

class CommonControls;

// TWizardForm, the first-run wizard: the step tree on the left, the gradient header and one
// page at a time on the right, the buttons at the bottom. WizardSteps decides the walk through
// the steps and when leaving asks; the window shows what it says. It is modeless, has its own
// taskbar button, and while it exists every mouse press in the program's windows restarts the
// typed-text record, so a click into the try-it box begins a fresh word to convert.
class WizardWindow : public PageDialog, public IWizardWindow {
public:
    WizardWindow(win32::Win32MessageLoop& loop, CommonControls& commonControls, IDialogContext& context,
                 IWizardHost& host);
    ~WizardWindow() override;

    void ShowAndActivate() override;
    bool Visible() const override;
    void ApplyLanguage() override { PageDialog::ApplyLanguage(); }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ApplyTexts() override;
    void OnPageChosen(int step) override;
    void PaintFrame(HDC dc) override;

private:
    // The step pictures of the tree, made by the program's common-controls library.
    class StepImages {
    public:
        StepImages(CommonControls& common, bool large);
        ~StepImages();
        StepImages(const StepImages&) = delete;
        StepImages& operator=(const StepImages&) = delete;
        HIMAGELIST Get() const { return images_; }

    private:
        CommonControls& common_;
        HIMAGELIST images_;
    };

    void SetUpControls();
    void FillPageTexts();
    void ShowStep();
    void UpdateStepImages();
    void OnCommand(int id, int code);
    void OnLanguageChosen();
    void OnStartWithWindowsClicked();
    void RequestClose();
    void CloseNow();
    bool Confirm();

    win32::Win32MessageLoop& loop_;
    IWizardHost& host_;
    StepImages stepImages_;
    win32::UniqueBitmap banner_;
    WizardSteps steps_;
    HWND dialogHandle_ = nullptr;
    bool shown_ = false;
    bool closing_ = false;
    bool filling_ = false;
};

}  // namespace kv::win32app
