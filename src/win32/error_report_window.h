#pragma once
#include <windows.h>

#include <functional>

#include "dialogs/error_report.h"
#include "win32/form_window.h"

namespace kv::win32app {

// TKvBugMessageForm: the error report dialog on the desktop. It is created once, hidden, and
// closing it only hides it. The buttons reach the report logic through the callbacks.
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
    HWND Control(ControlId id) const { return GetDlgItem(Handle(), id); }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateControls();

    bool closed_ = true;
};

}  // namespace kv::win32app
