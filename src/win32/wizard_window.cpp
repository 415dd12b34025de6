#include "win32/wizard_window.h"

#include <commctrl.h>

#include <array>

#include "common/message_boxes.h"
#include "dialogs/wizard_start_with_windows.h"
#include "dialogs/wizard_texts.h"
#include "platform/error.h"
#include "platform/platform.h"
#include "platform/win32/win32_message_loop.h"
#include "platform/win32/win32_text.h"
#include "common/product.h"
#include "resources/kv_lang.h"
#include "resources/language_list.h"
#include "settings/app_ini.h"
#include "settings/preset.h"
#include "win32/buffered_paint.h"
#include "win32/common_controls.h"
#include "win32/dialog_frame.h"
#include "win32/dialog_parts.h"
#include "win32/res/resource_ids.h"

namespace kv::win32app {

using win32::W;

namespace {

constexpr int kClientWidth = 632;
constexpr int kClientHeight = 426;
// Wider than the settings window's tree: the Russian name of step 2 fits without a scroll bar.
constexpr int kLeftWidth = 186;
constexpr int kHeaderHeight = 25;
constexpr int kBottomHeight = 42;
constexpr int kBannerHeight = 56;
constexpr std::int32_t kHelpContext = 20;

enum ControlId : int {
    kTree = 100,
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

// The step a control belongs to; -1 for the controls every step shares.
int StepOf(int id) { return id >= 200 && id < 500 ? id / 100 - 2 : -1; }

struct ControlLayout {
    int id;
    const wchar_t* className;
    DWORD style;
    int x, y, width, height;
};

constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kNote = ES_MULTILINE | ES_READONLY | ES_NOHIDESEL;
constexpr int kX = kLeftWidth + 12;
constexpr int kY = kHeaderHeight + 10;
constexpr int kW = kClientWidth - kX - 12;
constexpr int kButtonY = kClientHeight - kBottomHeight + 9;
constexpr int kStartY = kY + kBannerHeight + 8;

const ControlLayout kControls[] = {
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

bool Checked(HWND box) { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }
void SetChecked(HWND box, bool on) { SendMessageW(box, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }

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

// The controls' library and fonts, the step pictures and the banner.
class WizardWindow::Controls : public DialogControls {
public:
    explicit Controls(CommonControls& common)
        : DialogControls(ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES), common_(common) {}
    ~Controls() { common_.Destroy(steps); }
    Controls(const Controls&) = delete;
    Controls& operator=(const Controls&) = delete;
    CommonControls& common_;
    HIMAGELIST steps = nullptr;
    win32::UniqueBitmap banner;
};

WizardWindow::WizardWindow(win32::Win32MessageLoop& loop, CommonControls& commonControls, IWizardHost& host)
    : KvForm(loop, u"TWizardForm"),
      loop_(loop),
      commonControls_(commonControls),
      host_(host),
      controls_(std::make_unique<Controls>(commonControls)) {
    Create(nullptr, u"");
    const WindowDpi dpi = DpiOfWindow(Handle());
    dpi_ = dpi.window;
    systemDpi_ = dpi.system;
    // Its own taskbar button: an application window without owner.
    SetFrame(Handle(), WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, WS_EX_APPWINDOW | WS_EX_CONTROLPARENT,
             Scale(kClientWidth), Scale(kClientHeight));
    CreateControls();
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
    // The controls go before the library that draws them.
    if (Handle()) DestroyWindow(Handle());
}

int WizardWindow::Scale(int logical) const { return MulDiv(logical, dpi_, 96); }

std::u16string WizardWindow::Text(std::int32_t number, std::u16string_view fallback) const {
    return host_.Lang().GetText(number, fallback);
}

void WizardWindow::CreateControls() {
    HWND self = Handle();
    HFONT font = FormFontOrDefault(Font());
    for (const ControlLayout& placed : kControls) {
        HWND child = CreateChild(self, placed.className, placed.style, Scale(placed.x), Scale(placed.y),
                                 Scale(placed.width), Scale(placed.height), placed.id, font);
        if (!child) throw KvError(u"Cannot create a control of the wizard: " + win32::SystemErrorText(GetLastError()));
    }
    // The shield marks the box that needs administrator rights.
    HANDLE shield = LoadImageW(nullptr, MAKEINTRESOURCEW(32518), IMAGE_ICON, Scale(16), Scale(16), LR_SHARED);
    SendMessageW(GetDlgItem(self, kShield), STM_SETICON, reinterpret_cast<WPARAM>(shield), 0);
    const bool large = dpi_ >= 144;
    controls_->steps = commonControls_.LoadImageStrip(GetModuleHandleW(nullptr), large ? IDB_PROCESS_LARGE : IDB_PROCESS,
                                                      large ? 32 : 16, KV_ART_MASK_COLOUR, LR_CREATEDIBSECTION);
    HWND tree = GetDlgItem(self, kTree);
    if (controls_->steps) SendMessageW(tree, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(controls_->steps));
    SendMessageW(tree, TVM_SETITEMHEIGHT, static_cast<WPARAM>(Scale(large ? 36 : 22)), 0);
    controls_->banner.Reset(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_WIZARD_BANNER), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    for (int step = 0; step < WizardSteps::kCount; ++step) {
        TVINSERTSTRUCTW item{};
        item.hParent = TVI_ROOT;
        item.hInsertAfter = TVI_LAST;
        item.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        item.item.pszText = const_cast<wchar_t*>(L"");
        item.item.lParam = step;
        nodes_.push_back(reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item))));
    }
    SendMessageW(GetDlgItem(self, kMemoSwitcher), EM_SETLIMITTEXT, 4096, 0);
    ShowStep();
}

void WizardWindow::LayoutControls() {
    for (const ControlLayout& placed : kControls) {
        MoveWindow(GetDlgItem(Handle(), placed.id), Scale(placed.x), Scale(placed.y), Scale(placed.width),
                   Scale(placed.height), TRUE);
    }
    InvalidateRect(Handle(), nullptr, TRUE);
}

void WizardWindow::ApplyLanguage() {
    KvForm::ApplyLanguage();
    if (!Handle() || !controls_ || nodes_.empty()) return;
    HWND self = Handle();
    controls_->MakeFonts(Font(), dpi_, systemDpi_);
    SetFontOfChildren(self, controls_->Body());
    const std::u16string product(kProductName);
    auto set = [&](int id, std::int32_t number, std::u16string_view fallback) {
        SetText(GetDlgItem(self, id), TKvLang::FormatText(Text(number, fallback), {product}));
    };
    SetText(self, Text(380, u"Setup Wizard"));
    set(kBtnSettings, 316, u"Settings");
    set(kBtnPrior, 381, u"< Back");
    set(kBtnClose, 105, u"Close");
    set(kBtnHelp, 104, u"Help");
    set(kLblLanguage, 335, u"Interface language:");
    set(kChkStartWithWindows, 336, u"Start %1 with Windows");
    set(kBtnCheckNewVersion, 321, u"Check for Updates");
    HWND tree = GetDlgItem(self, kTree);
    for (std::size_t step = 0; step < nodes_.size(); ++step) {
        std::u16string text = Text(WizardSteps::kStepTexts[step], u"");
        TVITEMW item{};
        item.mask = TVIF_TEXT;
        item.hItem = nodes_[step];
        item.pszText = const_cast<wchar_t*>(W(text));
        SendMessageW(tree, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    FillPageTexts();
    // The language list's items carry no texts of the table; only the selection is kept.
    ShowStep();
}

void WizardWindow::FillPageTexts() {
    const WizardPageTexts texts = BuildWizardPageTexts(host_.Lang(), host_.ConvertHotkeyText());
    HWND self = Handle();
    SetText(GetDlgItem(self, kMemoInfoStart), texts.start);
    if (texts.switcher) SetText(GetDlgItem(self, kMemoInfoSwitcher), *texts.switcher);
    SetText(GetDlgItem(self, kMemoInfoFinish), texts.finish);
}

void WizardWindow::FillLanguageCombo() {
    win32app::FillLanguageCombo(GetDlgItem(Handle(), kCbLanguage), host_.Languages(), host_.Preset().Language());
}

void WizardWindow::ShowAndActivate() {
    HWND self = Handle();
    if (!shown_) {
        shown_ = true;
        filling_ = true;
        FillLanguageCombo();
        const bool isStart = host_.Preset().IsStartWithWindows();
        const bool initial = InitialStartWithWindowsCheck(host_.Os().version.Version(), isStart);
        SetChecked(GetDlgItem(self, kChkStartWithWindows), initial);
        filling_ = false;
        ShowWindow(self, SW_SHOW);
        // Before Vista the box starts ticked, and ticking it runs what a click runs.
        if (initial != isStart) OnStartWithWindowsClicked();
        try {
            host_.Preset().Save();  // the first-run defaults reach the registry
        } catch (const KvError& error) {
            host_.MessageBoxes().ShowError(error.Message());
        }
        host_.ActionsMenuDirty();
        SetFocus(GetDlgItem(self, kTree));
        SelectStep(0);
    }
    if (IsIconic(self)) ShowWindow(self, SW_RESTORE);
    SetWindowPos(self, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(self);
}

bool WizardWindow::Visible() const { return Handle() && IsWindowVisible(Handle()); }

void WizardWindow::SelectStep(int step) {
    if (step < 0 || step >= static_cast<int>(nodes_.size())) return;
    // The tree's notification does the rest, also for clicks in the tree.
    TreeView_SelectItem(GetDlgItem(Handle(), kTree), nodes_[static_cast<std::size_t>(step)]);
}

void WizardWindow::UpdateStepImages() {
    HWND tree = GetDlgItem(Handle(), kTree);
    for (std::size_t step = 0; step < nodes_.size(); ++step) {
        TVITEMW item{};
        item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        item.hItem = nodes_[step];
        item.iImage = item.iSelectedImage = static_cast<int>(steps_.Image(static_cast<int>(step)));
        SendMessageW(tree, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
}

void WizardWindow::ShowStep() {
    HWND self = Handle();
    const int current = steps_.Current() < 0 ? 0 : steps_.Current();
    for (const ControlLayout& placed : kControls) {
        if (StepOf(placed.id) < 0) continue;
        ShowWindow(GetDlgItem(self, placed.id), StepOf(placed.id) == current ? SW_SHOW : SW_HIDE);
    }
    ShowWindow(GetDlgItem(self, kBtnPrior), steps_.PriorVisible() ? SW_SHOW : SW_HIDE);
    SetText(GetDlgItem(self, kBtnNext), Text(steps_.NextButtonText(), steps_.OnLastStep() ? u"Finish" : u"Next >"));
    UpdateStepImages();
    RECT header{Scale(kLeftWidth), 0, Scale(kClientWidth), Scale(kY + kBannerHeight)};
    InvalidateRect(self, &header, TRUE);
}

bool WizardWindow::Confirm() {
    const bool yes = host_.MessageBoxes().AskConfirm(Text(311, u"Do you want to leave the setup wizard?"));
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
                SelectStep(steps_.Current() + 1);
            }
            return;
        case kBtnPrior:
            if (clicked && steps_.PriorVisible()) SelectStep(steps_.Current() - 1);
            return;
        case kBtnClose:
            if (clicked) RequestClose();
            return;
        case kBtnHelp:
            if (clicked) host_.ShowHelp(kHelpContext);
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
    HWND combo = GetDlgItem(Handle(), kCbLanguage);
    const int index = static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
    const auto& languages = host_.Languages();
    if (index < 0 || index >= static_cast<int>(languages.size())) return;
    // Re-translates every open window, this one too.
    host_.Preset().SetLanguage(languages[static_cast<std::size_t>(index)].Id);
    SendMessageW(combo, CB_SETCURSEL, index, 0);
}

void WizardWindow::OnStartWithWindowsClicked() {
    HWND box = GetDlgItem(Handle(), kChkStartWithWindows);
    const bool wanted = Checked(box);
    bool now = wanted;
    {
        WaitCursor busy;
        try {
            now = ChangeStartWithWindowsFromWizard(host_.Os(), host_.Folders().appFolder, host_.ProgramPath(), wanted);
        } catch (const KvError&) {
            // A refused elevation is no error to report: the box shows the real state again.
            now = host_.Preset().IsStartWithWindows();
        }
    }
    if (!Handle()) return;
    SetChecked(box, now);
}

void WizardWindow::PaintFrame(HDC dc) {
    const int left = Scale(kLeftWidth);
    const int right = Scale(kClientWidth);
    PaintGradientHeader(dc, RECT{left, 0, right, Scale(kHeaderHeight)}, Text(steps_.HeaderText(), u""),
                        controls_->Header(), Scale(8));
    if (steps_.Current() <= 0) {
        const int x = Scale(kX), y = Scale(kY);
        PaintLogo(dc, controls_->banner.Get(), RECT{x, y, x + Scale(kW), y + Scale(kBannerHeight)});
    }
}

LRESULT WizardWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_NOTIFY: {
            const auto& header = *reinterpret_cast<NMHDR*>(lParam);
            if (header.idFrom == kTree && header.code == TVN_SELCHANGEDW) {
                const auto& change = reinterpret_cast<const NMTREEVIEWW&>(header);
                steps_.Select(static_cast<int>(change.itemNew.lParam));
                ShowStep();
                // The focus goes to the step's first control that takes it.
                for (const ControlLayout& placed : kControls) {
                    HWND control = GetDlgItem(Handle(), placed.id);
                    if (StepOf(placed.id) == steps_.Current() && (placed.style & WS_TABSTOP) && IsWindowEnabled(control)) {
                        SetFocus(control);
                        break;
                    }
                }
            }
            return 0;
        }
        case WM_CLOSE:
            RequestClose();
            return 0;
        case WM_PAINT: {
            const BufferedPaint paint(Handle());
            PaintFrame(paint.Dc());
            return 0;
        }
        case WM_DPICHANGED: {
            dpi_ = HIWORD(wParam);
            MoveToSuggestedRect(Handle(), lParam);
            LayoutControls();
            ApplyLanguage();  // fonts for the new DPI
            return 0;
        }
    }
    return KvForm::HandleMessage(message, wParam, lParam);
}

}  // namespace kv::win32app
