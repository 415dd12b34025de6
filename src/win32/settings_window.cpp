#include "win32/settings_window.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <array>

#include "common/message_boxes.h"
#include "common/product.h"
#include "platform/error.h"
#include "platform/platform.h"
#include "platform/win32/system_library.h"
#include "platform/win32/win32_text.h"
#include "platform/win_constants.h"
#include "resources/kv_lang.h"
#include "resources/language_list.h"
#include "settings/app_ini.h"
#include "settings/preset.h"
#include "settings/sound_choices.h"
#include "settings/startup_options.h"
#include "win32/dialog_frame.h"
#include "win32/dialog_parts.h"

namespace kv::win32app {

using win32::W;

namespace {

constexpr int kClientWidth = 632;
constexpr int kClientHeight = 430;
constexpr int kLeftWidth = 161;
constexpr int kHeaderHeight = 25;
constexpr int kInfoHeight = 49;
constexpr int kBottomHeight = 42;
constexpr int kPageCount = 5;

enum ControlId : int {
    kTree = 100,
    kInfoIcon,
    kInfoLabel,
    // Main page.
    kLblLanguage = 200,
    kCbLanguage,
    kLblLocalization,
    kShield,
    kChkStartWithWindows,
    kChkHighPriority,
    kChkHideTrayIcon,
    // Hotkey page.
    kLvShortcuts = 300,
    kBtnSetShortcut,
    // Language indication page.
    kChkShowLangIcon = 400,
    kChkShowCaretFlag,
    kChkShowCaretFlagOnChange,
    kChkFastCaretFlag,
    kLblAlpha,
    kTbAlpha,
    kLblOpaque,
    kLblEnabled,
    kClbEnabled,
    // Sounds page.
    kChkSoundEnabled = 500,
    kLblEvents,
    kTvSounds,
    kLblSound,
    kCbSound,
    kBtnPlaySound,
    kBtnSoundFile,
    // Other page.
    kBtnWizard = 600,
    // Bottom.
    kBtnSetDefault = 700,
    kBtnApply,
    kBtnHelp,
    kBtnOk = IDOK,
    kBtnClose = IDCANCEL,
};

// The page a control belongs to; -1 for the controls every page shares.
int PageOf(int id) { return id >= 200 && id < 700 ? id / 100 - 2 : -1; }

struct ControlLayout {
    int id;
    const wchar_t* className;
    DWORD style;
    int x, y, width, height;
};

constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr int kX = kLeftWidth + 12;
constexpr int kY = kHeaderHeight + kInfoHeight + 10;
constexpr int kW = kClientWidth - kX - 12;
constexpr int kButtonY = kClientHeight - kBottomHeight + 9;

const ControlLayout kControls[] = {
    {kTree, WC_TREEVIEWW, TVS_SHOWSELALWAYS | TVS_FULLROWSELECT | TVS_TRACKSELECT | WS_TABSTOP | WS_BORDER, 0, 0,
     kLeftWidth, kClientHeight - kBottomHeight},
    {kInfoIcon, L"STATIC", SS_ICON | SS_NOTIFY, kLeftWidth + 8, kHeaderHeight + 8, 32, 32},
    // Three lines of the longest (German) page texts fit.
    {kInfoLabel, L"STATIC", SS_LEFT | SS_NOPREFIX, kLeftWidth + 45, kHeaderHeight + 4, kClientWidth - kLeftWidth - 55,
     kInfoHeight - 7},
    {kLblLanguage, L"STATIC", SS_LEFT, kX, kY, kW, 16},
    {kCbLanguage, L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kX, kY + 18, 250, 300},
    {kLblLocalization, L"STATIC", SS_LEFT | SS_NOTIFY, kX, kY + 50, kW, 16},
    {kShield, L"STATIC", SS_ICON, kX, kY + 82, 16, 16},
    {kChkStartWithWindows, L"BUTTON", kCheck, kX + 20, kY + 80, kW - 20, 20},
    {kChkHighPriority, L"BUTTON", kCheck, kX, kY + 106, kW, 20},
    {kChkHideTrayIcon, L"BUTTON", kCheck, kX, kY + 132, kW, 20},
    {kLvShortcuts, WC_LISTVIEWW, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP | WS_BORDER, kX, kY, kW,
     262},
    {kBtnSetShortcut, L"BUTTON", kButton, kX + kW - 170, kY + 268, 170, 25},
    {kChkShowLangIcon, L"BUTTON", kCheck, kX, kY, kW, 20},
    {kChkShowCaretFlag, L"BUTTON", kCheck, kX, kY + 24, kW, 20},
    {kChkShowCaretFlagOnChange, L"BUTTON", kCheck, kX + 20, kY + 48, kW - 20, 20},
    {kChkFastCaretFlag, L"BUTTON", kCheck, kX + 20, kY + 72, kW - 20, 20},
    {kLblAlpha, L"STATIC", SS_LEFT, kX, kY + 104, 130, 16},
    {kTbAlpha, TRACKBAR_CLASSW, TBS_HORZ | TBS_NOTICKS | WS_TABSTOP, kX + 130, kY + 100, 200, 26},
    {kLblOpaque, L"STATIC", SS_LEFT, kX + 334, kY + 104, kW - 334, 16},
    {kLblEnabled, L"STATIC", SS_LEFT, kX, kY + 134, kW, 16},
    {kClbEnabled, WC_LISTVIEWW, LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP |
                                    WS_BORDER,
     kX, kY + 152, kW, 140},
    {kChkSoundEnabled, L"BUTTON", kCheck, kX, kY, kW, 20},
    {kLblEvents, L"STATIC", SS_LEFT, kX, kY + 28, 220, 16},
    {kTvSounds, WC_TREEVIEWW, TVS_SHOWSELALWAYS | TVS_FULLROWSELECT | WS_TABSTOP | WS_BORDER, kX, kY + 46, 220, 200},
    {kLblSound, L"STATIC", SS_LEFT, kX + 232, kY + 28, kW - 232, 16},
    {kCbSound, L"COMBOBOX", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, kX + 232, kY + 46, kW - 232, 300},
    {kBtnPlaySound, L"BUTTON", kButton, kX + 232, kY + 78, 100, 25},
    {kBtnSoundFile, L"BUTTON", kButton, kX + 232 + 110, kY + 78, kW - 232 - 110, 25},
    {kBtnWizard, L"BUTTON", kButton, kX, kY, 180, 25},
    {kBtnSetDefault, L"BUTTON", kButton, 8, kButtonY, 110, 25},
    {kBtnOk, L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, kClientWidth - 4 * 86 - 2, kButtonY, 80, 25},
    {kBtnClose, L"BUTTON", kButton, kClientWidth - 3 * 86 - 2, kButtonY, 80, 25},
    {kBtnApply, L"BUTTON", kButton, kClientWidth - 2 * 86 - 2, kButtonY, 80, 25},
    {kBtnHelp, L"BUTTON", kButton, kClientWidth - 86 - 2, kButtonY, 80, 25},
};

struct PageInfo {
    std::int32_t nodeText;
    std::int32_t infoText;
    std::int32_t helpContext;
};
constexpr std::array<PageInfo, kPageCount> kPages{{
    {325, 83, 80},
    {548, 549, 460},
    {332, 92, 510},
    {564, 565, 70},
    {334, 94, 530},
}};

constexpr COLORREF kLinkColor = RGB(0, 0, 255);
constexpr COLORREF kLinkHotColor = RGB(128, 0, 0);

bool Checked(HWND box) { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }
void SetChecked(HWND box, bool on) { SendMessageW(box, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }

std::u16string WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return std::u16string(text.begin(), text.end());
}

}  // namespace

// The controls' library and fonts: the dialog parts the program's header dialogs share.
class SettingsWindow::Controls : public DialogControls {
public:
    Controls() : DialogControls(ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES) {}
};

SettingsWindow::SettingsWindow(win32::Win32MessageLoop& loop, ISettingsHost& host)
    : KvForm(loop, u"TMainForm"),
      host_(host),
      edits_({host.Preset(), [this] { ApplyStartupOptions(); }, [&host] { host.ActionsMenuDirty(); }}),
      controls_(std::make_unique<Controls>()) {
    Create(nullptr, u"");
    // Its own task-bar button: an application window without owner.
    const WindowDpi dpi = DpiOfWindow(Handle());
    dpi_ = dpi.window;
    systemDpi_ = dpi.system;
    SetFrame(Handle(), WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, WS_EX_APPWINDOW | WS_EX_CONTROLPARENT,
             Scale(kClientWidth), Scale(kClientHeight));
    CreateControls();
    ApplyLanguage();
    CenterOnWorkArea(Handle());
}

SettingsWindow::~SettingsWindow() {
    // The controls go before the library that draws them.
    if (Handle()) DestroyWindow(Handle());
}

int SettingsWindow::Scale(int logical) const { return MulDiv(logical, dpi_, 96); }

std::u16string SettingsWindow::Text(std::int32_t number, std::u16string_view fallback) const {
    return host_.Lang().GetText(number, fallback);
}

void SettingsWindow::CreateControls() {
    HWND self = Handle();
    HFONT font = FormFontOrDefault(Font());
    for (const ControlLayout& placed : kControls) {
        if (!placed.className) continue;
        HWND child = CreateChild(self, placed.className, placed.style, Scale(placed.x), Scale(placed.y), Scale(placed.width),
                                 Scale(placed.height), placed.id, font);
        if (!child) throw KvError(u"Cannot create a control of the settings window: " + win32::SystemErrorText(GetLastError()));
    }
    SendMessageW(GetDlgItem(self, kInfoIcon), STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, IDI_INFORMATION)), 0);
    // The shield marks the box that needs administrator rights.
    HANDLE shield = LoadImageW(nullptr, MAKEINTRESOURCEW(32518), IMAGE_ICON, Scale(16), Scale(16), LR_SHARED);
    SendMessageW(GetDlgItem(self, kShield), STM_SETICON, reinterpret_cast<WPARAM>(shield), 0);

    HWND shortcuts = GetDlgItem(self, kLvShortcuts);
    SendMessageW(shortcuts, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = Scale(292);
    SendMessageW(shortcuts, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    column.cx = Scale(130);
    SendMessageW(shortcuts, LVM_INSERTCOLUMNW, 1, reinterpret_cast<LPARAM>(&column));

    HWND enabled = GetDlgItem(self, kClbEnabled);
    SendMessageW(enabled, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    column.cx = Scale(kW - 24);
    SendMessageW(enabled, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));

    SendMessageW(GetDlgItem(self, kTbAlpha), TBM_SETRANGE, TRUE, MAKELPARAM(0, 255));

    for (int page = 0; page < kPageCount; ++page) {
        TVINSERTSTRUCTW item{};
        item.hParent = TVI_ROOT;
        item.hInsertAfter = TVI_LAST;
        item.item.mask = TVIF_TEXT | TVIF_PARAM;
        item.item.pszText = const_cast<wchar_t*>(L"");
        item.item.lParam = page;
        SendMessageW(GetDlgItem(self, kTree), TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    ShowPage(0);
}

void SettingsWindow::LayoutControls() {
    for (const ControlLayout& placed : kControls) {
        if (!placed.className) continue;
        MoveWindow(GetDlgItem(Handle(), placed.id), Scale(placed.x), Scale(placed.y), Scale(placed.width), Scale(placed.height),
                   TRUE);
    }
    InvalidateRect(Handle(), nullptr, TRUE);
}

void SettingsWindow::ApplyLanguage() {
    KvForm::ApplyLanguage();
    if (!Handle() || !controls_ || !GetDlgItem(Handle(), kTree)) return;
    HWND self = Handle();
    // The form's font is made for the system's DPI; the monitor of the window may have another.
    controls_->MakeFonts(Font(), dpi_, systemDpi_);
    SetFontOfChildren(self, controls_->Body());
    SendMessageW(GetDlgItem(self, kLblLocalization), WM_SETFONT, reinterpret_cast<WPARAM>(controls_->Link()), TRUE);

    const std::vector<std::u16string> product{std::u16string(kProductName)};
    auto set = [&](int id, std::int32_t number, std::u16string_view fallback) {
        SetText(GetDlgItem(self, id), TKvLang::FormatText(Text(number, fallback), product));
    };
    SetText(self, Text(316, u"Settings"));
    set(kBtnSetDefault, 339, u"Defaults");
    set(kBtnOk, 101, u"OK");
    set(kBtnClose, 105, u"Close");
    set(kBtnApply, 340, u"Apply");
    set(kBtnHelp, 104, u"Help");
    HWND tree = GetDlgItem(self, kTree);
    int page = 0;
    for (HTREEITEM node = TreeView_GetRoot(tree); node; node = TreeView_GetNextSibling(tree, node), ++page) {
        std::u16string text = Text(kPages[page].nodeText, u"");
        TVITEMW item{};
        item.mask = TVIF_TEXT;
        item.hItem = node;
        item.pszText = const_cast<wchar_t*>(W(text));
        SendMessageW(tree, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    set(kLblLanguage, 335, u"Interface language:");
    set(kLblLocalization, 554, u"Help translate into your language");
    set(kChkStartWithWindows, 336, u"Start with Windows");
    set(kChkHighPriority, 337, u"High priority");
    set(kChkHideTrayIcon, 636, u"Hide the tray icon");

    std::u16string action = Text(430, u"Action:");
    if (const auto colon = action.find(u':'); colon != std::u16string::npos) action.erase(colon, 1);
    const std::u16string hotkey = Text(395, u"Hotkey");
    HWND shortcuts = GetDlgItem(self, kLvShortcuts);
    for (int i = 0; i < 2; ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT;
        column.pszText = const_cast<wchar_t*>(W(i == 0 ? action : hotkey));
        SendMessageW(shortcuts, LVM_SETCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
    set(kBtnSetShortcut, 80, u"Change Hotkey...");

    set(kChkShowLangIcon, 368, u"Show the language flag in the tray icon");
    set(kChkShowCaretFlag, 369, u"Show a language flag at the text cursor");
    set(kChkShowCaretFlagOnChange, 370, u"Only when the input language changes");
    set(kChkFastCaretFlag, 526, u"Fast cursor tracking");
    set(kLblAlpha, 371, u"Flag opacity:");
    set(kLblOpaque, 586, u"Opaque");
    set(kLblEnabled, 650, u"Use these layouts when switching to the next layout:");

    set(kChkSoundEnabled, 567, u"Play Sounds");
    set(kLblSound, 566, u"Sound:");
    set(kLblEvents, 576, u"Events:");
    set(kBtnSoundFile, 577, u"Browse...");
    SetText(GetDlgItem(self, kBtnPlaySound), u"\u25B6");
    set(kBtnWizard, 380, u"Setup Wizard");

    // The lists whose items carry texts, with their selections kept.
    const bool wasUpdating = edits_.Updating();
    edits_.SetUpdating(true);
    const int shortcutRow = static_cast<int>(SendMessageW(shortcuts, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    const int soundEvent = SelectedSoundEvent();
    FillSoundList();
    FillSoundEvents();
    HWND sounds = GetDlgItem(self, kTvSounds);
    for (HTREEITEM node = TreeView_GetRoot(sounds); node; node = TreeView_GetNextSibling(sounds, node)) {
        TVITEMW item{};
        item.mask = TVIF_PARAM;
        item.hItem = node;
        SendMessageW(sounds, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        if (soundEvent < 0 || item.lParam == soundEvent) {
            TreeView_SelectItem(sounds, node);
            break;
        }
    }
    ShowSelectedSound();
    FillShortcutList();
    if (shortcutRow > 0) {
        LVITEMW state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(shortcuts, LVM_SETITEMSTATE, shortcutRow, reinterpret_cast<LPARAM>(&state));
    }
    edits_.SetUpdating(wasUpdating);
    UpdatePageInfo();
}

void SettingsWindow::ShowAndActivate() {
    if (!shown_) {
        shown_ = true;
        edits_.Open();
        FillControls();
        ShowWindow(Handle(), SW_SHOW);
        SetFocus(GetDlgItem(Handle(), kTree));
    }
    if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
    SetForegroundWindow(Handle());
}

bool SettingsWindow::Visible() const { return Handle() && IsWindowVisible(Handle()); }

void SettingsWindow::FillControls() {
    FillFromModel();
    // Filling is no edit: nothing unsaved afterwards.
    EnableWindow(GetDlgItem(Handle(), kBtnApply), edits_.ApplyEnabled());
}

void SettingsWindow::FillFromModel() {
    SettingsEdits::Filling filling(edits_);
    HWND self = Handle();
    TPreset& preset = host_.Preset();
    layouts_ = ListInstalledLayouts(host_.Os().layouts, host_.Os().locales);
    FillEnabledLayouts();
    FillLanguageCombo();
    SetChecked(GetDlgItem(self, kChkShowLangIcon), preset.ShowLangIcon());
    SetChecked(GetDlgItem(self, kChkShowCaretFlag), preset.ShowCaretFlag());
    SetChecked(GetDlgItem(self, kChkShowCaretFlagOnChange), preset.ShowCaretFlagOnChange());
    SetChecked(GetDlgItem(self, kChkFastCaretFlag), preset.FastCaretFlag());
    SendMessageW(GetDlgItem(self, kTbAlpha), TBM_SETPOS, TRUE, std::clamp(preset.CaretFlagAlphaBlend(), 0, 255));
    SetChecked(GetDlgItem(self, kChkHighPriority), preset.HighPriority());
    SetChecked(GetDlgItem(self, kChkHideTrayIcon), preset.HideTrayIcon());
    SetChecked(GetDlgItem(self, kChkSoundEnabled), preset.SoundEnabled());
    SetChecked(GetDlgItem(self, kChkStartWithWindows), preset.IsStartWithWindows());
    ApplyCaretFlagRule();
    FillSoundEvents();
    ShowSelectedSound();
    FillShortcutList();
}

void SettingsWindow::FillLanguageCombo() {
    win32app::FillLanguageCombo(GetDlgItem(Handle(), kCbLanguage), host_.Languages(), host_.Preset().Language());
}

void SettingsWindow::FillEnabledLayouts() {
    HWND list = GetDlgItem(Handle(), kClbEnabled);
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    for (std::size_t i = 0; i < layouts_.size(); ++i) {
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<wchar_t*>(W(layouts_[i].text));
        item.lParam = static_cast<LPARAM>(i);
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        ListView_SetCheckState(list, static_cast<int>(i), !host_.Preset().IsLangDisabled(layouts_[i].handle));
    }
}

void SettingsWindow::FillShortcutList() {
    if (layouts_.empty()) return;
    HWND list = GetDlgItem(Handle(), kLvShortcuts);
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    static constexpr std::int32_t kSubActionTexts[] = {214, 232, 215, 633, 216, 217, 631, 648, 649};
    rows_ = BuildShortcutRows(layouts_, [this](int i) { return Text(kSubActionTexts[i], u""); });
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<wchar_t*>(W(rows_[i].name));
        item.lParam = static_cast<LPARAM>(i);
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
    ShowShortcutTexts();
}

void SettingsWindow::ShowShortcutTexts() {
    HWND list = GetDlgItem(Handle(), kLvShortcuts);
    const auto texts = ShortcutTexts(host_.Preset(), rows_, [this](HotkeyCode code) { return host_.HotkeyText(code); },
                                     Text(6, u"None"));
    for (std::size_t i = 0; i < texts.size(); ++i) {
        LVITEMW item{};
        item.iSubItem = 1;
        item.pszText = const_cast<wchar_t*>(W(texts[i]));
        SendMessageW(list, LVM_SETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
    }
}

void SettingsWindow::FillSoundList() {
    HWND combo = GetDlgItem(Handle(), kCbSound);
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    soundChoices_ = SoundChoices(host_.Os().files, host_.Folders().soundFolder, Text(6, u"None"));
    for (const std::u16string& name : soundChoices_) {
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(name)));
    }
}

void SettingsWindow::FillSoundEvents() {
    HWND tree = GetDlgItem(Handle(), kTvSounds);
    SendMessageW(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    const std::vector<std::u16string> product{std::u16string(kProductName)};
    HTREEITEM first = nullptr;
    for (const SoundEventRow& row : kSoundEventRows) {
        std::u16string text = TKvLang::FormatText(Text(row.text, u""), product);
        TVINSERTSTRUCTW item{};
        item.hParent = TVI_ROOT;
        item.hInsertAfter = TVI_LAST;
        item.item.mask = TVIF_TEXT | TVIF_PARAM;
        item.item.pszText = const_cast<wchar_t*>(W(text));
        item.item.lParam = static_cast<LPARAM>(row.event);
        HTREEITEM node = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        if (!first) first = node;
    }
    TreeView_SelectItem(tree, first);
}

int SettingsWindow::SelectedSoundEvent() const {
    HWND tree = GetDlgItem(Handle(), kTvSounds);
    HTREEITEM node = TreeView_GetSelection(tree);
    if (!node) return -1;
    TVITEMW item{};
    item.mask = TVIF_PARAM;
    item.hItem = node;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return static_cast<int>(item.lParam);
}

void SettingsWindow::ShowSelectedSound() {
    const int event = SelectedSoundEvent();
    HWND combo = GetDlgItem(Handle(), kCbSound);
    if (event < 0) return;
    const std::u16string& name = host_.Preset().SoundName(event);
    const auto found = std::find(soundChoices_.begin() + 1, soundChoices_.end(), name);
    if (name.empty()) {
        SendMessageW(combo, CB_SETCURSEL, 0, 0);
    } else if (found != soundChoices_.end()) {
        SendMessageW(combo, CB_SETCURSEL, found - soundChoices_.begin(), 0);
    } else {
        SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        SetText(combo, name);
    }
    EnableWindow(GetDlgItem(Handle(), kBtnPlaySound), !host_.Preset().SoundPath(event).empty());
}

void SettingsWindow::ApplyCaretFlagRule() {
    HWND self = Handle();
    const bool flag = Checked(GetDlgItem(self, kChkShowCaretFlag));
    const bool onChange = Checked(GetDlgItem(self, kChkShowCaretFlagOnChange));
    EnableWindow(GetDlgItem(self, kChkShowCaretFlagOnChange), flag);
    EnableWindow(GetDlgItem(self, kChkFastCaretFlag), flag && !onChange);
}

void SettingsWindow::ShowPage(int page) {
    page_ = page;
    for (const ControlLayout& placed : kControls) {
        if (!placed.className || PageOf(placed.id) < 0) continue;
        ShowWindow(GetDlgItem(Handle(), placed.id), PageOf(placed.id) == page ? SW_SHOW : SW_HIDE);
    }
    UpdatePageInfo();
}

void SettingsWindow::UpdatePageInfo() {
    const std::vector<std::u16string> product{std::u16string(kProductName)};
    SetText(GetDlgItem(Handle(), kInfoLabel), TKvLang::FormatText(Text(kPages[page_].infoText, u""), product));
    RECT header{Scale(kLeftWidth), 0, Scale(kClientWidth), Scale(kHeaderHeight + kInfoHeight)};
    InvalidateRect(Handle(), &header, TRUE);
}

void SettingsWindow::PaintFrame(HDC dc) {
    const int left = Scale(kLeftWidth);
    const int right = Scale(kClientWidth);
    const int height = Scale(kHeaderHeight);
    PaintGradientHeader(dc, RECT{left, 0, right, height}, Text(kPages[page_].nodeText, u""), controls_->Header(),
                        Scale(8));
    // The info strip: a rounded shape in the tooltip colour.
    win32::UniqueBrush info(CreateSolidBrush(GetSysColor(COLOR_INFOBK)));
    win32::UniquePen edge(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
    HGDIOBJ oldBrush = SelectObject(dc, info.Get());
    HGDIOBJ oldPen = SelectObject(dc, edge.Get());
    RoundRect(dc, left + Scale(2), height + Scale(2), right - Scale(2), height + Scale(kInfoHeight) - Scale(2), Scale(8),
              Scale(8));
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
}

void SettingsWindow::OnCommand(int id, int code, HWND control) {
    HWND self = Handle();
    TPreset& preset = host_.Preset();
    const bool clicked = code == BN_CLICKED;
    auto edited = [this] {
        edits_.Edited();
        EnableWindow(GetDlgItem(Handle(), kBtnApply), edits_.ApplyEnabled());
    };
    switch (id) {
        case kBtnOk:
            if (clicked && SaveSettings()) CloseWindow();
            return;
        case kBtnClose:
            if (clicked) CloseWindow();
            return;
        case kBtnApply:
            if (clicked) SaveSettings();
            return;
        case kBtnHelp:
            if (clicked) host_.ShowHelp(kPages[page_].helpContext);
            return;
        case kBtnSetDefault:
            if (clicked) ResetToDefaults();
            return;
        case kInfoIcon:
            if (code == STN_CLICKED) host_.ShowHelp(kPages[page_].helpContext);
            return;
        case kLblLocalization:
            if (code == STN_CLICKED) host_.OpenLocalizationPage();
            return;
        case kBtnWizard:
            // The wizard takes over: this window closes (asking about unsaved edits first).
            if (clicked) {
                host_.OpenWizard();
                CloseWindow();
            }
            return;
        case kBtnSetShortcut:
            if (clicked) OnSetShortcut();
            return;
        case kBtnPlaySound:
            if (clicked) OnPlaySound();
            return;
        case kBtnSoundFile:
            if (clicked) OnBrowseSound();
            return;
        case kCbLanguage:
            if (code == CBN_SELCHANGE) OnLanguageChosen();
            return;
        case kCbSound:
            if (code == CBN_SELCHANGE) OnSoundChosen();
            return;
        case kChkShowCaretFlag:
        case kChkShowCaretFlagOnChange:
            if (clicked) ApplyCaretFlagRule();
            break;
        default:
            break;
    }
    if (!clicked || edits_.Updating()) return;
    const bool on = Checked(control);
    switch (id) {
        case kChkStartWithWindows:
            edits_.StartupOptionsClicked();
            EnableWindow(GetDlgItem(self, kBtnApply), TRUE);
            return;
        case kChkHighPriority: preset.SetHighPriority(on); break;
        case kChkHideTrayIcon: preset.SetHideTrayIcon(on); break;
        case kChkShowLangIcon: preset.SetShowLangIcon(on); break;
        case kChkShowCaretFlag: preset.SetShowCaretFlag(on); break;
        case kChkShowCaretFlagOnChange: preset.SetShowCaretFlagOnChange(on); break;
        case kChkFastCaretFlag: preset.SetFastCaretFlag(on); break;
        case kChkSoundEnabled: preset.SetSoundEnabled(on); break;
        default: return;
    }
    edited();
}

LRESULT SettingsWindow::OnNotify(NMHDR& header) {
    switch (header.idFrom) {
        case kTree:
            if (header.code == TVN_SELCHANGEDW) {
                const auto& change = reinterpret_cast<NMTREEVIEWW&>(header);
                ShowPage(static_cast<int>(change.itemNew.lParam));
            }
            break;
        case kTvSounds:
            if (header.code == TVN_SELCHANGEDW) {
                const bool wasUpdating = edits_.Updating();
                edits_.SetUpdating(true);
                ShowSelectedSound();
                edits_.SetUpdating(wasUpdating);
            }
            break;
        case kLvShortcuts:
            if (header.code == NM_DBLCLK) OnSetShortcut();
            break;
        case kClbEnabled:
            if (header.code == LVN_ITEMCHANGED) {
                const auto& change = reinterpret_cast<NMLISTVIEW&>(header);
                const bool checkChanged = (change.uChanged & LVIF_STATE) &&
                                          ((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK) != 0 &&
                                          (change.uOldState & LVIS_STATEIMAGEMASK) != 0;
                if (checkChanged) OnEnabledLayoutChecked(change.iItem);
            }
            break;
    }
    return 0;
}

void SettingsWindow::OnLanguageChosen() {
    if (edits_.Updating()) return;
    const int index = static_cast<int>(SendMessageW(GetDlgItem(Handle(), kCbLanguage), CB_GETCURSEL, 0, 0));
    const auto& languages = host_.Languages();
    if (index < 0 || index >= static_cast<int>(languages.size())) return;
    // Re-translates every open window, this one too (its lists are refilled, selections kept).
    host_.Preset().SetLanguage(languages[index].Id);
    edits_.Edited();
    EnableWindow(GetDlgItem(Handle(), kBtnApply), TRUE);
    edits_.SetUpdating(true);
    SendMessageW(GetDlgItem(Handle(), kCbLanguage), CB_SETCURSEL, index, 0);
    edits_.SetUpdating(false);
}

void SettingsWindow::OnEnabledLayoutChecked(int item) {
    if (edits_.Updating() || item < 0 || item >= static_cast<int>(layouts_.size())) return;
    const LayoutHandle layout = layouts_[item].handle;
    if (ListView_GetCheckState(GetDlgItem(Handle(), kClbEnabled), item)) {
        host_.Preset().EnableLang(layout);
    } else {
        host_.Preset().DisableLang(layout);
    }
    edits_.Edited();
    EnableWindow(GetDlgItem(Handle(), kBtnApply), TRUE);
}

void SettingsWindow::OnSetShortcut() {
    HWND list = GetDlgItem(Handle(), kLvShortcuts);
    const int selected = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (selected < 0 || selected >= static_cast<int>(rows_.size())) return;
    const ShortcutRow row = rows_[selected];
    const auto current = PrepareRowHotkey(host_.Preset(), rows_, row);
    if (!current) return;  // every direct-switch slot belongs to another layout
    HotkeyCode code = *current;
    const bool confirmed = host_.CaptureShortcut(code);
    // Where the dialog stood, under Wine without a window manager nothing is redrawn by itself.
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    if (!confirmed) return;
    AssignRowHotkey(host_.Preset(), row, code);
    ShowShortcutTexts();
    edits_.Edited();
    EnableWindow(GetDlgItem(Handle(), kBtnApply), TRUE);
}

void SettingsWindow::OnSoundChosen() {
    const int event = SelectedSoundEvent();
    if (edits_.Updating() || event < 0) return;
    HWND combo = GetDlgItem(Handle(), kCbSound);
    const int index = static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
    std::u16string text;
    if (index >= 0 && index < static_cast<int>(soundChoices_.size())) {
        text = soundChoices_[index];
    } else {
        text = WindowText(combo);
    }
    if (index != 0 && !text.empty()) {
        host_.Preset().SetSound(event, text);
        OnPlaySound();
    } else {
        host_.Preset().SetSound(event, u"");
    }
    EnableWindow(GetDlgItem(Handle(), kBtnPlaySound), !host_.Preset().SoundPath(event).empty());
    edits_.Edited();
    EnableWindow(GetDlgItem(Handle(), kBtnApply), TRUE);
}

void SettingsWindow::OnPlaySound() {
    const int event = SelectedSoundEvent();
    if (event >= 0) host_.Sounds().PlayEventSound(static_cast<SoundEvent>(event), true);
}

void SettingsWindow::OnBrowseSound() {
    const int event = SelectedSoundEvent();
    if (event < 0) return;
    HWND combo = GetDlgItem(Handle(), kCbSound);
    const std::u16string current = WindowText(combo);
    std::u16string folder = host_.Folders().soundFolder;
    if (const auto slash = current.rfind(u'\\'); slash != std::u16string::npos) folder = current.substr(0, slash);
    HWND tree = GetDlgItem(Handle(), kTvSounds);
    wchar_t nodeText[256] = L"";
    TVITEMW item{};
    item.mask = TVIF_TEXT;
    item.hItem = TreeView_GetSelection(tree);
    item.pszText = nodeText;
    item.cchTextMax = 256;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    const std::u16string title =
        TKvLang::FormatText(Text(578, u"Select a Sound"), {std::u16string(reinterpret_cast<const char16_t*>(nodeText))});
    std::u16string filter = Text(579, u"Sound files (*.wav)");
    filter.push_back(u'\0');
    filter += u"*.wav";
    filter.push_back(u'\0');
    wchar_t path[MAX_PATH] = L"";
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = Handle();
    dialog.lpstrFilter = W(filter);
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrInitialDir = W(folder);
    dialog.lpstrTitle = W(title);
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    using OpenFn = BOOL(WINAPI*)(OPENFILENAMEW*);
    win32::UniqueModule dialogs = win32::LoadSystemLibrary(L"comdlg32.dll");
    auto open = dialogs ? win32::ExportOf<OpenFn>(dialogs.Get(), "GetOpenFileNameW") : nullptr;
    if (!open || !open(&dialog)) return;
    const std::u16string stored =
        StoredSoundName(std::u16string(reinterpret_cast<const char16_t*>(path)), host_.Folders().soundFolder, soundChoices_);
    const auto found = std::find(soundChoices_.begin() + 1, soundChoices_.end(), stored);
    if (found != soundChoices_.end()) {
        SendMessageW(combo, CB_SETCURSEL, found - soundChoices_.begin(), 0);
    } else {
        SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        SetText(combo, stored);
    }
    OnSoundChosen();
}

bool SettingsWindow::SaveSettings() {
    const std::optional<std::u16string> error = edits_.Save();
    if (error) {
        host_.MessageBoxes().ShowError(*error);
        return false;
    }
    EnableWindow(GetDlgItem(Handle(), kBtnApply), FALSE);
    return true;
}

void SettingsWindow::ApplyStartupOptions() {
    HWND self = Handle();
    const StartupState wanted{Checked(GetDlgItem(self, kChkStartWithWindows)),
                              ReadStartupState(host_.Os().registry, host_.ProgramPath()).contextMenu};
    const StartupState now =
        kv::ApplyStartupOptions(host_.Os(), host_.Folders().appFolder, host_.ProgramPath(), wanted);
    SetChecked(GetDlgItem(self, kChkStartWithWindows), now.startWithWindows);
    edits_.StartupOptionsApplied();
}

void SettingsWindow::ResetToDefaults() {
    if (!host_.MessageBoxes().AskConfirm(Text(65, u"Reset all settings?"))) return;
    edits_.ResetToDefaults();
    FillControls();
    EnableWindow(GetDlgItem(Handle(), kBtnApply), FALSE);
}

void SettingsWindow::CloseWindow() {
    if (closing_) return;
    auto ask = [this] {
        const int answer = host_.MessageBoxes().AskSaveChanges();
        return answer == win::kIdYes ? SaveChangesAnswer::Yes
                                     : answer == win::kIdNo ? SaveChangesAnswer::No : SaveChangesAnswer::Cancel;
    };
    if (!edits_.MayClose(ask, [this](const std::u16string& text) { host_.MessageBoxes().ShowError(text); })) return;
    closing_ = true;
    if (edits_.Closed(Visible())) FillControls();
    DestroyWindow(Handle());
    host_.SettingsWindowClosed();
}

LRESULT SettingsWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<NMHDR*>(lParam));
        case WM_HSCROLL:
            if (reinterpret_cast<HWND>(lParam) == GetDlgItem(Handle(), kTbAlpha) && !edits_.Updating()) {
                host_.Preset().SetCaretFlagAlphaBlend(
                    static_cast<std::int32_t>(SendMessageW(GetDlgItem(Handle(), kTbAlpha), TBM_GETPOS, 0, 0)));
                edits_.Edited();
                EnableWindow(GetDlgItem(Handle(), kBtnApply), TRUE);
            }
            return 0;
        case WM_CLOSE:
            CloseWindow();
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(Handle(), &paint);
            PaintFrame(dc);
            EndPaint(Handle(), &paint);
            return 0;
        }
        case WM_CTLCOLORSTATIC: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
            if (id == kInfoLabel || id == kInfoIcon) {
                SetBkColor(dc, GetSysColor(COLOR_INFOBK));
                SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
                return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_INFOBK));
            }
            if (id == kLblLocalization) {
                SetTextColor(dc, linkHot_ ? kLinkHotColor : kLinkColor);
                SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
                return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
            }
            break;
        }
        case WM_SETCURSOR: {
            const int id = GetDlgCtrlID(reinterpret_cast<HWND>(wParam));
            // The link turns maroon while the mouse is over it.
            if ((id == kLblLocalization) != linkHot_) {
                linkHot_ = id == kLblLocalization;
                InvalidateRect(GetDlgItem(Handle(), kLblLocalization), nullptr, TRUE);
            }
            if (id == kLblLocalization || id == kInfoIcon) {
                SetCursor(LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
            break;
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
