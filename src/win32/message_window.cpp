#include "win32/message_window.h"

#include "resources/kv_lang.h"
#include "win32/dialog_frame.h"
#include "win32/window_controls.h"

namespace kv::win32app {

namespace {
constexpr int kClientWidth = 460;
constexpr int kClientHeight = 88;
constexpr UINT_PTR kOkTimer = 1;
constexpr UINT kOkTimerMs = 1000;
}  // namespace

MessageWindow::MessageWindow(win32::Win32MessageLoop& loop, HWND owner, const TKvLang& lang)
    : KvForm(loop, u"TKvMessageForm"), lang_(lang) {
    Create(owner, u"");
    SetFrame(Handle(), WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, WS_EX_DLGMODALFRAME | WS_EX_TOPMOST,
             kClientWidth, kClientHeight);
    CenterOnWorkArea(Handle());
}

HWND MessageWindow::Control(ControlId id) {
    EnsureControls();
    return GetDlgItem(Handle(), id);
}

void MessageWindow::EnsureControls() {
    if (controlsMade_ || !Handle()) return;
    controlsMade_ = true;
    HWND self = Handle();
    HFONT font = FormFontOrDefault(Font());
    HWND icon = CreateChild(self, L"STATIC", SS_ICON, 12, 12, 32, 32, kIcon, font);
    HICON appIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    SetStaticIcon(icon, appIcon ? appIcon : LoadIconW(nullptr, IDI_APPLICATION));
    CreateChild(self, L"STATIC", SS_LEFT | SS_NOPREFIX, 56, 12, 392, 40, kMessageLabel, font);
    CreateChild(self, L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 12, 60, 220, 17, kNeverAskBox, font);
    CreateChild(self, L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, 284, 56, 80, 25, kOkButton, font);
    CreateChild(self, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 370, 56, 80, 25, kCancelButton, font);
    ApplyLanguage();
}

void MessageWindow::ApplyLanguage() {
    KvForm::ApplyLanguage();
    if (!controlsMade_) return;  // the controls take the texts when they are made
    for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        SetControlFont(child, FormFontOrDefault(Font()), true);
    }
    okCaption_ = lang_.GetText(101, u"OK");
    SetText(Control(kOkButton), okCaption_);
    SetText(Control(kCancelButton), lang_.GetText(102, kNoText));
    SetText(Control(kNeverAskBox), lang_.GetText(467, kNoText));
}

int MessageWindow::ShowModal(std::u16string_view text, std::optional<int> countdownSeconds) {
    SetText(Control(kMessageLabel), text);
    SetText(Control(kOkButton), okCaption_);
    result_ = IDCANCEL;
    closed_ = false;
    if (countdownSeconds) {
        countdown_ = CloseCountdown(*countdownSeconds);
        timerRunning_ = SetTimer(Handle(), kOkTimer, kOkTimerMs, nullptr) != 0;
    }
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    SetFocus(Control(kOkButton));
    RunModal(Handle(), closed_);
    StopTimer();
    closed_ = true;
    ShowWindow(Handle(), SW_HIDE);
    return result_;
}

bool MessageWindow::NeverAskChecked() const {
    return controlsMade_ && IsChecked(GetDlgItem(Handle(), kNeverAskBox));
}

void MessageWindow::Close(int result) {
    result_ = result;
    closed_ = true;
    PostMessageW(Handle(), WM_NULL, 0, 0);
}

void MessageWindow::StopTimer() {
    if (timerRunning_) KillTimer(Handle(), kOkTimer);
    timerRunning_ = false;
}

LRESULT MessageWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (wParam == kOkTimer) {
                const CloseCountdown::Step step = countdown_.Tick(okCaption_);
                SetText(Control(kOkButton), step.buttonCaption);
                if (step.closeNow) {
                    StopTimer();
                    Close(IDOK);
                }
                return 0;
            }
            break;
        case WM_COMMAND:
            if (HIWORD(wParam) != BN_CLICKED) break;
            if (LOWORD(wParam) == kOkButton) Close(IDOK);
            if (LOWORD(wParam) == kCancelButton) Close(IDCANCEL);
            return 0;
        case WM_CLOSE: Close(IDCANCEL); return 0;
    }
    return KvForm::HandleMessage(message, wParam, lParam);
}

}  // namespace kv::win32app
