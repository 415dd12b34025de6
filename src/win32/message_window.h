#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "dialogs/close_countdown.h"
#include "win32/form_window.h"

namespace kv {
class TKvLang;
}

namespace kv::win32app {

// TKvMessageForm: a message with OK and Cancel and a never-show-again box. With a countdown
// the OK button counts down like the error report's close button and closes the dialog. Its
// controls are made when first needed, as the error report's are.
class MessageWindow : public KvForm {
public:
    // `lang` must outlive the window.
    MessageWindow(win32::Win32MessageLoop& loop, HWND owner, const TKvLang& lang);

    // IDOK or IDCANCEL.
    int ShowModal(std::u16string_view text, std::optional<int> countdownSeconds = std::nullopt);
    bool NeverAskChecked() const;
    void ApplyLanguage() override;

    enum ControlId : int { kOkButton = IDOK, kCancelButton = IDCANCEL, kNeverAskBox = 201, kIcon, kMessageLabel };
    // Makes the controls when they do not exist yet.
    HWND Control(ControlId id);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void EnsureControls();
    void Close(int result);
    void StopTimer();

    const TKvLang& lang_;
    std::u16string okCaption_;
    CloseCountdown countdown_;
    bool timerRunning_ = false;
    bool closed_ = true;
    bool controlsMade_ = false;
    int result_ = IDCANCEL;
};

}  // namespace kv::win32app
