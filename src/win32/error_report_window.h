#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <string>

#include "dialogs/error_report.h"
#include "win32/form_window.h"

namespace kv::win32app {

// TKvBugMessageForm: the error report dialog on the desktop. It is created once, hidden, and
// closing it only hides it. The buttons reach the report logic through the callbacks. Its
// controls are made when first needed: with the program's manifest, the first standard control
// loads the common-controls library, which a program that never reports an error does without.
class ErrorReportWindow : public KvForm, public IErrorReportWindow {
public:
    ErrorReportWindow(win32::Win32MessageLoop& loop, HWND owner);

    std::function<void()> onSend;
    std::function<void()> onTerminate;
    // The interface language changed: the logic re-applies its texts.
    std::function<void()> onLanguageChanged;

    bool IsVisible() const override;
    void SetCaption(std::u16string_view text) override;
    void SetMessageText(std::u16string_view text) override;
    void SetCloseButtonText(std::u16string_view text) override;
    void SetSendButtonText(std::u16string_view text) override;
    void SetTerminateButtonText(std::u16string_view text) override;
    void SetNeverAskText(std::u16string_view text) override;
    bool NeverAskChecked() const override;
    void Repaint() override;
    void ShowModal() override;
    void CloseModal() override;

    void ApplyLanguage() override;

    enum ControlId : int {
        kCloseButton = IDOK,
        kSendButton = 101,
        kTerminateButton,
        kNeverAskBox,
        kErrorIcon,
        kMessageLabel,
    };
    // Makes the controls when they do not exist yet.
    HWND Control(ControlId id);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void EnsureControls();
    void SetControlText(ControlId id, std::u16string_view text);

    bool closed_ = true;
    bool controlsMade_ = false;
    // The texts of the controls, kept until the controls exist.
    std::map<ControlId, std::u16string> texts_;
};

}  // namespace kv::win32app
