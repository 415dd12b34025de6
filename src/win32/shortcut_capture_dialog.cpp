#include "win32/shortcut_capture_dialog.h"

#include "platform/win32/win32_text.h"
#include "resources/kv_lang.h"
#include "win32/dialog_frame.h"
#include "win32/window_controls.h"

namespace kv::win32app {

namespace {

constexpr int kClientWidth = 431;
constexpr int kClientHeight = 314;
constexpr int kInfoHeight = 49;

enum ControlId : int {
    kInfoIcon = 100,
    kInfoLabel,
    kPreview,
    kLblOld,
    kEdtOld,
    kLblNew,
    kEdtNew,
    kBtnOk = IDOK,
    kBtnCancel = IDCANCEL,
};

constexpr wchar_t kDialogProperty[] = L"TolvexCaptureDialog";

}  // namespace

ShortcutCaptureDialog::ShortcutCaptureDialog(win32::Win32MessageLoop& loop, const TKvLang& lang,
                                             ShortcutCapture& capture)
    : KvForm(loop, u"TGetShortKeyForm"), lang_(lang), capture_(capture) {
    Create(nullptr, u"");
    {
        const win32::WindowDc screen(nullptr);
        dpi_ = GetDeviceCaps(screen.Get(), LOGPIXELSY);
    }
    SetFrame(Handle(), WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, WS_EX_DLGMODALFRAME | WS_EX_TOPMOST | WS_EX_CONTROLPARENT,
             Scale(kClientWidth), Scale(kClientHeight));
    HWND self = Handle();
    HFONT font = FormFontOrDefault(Font());
    HWND icon = CreateChild(self, L"STATIC", SS_ICON | SS_NOTIFY, Scale(8), Scale(8), Scale(32), Scale(32), kInfoIcon, font);
    SetStaticIcon(icon, LoadIconW(nullptr, IDI_INFORMATION));
    CreateChild(self, L"STATIC", SS_LEFT | SS_NOPREFIX, Scale(45), Scale(3), Scale(kClientWidth - 55), Scale(kInfoHeight - 6),
                kInfoLabel, font);
    CreateChild(self, L"STATIC", SS_OWNERDRAW, Scale(3), Scale(kInfoHeight + 3), Scale(425), Scale(135), kPreview, font);
    const int y = kInfoHeight + 145;
    CreateChild(self, L"STATIC", SS_LEFT, Scale(12), Scale(y), Scale(200), Scale(16), kLblOld, font);
    CreateChild(self, L"EDIT", ES_READONLY | ES_AUTOHSCROLL | WS_BORDER, Scale(12), Scale(y + 18), Scale(407), Scale(22),
                kEdtOld, font);
    CreateChild(self, L"STATIC", SS_LEFT, Scale(12), Scale(y + 46), Scale(200), Scale(16), kLblNew, font);
    HWND edit = CreateChild(self, L"EDIT", ES_READONLY | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, Scale(12),
                            Scale(y + 64), Scale(407), Scale(22), kEdtNew, font);
    CreateChild(self, L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, Scale(kClientWidth - 2 * 88 - 4), Scale(kClientHeight - 33),
                Scale(82), Scale(25), kBtnOk, font);
    CreateChild(self, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, Scale(kClientWidth - 88 - 4), Scale(kClientHeight - 33),
                Scale(82), Scale(25), kBtnCancel, font);
    // The focus of the new-shortcut field starts and ends the capture.
    SetPropW(edit, kDialogProperty, this);
    editProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ShortcutCaptureDialog::NewShortcutProc)));
    capture_.SetView(this);
    ApplyLanguage();
}

ShortcutCaptureDialog::~ShortcutCaptureDialog() {
    capture_.Stop();
    capture_.SetView(nullptr);
    if (HWND edit = GetDlgItem(Handle(), kEdtNew)) {
        SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editProc_));
        RemovePropW(edit, kDialogProperty);
    }
    if (Handle()) DestroyWindow(Handle());
}

