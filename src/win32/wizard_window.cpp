#include "win32/wizard_window.h"

#include <array>

#include "links/help_contexts.h"
#include "common/message_boxes.h"
#include "dialogs/wizard_start_with_windows.h"
#include "dialogs/wizard_texts.h"
#include "platform/error.h"
#include "platform/platform.h"
#include "platform/win32/win32_message_loop.h"
#include "resources/kv_lang.h"
#include "settings/app_ini.h"
#include "settings/preset.h"
#include "win32/combo_box.h"
#include "win32/common_controls.h"
#include "win32/dialog_frame.h"
#include "win32/dialog_parts.h"
#include "win32/res/resource_ids.h"
#include "win32/tree_view.h"
#include "win32/window_controls.h"

namespace kv::win32app {

namespace {

constexpr int kClientWidth = 632;
constexpr int kClientHeight = 426;
// Wider than the settings window's tree: the Russian name of step 2 fits without a scroll bar.
constexpr int kLeftWidth = 186;
constexpr int kHeaderHeight = 25;
constexpr int kBottomHeight = 42;
constexpr int kBannerHeight = 56;

// Step by step from 200 on (see PageDialog::PageOfControl); the shared controls outside.
enum ControlId : int {
    kTree = PageDialog::kPageTree,
    // Step 1.
    kMemoInfoStart = 200,
    kLblLanguage,
    kCbLanguage,
    kShield,
    kChkStartWithWindows,
    kBtnCheckNewVersion,
    // Step 2.
    kMemoInfoSwitcher = 300,
    kMemoSwitcher,
    // Step 3.
    kMemoInfoFinish = 400,
    // Bottom.
    kBtnSettings = 700,
    kBtnPrior,
    kBtnNext = IDOK,
    kBtnClose = IDCANCEL,
    kBtnHelp = 710,
};

constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kNote = ES_MULTILINE | ES_READONLY | ES_NOHIDESEL;
constexpr int kX = kLeftWidth + 12;
constexpr int kY = kHeaderHeight + 10;
constexpr int kW = kClientWidth - kX - 12;
constexpr int kButtonY = kClientHeight - kBottomHeight + 9;
constexpr int kStartY = kY + kBannerHeight + 8;

constexpr DialogControl kControls[] = {
    {kTree, WC_TREEVIEWW, TVS_SHOWSELALWAYS | TVS_FULLROWSELECT | TVS_NOHSCROLL | WS_TABSTOP | WS_BORDER, 0, 0, kLeftWidth,
     kClientHeight - kBottomHeight},
    // Nine lines: the longest (German) welcome fits.
    {kMemoInfoStart, L"EDIT", kNote, kX, kStartY, kW, 124},
    {kLblLanguage, L"STATIC", SS_LEFT, kX, kStartY + 132, kW, 16},
    {kCbLanguage, L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kX, kStartY + 150, 250, 300},
    {kShield, L"STATIC", SS_ICON, kX, kStartY + 188, 16, 16},
    {kChkStartWithWindows, L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, kX + 20, kStartY + 186, kW - 20, 20},
    {kBtnCheckNewVersion, L"BUTTON", kButton, kX, kStartY + 218, 220, 25},
    {kMemoInfoSwitcher, L"EDIT", kNote, kX, kY, kW, 112},
    {kMemoSwitcher, L"EDIT", ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL | WS_BORDER | WS_TABSTOP, kX,
     kY + 120, kW, 150},
    {kMemoInfoFinish, L"EDIT", kNote, kX, kY, kW, 200},
    {kBtnSettings, L"BUTTON", kButton, 8, kButtonY, 120, 25},
    {kBtnPrior, L"BUTTON", kButton, kClientWidth - 4 * 86 - 2, kButtonY, 80, 25},
    {kBtnNext, L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, kClientWidth - 3 * 86 - 2, kButtonY, 80, 25},
    {kBtnClose, L"BUTTON", kButton, kClientWidth - 2 * 86 - 2, kButtonY, 80, 25},
    {kBtnHelp, L"BUTTON", kButton, kClientWidth - 86 - 2, kButtonY, 80, 25},
};

// The hourglass for as long as the elevated helper is waited for.
class WaitCursor {
public:
    WaitCursor() : old_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(old_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR old_;
};

}  // namespace

WizardWindow::StepImages::StepImages(CommonControls& common, bool large)
    : common_(common),
      images_(common.LoadImageStrip(GetModuleHandleW(nullptr), large ? IDB_PROCESS_LARGE : IDB_PROCESS, large ? 32 : 16,
                                    KV_ART_MASK_COLOUR, LR_CREATEDIBSECTION)) {}

WizardWindow::StepImages::~StepImages() { common_.Destroy(images_); }

WizardWindow::WizardWindow(win32::Win32MessageLoop& loop, CommonControls& commonControls, IDialogContext& context,
                           IWizardHost& host)
    : PageDialog(loop, context,
                 {u"TWizardForm", u"wizard", ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES, kClientWidth, kClientHeight,
                  kControls, WizardSteps::kStepTexts, true}),
      loop_(loop),
      host_(host),
      stepImages_(commonControls, Dpi() >= 144) {
    SetUpControls();
    ApplyLanguage();
    CenterOnWorkArea(Handle());
    loop_.SetMousePressObserver([this] { host_.ResetTypedBuffer(); });
    // Tab, Escape (a close request) and Enter (Next) as in a dialog.
    dialogHandle_ = Handle();
    loop_.AddDialogWindow(dialogHandle_);
}

WizardWindow::~WizardWindow() {
    loop_.SetMousePressObserver({});
    loop_.RemoveDialogWindow(dialogHandle_);
    // The tree goes before its step pictures.
    if (Handle()) DestroyWindow(Handle());
}

void WizardWindow::SetUpControls() {
    ShowShield(kShield);
    const TreeView tree(Control(kTree));
    if (stepImages_.Get()) tree.SetImageList(stepImages_.Get());
    tree.SetItemHeight(Scale(Dpi() >= 144 ? 36 : 22));
    banner_.Reset(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_WIZARD_BANNER), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    SetEditLimit(Control(kMemoSwitcher), 4096);
    ShowStep();
}

void WizardWindow::ApplyTexts() {
    SetText(Handle(), Text(380, u"Setup Wizard"));
    SetControlText(kBtnSettings, 316, u"Settings");
    SetControlText(kBtnPrior, 381, u"< Back");
    SetControlText(kBtnClose, 105, u"Close");
    SetControlText(kBtnHelp, 104, u"Help");
    SetControlText(kLblLanguage, 335, u"Interface language:");
    SetControlText(kChkStartWithWindows, 336, u"Start %1 with Windows");
    SetControlText(kBtnCheckNewVersion, 321, u"Check for Updates");
    FillPageTexts();
    // The language list's items carry no texts of the table; only the selection is kept.
    ShowStep();
}

void WizardWindow::FillPageTexts() {
    const WizardPageTexts texts = BuildWizardPageTexts(Context().Lang(), host_.ConvertHotkeyText());
    SetText(Control(kMemoInfoStart), texts.start);
    if (texts.switcher) SetText(Control(kMemoInfoSwitcher), *texts.switcher);
    SetText(Control(kMemoInfoFinish), texts.finish);
}

void WizardWindow::ShowAndActivate() {
    HWND self = Handle();
    if (!shown_) {
        shown_ = true;
        filling_ = true;
        FillLanguageCombo(kCbLanguage);
        TPreset& preset = Context().Preset();
        const bool isStart = preset.IsStartWithWindows();
        const bool initial = InitialStartWithWindowsCheck(Context().Os().version.Version(), isStart);
        SetChecked(Control(kChkStartWithWindows), initial);
        filling_ = false;
        ShowWindow(self, SW_SHOW);
        // Before Vista the box starts ticked, and ticking it runs what a click runs.
        if (initial != isStart) OnStartWithWindowsClicked();
        try {
            preset.Save();  // the first-run defaults reach the registry
        } catch (const KvError& error) {
            Context().MessageBoxes().ShowError(error.Message());
        }
        Context().ActionsMenuDirty();
        SetFocus(Control(kTree));
        SelectPage(0);
    }
    if (IsIconic(self)) ShowWindow(self, SW_RESTORE);
    SetWindowPos(self, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(self);
}

bool WizardWindow::Visible() const { return Handle() && IsWindowVisible(Handle()); }

void WizardWindow::UpdateStepImages() {
    const TreeView tree(Control(kTree));
    for (std::size_t step = 0; step < PageNodes().size(); ++step) {
        tree.SetImage(PageNodes()[step], static_cast<int>(steps_.Image(static_cast<int>(step))));
    }
}

void WizardWindow::ShowStep() {
    const int current = steps_.Current() < 0 ? 0 : steps_.Current();
    ShowPageControls(current);
    ShowWindow(Control(kBtnPrior), steps_.PriorVisible() ? SW_SHOW : SW_HIDE);
    SetText(Control(kBtnNext), Text(steps_.NextButtonText(), steps_.OnLastStep() ? u"Finish" : u"Next >"));
    UpdateStepImages();
    RECT header{Scale(kLeftWidth), 0, Scale(kClientWidth), Scale(kY + kBannerHeight)};
    InvalidateRect(Handle(), &header, TRUE);
}

void WizardWindow::OnPageChosen(int step) {
    steps_.Select(step);
    ShowStep();
    FocusFirstControlOfPage(steps_.Current());
}

bool WizardWindow::Confirm() {
    const bool yes = Context().MessageBoxes().AskConfirm(Text(311, u"Do you want to leave the setup wizard?"));
    // The question belongs to the hidden application window, which takes the activation back
    // when it closes; after a no the user goes on in the wizard.
    if (!yes && Handle()) SetForegroundWindow(Handle());
    return yes;
}

void WizardWindow::RequestClose() {
    if (closing_) return;
    if (steps_.RequestClose([this] { return Confirm(); }) == WizardSteps::Outcome::Close) CloseNow();
}

void WizardWindow::CloseNow() {
    if (closing_) return;
    closing_ = true;
    DestroyWindow(Handle());
    host_.WizardClosed();
}

void WizardWindow::OnCommand(int id, int code) {
    const bool clicked = code == BN_CLICKED;
    switch (id) {
        case kBtnNext:
            if (!clicked) return;
            if (steps_.OnLastStep()) {
                CloseNow();
            } else {
                SelectPage(steps_.Current() + 1);
            }
            return;
        case kBtnPrior:
            if (clicked && steps_.PriorVisible()) SelectPage(steps_.Current() - 1);
            return;
        case kBtnClose:
            if (clicked) RequestClose();
            return;
        case kBtnHelp:
            if (clicked) Context().ShowHelp(help_context::kWizard);
            return;
        case kBtnSettings:
            if (clicked && WizardSteps::RequestSettings([this] { return Confirm(); }) == WizardSteps::Outcome::Close) {
                host_.OpenSettingsFromWizard();
                CloseNow();
            }
            return;
        case kBtnCheckNewVersion:
            if (clicked) host_.CheckForUpdate();
            return;
        case kCbLanguage:
            if (code == CBN_SELCHANGE) OnLanguageChosen();
            return;
        case kChkStartWithWindows:
            if (clicked && !filling_) OnStartWithWindowsClicked();
            return;
        default:
            return;
    }
}

void WizardWindow::OnLanguageChosen() {
    if (filling_) return;
    if (const std::optional<int> index = ApplyChosenLanguage(kCbLanguage)) ComboBox(Control(kCbLanguage)).Select(*index);
}

void WizardWindow::OnStartWithWindowsClicked() {
    HWND box = Control(kChkStartWithWindows);
    const bool wanted = IsChecked(box);
    bool now = wanted;
    {
        WaitCursor busy;
        try {
            now = ChangeStartWithWindowsFromWizard(Context().Os(), Context().Folders().appFolder, Context().ProgramPath(),
                                                   wanted);
        } catch (const KvError&) {
            // A refused elevation is no error to report: the box shows the real state again.
            now = Context().Preset().IsStartWithWindows();
        }
    }
    if (!Handle()) return;
    SetChecked(box, now);
}

void WizardWindow::PaintFrame(HDC dc) {
    const int left = Scale(kLeftWidth);
    const int right = Scale(kClientWidth);
    PaintGradientHeader(dc, RECT{left, 0, right, Scale(kHeaderHeight)}, Text(steps_.HeaderText(), u""), Fonts().Header(),
                        Scale(8));
    if ((steps_.Current() <= 0) && banner_) {
        const int x = Scale(kX), y = Scale(kY);
        PaintLogo(dc, banner_.Get(), RECT{x, y, x + Scale(kW), y + Scale(kBannerHeight)});
    }
}

LRESULT WizardWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    }
    if (message == WM_CLOSE) {
        RequestClose();
        return 0;
    }
    return PageDialog::HandleMessage(message, wParam, lParam);
}

}  // namespace kv::win32app
