#include "win32/about_window.h"

#include <commctrl.h>

#include "platform/error.h"
#include "platform/win32/win32_message_loop.h"
#include "platform/win32/win32_text.h"
#include "win32/buffered_paint.h"
#include "win32/dialog_frame.h"
#include "win32/dialog_parts.h"
#include "win32/window_controls.h"

namespace kv::win32app {

namespace {

constexpr int kClientWidth = 537;
constexpr int kClientHeight = 357;
constexpr int kTextX = 192;
constexpr int kTextWidth = 329;

enum ControlId : int {
    kLblName = 100,
    kLblVersion,
    kLblMaker1,
    kLblMaker2,
    kLblIsPart,
    kWww,
    kLblMail,
    kBvlBottom,
    kBtnCheckNewVersion,
    kBtnClose = IDCANCEL,
};

struct ControlLayout {
    int id;
    const wchar_t* className;
    DWORD style;
    int x, y, width, height;
};

constexpr DWORD kLink = SS_LEFT | SS_NOTIFY | SS_NOPREFIX;
const ControlLayout kControls[] = {
    {kLblName, L"STATIC", SS_LEFT | SS_NOPREFIX, kTextX, 12, kTextWidth, 30},
    {kLblVersion, L"STATIC", SS_LEFT | SS_NOPREFIX, kTextX, 46, kTextWidth, 16},
    {kLblMaker1, L"STATIC", SS_LEFT | SS_NOPREFIX, kTextX, 74, kTextWidth, 16},
    {kLblMaker2, L"STATIC", SS_LEFT | SS_NOPREFIX, kTextX, 92, kTextWidth, 32},
    // Two lines of the longest (German) family text fit.
    {kLblIsPart, L"STATIC", kLink, kTextX, 140, kTextWidth, 32},
    {kWww, L"STATIC", kLink, kTextX, 190, kTextWidth, 16},
    {kLblMail, L"STATIC", kLink, kTextX, 210, kTextWidth, 16},
    {kBvlBottom, L"STATIC", SS_ETCHEDHORZ, 8, kClientHeight - 46, kClientWidth - 16, 2},
    {kBtnCheckNewVersion, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, kTextX, kClientHeight - 35, 200, 25},
    {kBtnClose, L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, kClientWidth - 88, kClientHeight - 35, 80, 25},
};

bool IsLink(int id) { return id == kWww || id == kLblMail || id == kLblIsPart; }

constexpr COLORREF kLinkColor = RGB(0, 0, 255);
constexpr COLORREF kLinkHotColor = RGB(128, 0, 0);

}  // namespace

class AboutWindow::Controls : public DialogControls {
public:
    Controls() : DialogControls(ICC_STANDARD_CLASSES) {}
    win32::UniqueBitmap logo;
    win32::UniqueFont nameFont;
};

AboutWindow::AboutWindow(win32::Win32MessageLoop& loop, IAboutHost& host)
    : KvForm(loop, u"TAboutForm"), loop_(loop), host_(host), controls_(std::make_unique<Controls>()) {
    Create(nullptr, u"");
    const WindowDpi dpi = DpiOfWindow(Handle());
    dpi_ = dpi.window;
    systemDpi_ = dpi.system;
    // A dialog border and its own taskbar button.
    SetFrame(Handle(), WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
             WS_EX_APPWINDOW | WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, Scale(kClientWidth), Scale(kClientHeight));
    controls_->logo.Reset(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), L"LOGO", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    CreateControls();
    ApplyLanguage();
    CenterOnWorkArea(Handle());
    // Escape and Enter close it, Tab moves between its buttons, as in a dialog.
    dialogHandle_ = Handle();
    loop_.AddDialogWindow(dialogHandle_);
}

AboutWindow::~AboutWindow() {
    loop_.RemoveDialogWindow(dialogHandle_);
    if (Handle()) DestroyWindow(Handle());
}

int AboutWindow::Scale(int logical) const { return MulDiv(logical, dpi_, 96); }

void AboutWindow::CreateControls() {
    HFONT font = FormFontOrDefault(Font());
    for (const ControlLayout& placed : kControls) {
        HWND child = CreateChild(Handle(), placed.className, placed.style, Scale(placed.x), Scale(placed.y),
                                 Scale(placed.width), Scale(placed.height), placed.id, font);
        if (!child) throw KvError(u"Cannot create a control of the about box: " + win32::SystemErrorText(GetLastError()));
    }
}

void AboutWindow::ApplyLanguage() {
    KvForm::ApplyLanguage();
    if (!Handle() || !controls_ || !GetDlgItem(Handle(), kBtnClose)) return;
    HWND self = Handle();
    controls_->MakeFonts(Font(), dpi_, systemDpi_);
    SetFontOfChildren(self, controls_->Body());
    for (int id : {kWww, kLblMail, kLblIsPart}) {
        SetControlFont(GetDlgItem(self, id), controls_->Link(), true);
    }
    LOGFONTW name{};
    GetObjectW(controls_->Body(), sizeof name, &name);
    name.lfHeight = -Scale(20);
    name.lfWeight = FW_BOLD;
    controls_->nameFont.Reset(CreateFontIndirectW(&name));
    SetControlFont(GetDlgItem(self, kLblName), controls_->nameFont.Get(), true);
    Fill();
}

void AboutWindow::Fill() {
    content_ = host_.AboutContent();
    HWND self = Handle();
    SetText(self, content_.caption);
    SetText(GetDlgItem(self, kLblName), content_.name);
    SetText(GetDlgItem(self, kLblVersion), content_.build);
    SetText(GetDlgItem(self, kLblMaker1), content_.makerLines[0]);
    SetText(GetDlgItem(self, kLblMaker2), content_.makerLines[1]);
    SetText(GetDlgItem(self, kLblIsPart), content_.familyText);
    SetText(GetDlgItem(self, kWww), content_.webAddress);
    SetText(GetDlgItem(self, kLblMail), content_.mail);
    SetText(GetDlgItem(self, kBtnCheckNewVersion), content_.checkForUpdates);
    SetText(GetDlgItem(self, kBtnClose), content_.close);
}

void AboutWindow::ShowAndActivate() {
    HWND self = Handle();
    if (!IsWindowVisible(self)) {
        Fill();
        ShowWindow(self, SW_SHOW);
        SetFocus(GetDlgItem(self, kBtnClose));
    }
    SetForegroundWindow(self);
}

void AboutWindow::Paint() {
    const BufferedPaint paint(Handle());
    const int left = Scale(8), top = Scale(8);
    PaintLogo(paint.Dc(), controls_->logo.Get(), RECT{left, top, left + Scale(160), top + Scale(300)});
}

void AboutWindow::OnCommand(int id, int code) {
    switch (id) {
        case kBtnClose:
        case IDOK:  // Enter: the close button is the default one
            if (code == BN_CLICKED) DestroyWindow(Handle());
            return;
        case kBtnCheckNewVersion:
            if (code == BN_CLICKED) host_.CheckForUpdate();
            return;
        case kWww:
            if (code == STN_CLICKED) host_.OpenAddress(content_.webAddress);
            return;
        case kLblMail:
            if (code == STN_CLICKED) host_.OpenAddress(content_.mailUrl);
            return;
        case kLblIsPart:
            if (code == STN_CLICKED) host_.OpenAddress(content_.familyUrl);
            return;
        default:
            return;
    }
}

LRESULT AboutWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_CLOSE:
            DestroyWindow(Handle());
            return 0;
        case WM_PAINT:
            Paint();
            return 0;
        case WM_CTLCOLORSTATIC: {
            const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
            if (!IsLink(id)) break;
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, id == hotLink_ ? kLinkHotColor : kLinkColor);
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        case WM_SETCURSOR: {
            const int id = GetDlgCtrlID(reinterpret_cast<HWND>(wParam));
            // A link turns dark red while the mouse is over it, blue again when it leaves.
            const int hot = IsLink(id) ? id : 0;
            if (hot != hotLink_) {
                const int was = hotLink_;
                hotLink_ = hot;
                if (was) InvalidateRect(GetDlgItem(Handle(), was), nullptr, TRUE);
                if (hot) InvalidateRect(GetDlgItem(Handle(), hot), nullptr, TRUE);
            }
            if (hot) {
                SetCursor(LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
            break;
        }
        case WM_DPICHANGED: {
            dpi_ = HIWORD(wParam);
            MoveToSuggestedRect(Handle(), lParam);
            for (const ControlLayout& placed : kControls) {
                MoveWindow(GetDlgItem(Handle(), placed.id), Scale(placed.x), Scale(placed.y), Scale(placed.width),
                           Scale(placed.height), TRUE);
            }
            ApplyLanguage();
            InvalidateRect(Handle(), nullptr, TRUE);
            return 0;
        }
    }
    return KvForm::HandleMessage(message, wParam, lParam);
}

}  // namespace kv::win32app