void ShortcutCaptureDialog::ApplyLanguage() {
    KvForm::ApplyLanguage();
    HWND self = Handle();
    if (!self || !GetDlgItem(self, kBtnOk)) return;
    for (HWND child = GetWindow(self, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        SetControlFont(child, FormFontOrDefault(Font()), true);
    }
    SetText(self, lang_.GetText(472, u"Set Hotkey"));
    SetText(GetDlgItem(self, kInfoLabel), lang_.GetText(81, u"Press the key combination."));
    SetText(GetDlgItem(self, kLblOld), lang_.GetText(473, u"Current hotkey:"));
    SetText(GetDlgItem(self, kLblNew), lang_.GetText(474, u"New hotkey:"));
    SetText(GetDlgItem(self, kBtnOk), lang_.GetText(101, u"OK"));
    SetText(GetDlgItem(self, kBtnCancel), lang_.GetText(102, u"Cancel"));
}

bool ShortcutCaptureDialog::Run(const std::u16string& oldText) {
    SetText(GetDlgItem(Handle(), kEdtOld), oldText);
    SetText(GetDlgItem(Handle(), kEdtNew), capture_.CapturedText());
    CenterOnWorkArea(Handle());
    closed_ = false;
    confirmed_ = false;
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    SetFocus(GetDlgItem(Handle(), kEdtNew));
    RunModal(Handle(), closed_);
    capture_.Stop();
    ShowWindow(Handle(), SW_HIDE);
    return confirmed_;
}

void ShortcutCaptureDialog::Finish(bool confirmed) {
    capture_.Stop();
    confirmed_ = confirmed;
    closed_ = true;
    PostMessageW(Handle(), WM_NULL, 0, 0);  // wakes the modal loop
}

void ShortcutCaptureDialog::ShowCaptured(const std::u16string& text) {
    SetText(GetDlgItem(Handle(), kEdtNew), text);
    InvalidateRect(GetDlgItem(Handle(), kPreview), nullptr, FALSE);
}

bool ShortcutCaptureDialog::OkEnabled() const { return IsWindowEnabled(GetDlgItem(Handle(), kBtnOk)) != FALSE; }

void ShortcutCaptureDialog::FocusOk() {
    // Posted: the hook that asks for it must return at once.
    PostMessageW(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(Handle(), kBtnOk)), TRUE);
}

LRESULT CALLBACK ShortcutCaptureDialog::NewShortcutProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<ShortcutCaptureDialog*>(GetPropW(edit, kDialogProperty));
    if (!self) return DefWindowProcW(edit, message, wParam, lParam);
    if (message == WM_SETFOCUS) self->capture_.Start();
    if (message == WM_KILLFOCUS) self->capture_.Stop();
    return CallWindowProcW(self->editProc_, edit, message, wParam, lParam);
}

LRESULT ShortcutCaptureDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == kBtnOk) {
                Finish(true);
                return 0;
            }
            if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == kBtnCancel) {
                Finish(false);
                return 0;
            }
            break;
        case WM_NEXTDLGCTL:
            SetFocus(reinterpret_cast<HWND>(wParam));
            return 0;
        case WM_CLOSE:
            Finish(false);
            return 0;
        case WM_ACTIVATE:
            // As a dialog does: the focus goes back to the control that had it (the new
            // hotkey field at first), not to the window itself, so activation keeps the capture.
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus && IsChild(Handle(), focus)) lastFocus_ = focus;
            } else {
                SetFocus(lastFocus_ && IsWindow(lastFocus_) ? lastFocus_ : GetDlgItem(Handle(), kEdtNew));
            }
            return 0;
        case WM_ACTIVATEAPP:
            // Another application came to the front: the dialog closes as Cancel.
            if (!wParam && !closed_) Finish(false);
            break;
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item.CtlID != kPreview) break;
            FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
            if (paintPreview) paintPreview(item.hDC, item.rcItem);
            FrameRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNSHADOW));
            return TRUE;
        }
        case WM_CTLCOLORSTATIC: {
            const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
            if (id == kInfoLabel || id == kInfoIcon) {
                HDC dc = reinterpret_cast<HDC>(wParam);
                SetBkColor(dc, GetSysColor(COLOR_INFOBK));
                SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
                return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_INFOBK));
            }
            break;
        }
        case WM_ERASEBKGND: {
            RECT client;
            GetClientRect(Handle(), &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
            RECT info{Scale(2), Scale(2), client.right - Scale(2), Scale(kInfoHeight - 2)};
            HBRUSH infoBrush = GetSysColorBrush(COLOR_INFOBK);
            FillRect(reinterpret_cast<HDC>(wParam), &info, infoBrush);
            return TRUE;
        }
    }
    return KvForm::HandleMessage(message, wParam, lParam);
}

}  // namespace kv::win32app
