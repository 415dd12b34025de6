#include "win32/error_report_window.h"

#include "win32/dialog_frame.h"
#include "win32/window_controls.h"

namespace kv::win32app {

namespace {
constexpr int kClientWidth = 568;
constexpr int kClientHeight = 163;
}  // namespace

ErrorReportWindow::ErrorReportWindow(win32::Win32MessageLoop& loop, HWND owner)
    : KvForm(loop, u"TKvBugMessageForm") {
    Create(owner, u"");
    SetFrame(Handle(), WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, WS_EX_DLGMODALFRAME | WS_EX_TOPMOST,
             kClientWidth, kClientHeight);
    CenterOnWorkArea(Handle());
}

HWND ErrorReportWindow::Control(ControlId id) {
    EnsureControls();
    return GetDlgItem(Handle(), id);
}

void ErrorReportWindow::EnsureControls() {
    if (controlsMade_ || !Handle()) return;
    controlsMade_ = true;
    HWND self = Handle();
    HFONT font = FormFontOrDefault(Font());
    HWND icon = CreateChild(self, L"STATIC", SS_ICON | SS_NOTIFY, 12, 14, 32, 32, kErrorIcon, font);
    SetStaticIcon(icon, LoadIconW(nullptr, IDI_HAND));
    CreateChild(self, L"STATIC", SS_LEFT | SS_NOPREFIX, 56, 14, 497, 107, kMessageLabel, font);
    CreateChild(self, L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 12, 134, 240, 17, kNeverAskBox, font);
    CreateChild(self, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 262, 130, 120, 25, kSendButton, font);
    CreateChild(self, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 388, 130, 82, 25, kTerminateButton, font);
    CreateChild(self, L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, 476, 130, 82, 25, kCloseButton, font);
    for (const auto& [id, text] : texts_) SetText(GetDlgItem(self, id), text);
}

void ErrorReportWindow::SetControlText(ControlId id, std::u16string_view text) {
    texts_[id] = std::u16string(text);
    if (controlsMade_) SetText(GetDlgItem(Handle(), id), text);
}

void ErrorReportWindow::ApplyLanguage() {
    KvForm::ApplyLanguage();
    if (!Handle()) return;
    for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        SetControlFont(child, FormFontOrDefault(Font()), true);
    }
    if (onLanguageChanged) onLanguageChanged();
}

bool ErrorReportWindow::IsVisible() const { return Handle() && IsWindowVisible(Handle()); }
void ErrorReportWindow::SetCaption(std::u16string_view text) { SetText(Handle(), text); }
void ErrorReportWindow::SetMessageText(std::u16string_view text) { SetControlText(kMessageLabel, text); }
void ErrorReportWindow::SetCloseButtonText(std::u16string_view text) { SetControlText(kCloseButton, text); }
void ErrorReportWindow::SetSendButtonText(std::u16string_view text) { SetControlText(kSendButton, text); }
void ErrorReportWindow::SetTerminateButtonText(std::u16string_view text) { SetControlText(kTerminateButton, text); }
void ErrorReportWindow::SetNeverAskText(std::u16string_view text) { SetControlText(kNeverAskBox, text); }

bool ErrorReportWindow::NeverAskChecked() const {
    // A box never made was never checked.
    return controlsMade_ && IsChecked(GetDlgItem(Handle(), kNeverAskBox));
}

void ErrorReportWindow::Repaint() {
    InvalidateRect(Handle(), nullptr, TRUE);
    UpdateWindow(Handle());
}

void ErrorReportWindow::ShowModal() {
    closed_ = false;
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    SetFocus(Control(kCloseButton));
    RunModal(Handle(), closed_);
    closed_ = true;
    ShowWindow(Handle(), SW_HIDE);
}

void ErrorReportWindow::CloseModal() {
    closed_ = true;
    PostMessageW(Handle(), WM_NULL, 0, 0);  // wakes the modal loop if it waits
}

LRESULT ErrorReportWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) != BN_CLICKED) break;
            switch (LOWORD(wParam)) {
                case kCloseButton: CloseModal(); return 0;
                case kSendButton:
                    if (onSend) onSend();
                    return 0;
                case kTerminateButton:
                    if (onTerminate) onTerminate();
                    return 0;
            }
            break;
        case WM_CLOSE: CloseModal(); return 0;  // hidden, never destroyed, until the program ends
        case WM_SETCURSOR:
            if (reinterpret_cast<HWND>(wParam) == GetDlgItem(Handle(), kErrorIcon)) {
                SetCursor(LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
            break;
    }
    return KvForm::HandleMessage(message, wParam, lParam);
}

}  // namespace kv::win32app
