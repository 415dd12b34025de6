#include "win32/settings_window.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <array>

#include "links/help_contexts.h"
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
#include "win32/combo_box.h"
#include "win32/dialog_frame.h"
#include "win32/dialog_parts.h"
#include "win32/list_view.h"
#include "win32/tree_view.h"
#include "win32/window_controls.h"

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

// Page by page from 200 on (see PageDialog::PageOfControl); the shared controls outside.
enum ControlId : int {
    kTree = PageDialog::kPageTree,
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

constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr int kX = kLeftWidth + 12;
constexpr int kY = kHeaderHeight + kInfoHeight + 10;
constexpr int kW = kClientWidth - kX - 12;
constexpr int kButtonY = kClientHeight - kBottomHeight + 9;

constexpr DialogControl kControls[] = {
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
    {325, 83, help_context::kSettingsMain},
    {548, 549, help_context::kSettingsHotkeys},
    {332, 92, help_context::kSettingsLanguage},
    {564, 565, help_context::kSettingsSounds},
    {334, 94, help_context::kSettingsOther},
}};
constexpr auto kPageNodeTexts = [] {
    std::array<std::int32_t, kPageCount> texts{};
    for (std::size_t page = 0; page < kPageCount; ++page) texts[page] = kPages[page].nodeText;
    return texts;
}();

constexpr COLORREF kLinkColor = RGB(0, 0, 255);
constexpr COLORREF kLinkHotColor = RGB(128, 0, 0);

}  // namespace

SettingsWindow::SettingsWindow(win32::Win32MessageLoop& loop, IDialogContext& context, ISettingsHost& host)
    : PageDialog(loop, context,
                 {u"TMainForm", u"settings window", ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES,
                  kClientWidth, kClientHeight, kControls, kPageNodeTexts}),
      host_(host),
      edits_({context.Preset(), [this] { ApplyStartupOptions(); }, [&context] { context.ActionsMenuDirty(); }}) {
    SetUpControls();
    ApplyLanguage();
    CenterOnWorkArea(Handle());
}

void SettingsWindow::SetUpControls() {
    SetStaticIcon(Control(kInfoIcon), LoadIconW(nullptr, IDI_INFORMATION));
    ShowShield(kShield);

    const ListView shortcuts(Control(kLvShortcuts));
    shortcuts.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    shortcuts.InsertColumn(0, Scale(292));
    shortcuts.InsertColumn(1, Scale(130));

    const ListView enabled(Control(kClbEnabled));
    enabled.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    enabled.InsertColumn(0, Scale(kW - 24));

    SetTrackBarRange(Control(kTbAlpha), 0, 255);
    ShowPage(0);
}

void SettingsWindow::ApplyTexts() {
    SetControlFont(Control(kLblLocalization), Fonts().Link(), true);

    SetText(Handle(), Text(316, u"Settings"));
    SetControlText(kBtnSetDefault, 339, u"Defaults");
    SetControlText(kBtnOk, 101, u"OK");
    SetControlText(kBtnClose, 105, u"Close");
    SetControlText(kBtnApply, 340, u"Apply");
    SetControlText(kBtnHelp, 104, u"Help");
    SetControlText(kLblLanguage, 335, u"Interface language:");
    SetControlText(kLblLocalization, 554, u"Help translate into your language");
    SetControlText(kChkStartWithWindows, 336, u"Start with Windows");
    SetControlText(kChkHighPriority, 337, u"High priority");
    SetControlText(kChkHideTrayIcon, 636, u"Hide the tray icon");

    std::u16string action = Text(430, u"Action:");
    if (const auto colon = action.find(u':'); colon != std::u16string::npos) action.erase(colon, 1);
    const ListView shortcuts(Control(kLvShortcuts));
    shortcuts.SetColumnText(0, action);
    shortcuts.SetColumnText(1, Text(395, u"Hotkey"));
    SetControlText(kBtnSetShortcut, 80, u"Change Hotkey...");

    SetControlText(kChkShowLangIcon, 368, u"Show the language flag in the tray icon");
    SetControlText(kChkShowCaretFlag, 369, u"Show a language flag at the text cursor");
    SetControlText(kChkShowCaretFlagOnChange, 370, u"Only when the input language changes");
    SetControlText(kChkFastCaretFlag, 526, u"Fast cursor tracking");
    SetControlText(kLblAlpha, 371, u"Flag opacity:");
    SetControlText(kLblOpaque, 586, u"Opaque");
    SetControlText(kLblEnabled, 650, u"Use these layouts when switching to the next layout:");

    SetControlText(kChkSoundEnabled, 567, u"Play Sounds");
    SetControlText(kLblSound, 566, u"Sound:");
    SetControlText(kLblEvents, 576, u"Events:");
    SetControlText(kBtnSoundFile, 577, u"Browse...");
    SetText(Control(kBtnPlaySound), u"\u25B6");
    SetControlText(kBtnWizard, 380, u"Setup Wizard");

    // The lists whose items carry texts, with their selections kept.
    const bool wasUpdating = edits_.Updating();
    edits_.SetUpdating(true);
    const int shortcutRow = shortcuts.SelectedIndex();
    const int soundEvent = SelectedSoundEvent();
    FillSoundList();
    FillSoundEvents();
    const TreeView sounds(Control(kTvSounds));
    for (HTREEITEM node = sounds.First(); node; node = sounds.Next(node)) {
        if (soundEvent < 0 || sounds.Data(node) == soundEvent) {
            sounds.Select(node);
            break;
        }
    }
    ShowSelectedSound();
    FillShortcutList();
    if (shortcutRow > 0) shortcuts.Select(shortcutRow);
    edits_.SetUpdating(wasUpdating);
    UpdatePageInfo();
}

void SettingsWindow::ShowAndActivate() {
    if (!shown_) {
        shown_ = true;
        edits_.Open();
        FillControls();
        ShowWindow(Handle(), SW_SHOW);
        SetFocus(Control(kTree));
    }
    if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
    SetForegroundWindow(Handle());
}

bool SettingsWindow::Visible() const { return Handle() && IsWindowVisible(Handle()); }

void SettingsWindow::FillControls() {
    FillFromModel();
    // Filling is no edit: nothing unsaved afterwards.
    EnableWindow(Control(kBtnApply), edits_.ApplyEnabled());
}

void SettingsWindow::FillFromModel() {
    SettingsEdits::Filling filling(edits_);
    TPreset& preset = Context().Preset();
    layouts_ = ListInstalledLayouts(Context().Os().layouts, Context().Os().locales);
    FillEnabledLayouts();
    FillLanguageCombo(kCbLanguage);
    SetChecked(Control(kChkShowLangIcon), preset.ShowLangIcon());
    SetChecked(Control(kChkShowCaretFlag), preset.ShowCaretFlag());
    SetChecked(Control(kChkShowCaretFlagOnChange), preset.ShowCaretFlagOnChange());
    SetChecked(Control(kChkFastCaretFlag), preset.FastCaretFlag());
    SetTrackBarPosition(Control(kTbAlpha), std::clamp(preset.CaretFlagAlphaBlend(), 0, 255));
    SetChecked(Control(kChkHighPriority), preset.HighPriority());
    SetChecked(Control(kChkHideTrayIcon), preset.HideTrayIcon());
    SetChecked(Control(kChkSoundEnabled), preset.SoundEnabled());
    SetChecked(Control(kChkStartWithWindows), preset.IsStartWithWindows());
    ApplyCaretFlagRule();
    FillSoundEvents();
    ShowSelectedSound();
    FillShortcutList();
}

void SettingsWindow::FillEnabledLayouts() {
    const ListView list(Control(kClbEnabled));
    list.Clear();
    for (std::size_t i = 0; i < layouts_.size(); ++i) {
        const int index = static_cast<int>(i);
        list.InsertItem(index, layouts_[i].text, static_cast<LPARAM>(i));
        list.SetChecked(index, !Context().Preset().IsLangDisabled(layouts_[i].handle));
    }
}

void SettingsWindow::FillShortcutList() {
    if (layouts_.empty()) return;
    const ListView list(Control(kLvShortcuts));
    list.Clear();
    static constexpr std::int32_t kSubActionTexts[] = {214, 232, 215, 633, 216, 217, 631, 648, 649};
    rows_ = BuildShortcutRows(layouts_, [this](int i) { return Text(kSubActionTexts[i], u""); });
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        list.InsertItem(static_cast<int>(i), rows_[i].name, static_cast<LPARAM>(i));
    }
    list.Select(0);
    ShowShortcutTexts();
}

void SettingsWindow::ShowShortcutTexts() {
    const ListView list(Control(kLvShortcuts));
    const auto texts = ShortcutTexts(Context().Preset(), rows_, [this](HotkeyCode code) { return host_.HotkeyText(code); },
                                     Text(6, u"None"));
    for (std::size_t i = 0; i < texts.size(); ++i) list.SetSubItemText(static_cast<int>(i), 1, texts[i]);
}

void SettingsWindow::FillSoundList() {
    const ComboBox combo(Control(kCbSound));
    combo.Clear();
    soundChoices_ = SoundChoices(Context().Os().files, Context().Folders().soundFolder, Text(6, u"None"));
    for (const std::u16string& name : soundChoices_) combo.Add(name);
}

void SettingsWindow::FillSoundEvents() {
    const TreeView tree(Control(kTvSounds));
    tree.Clear();
    const std::vector<std::u16string> product{std::u16string(kProductName)};
    HTREEITEM first = nullptr;
    for (const SoundEventRow& row : kSoundEventRows) {
        HTREEITEM node =
            tree.Append(TKvLang::FormatText(Text(row.text, u""), product), static_cast<LPARAM>(row.event));
        if (!first) first = node;
    }
    tree.Select(first);
}

int SettingsWindow::SelectedSoundEvent() const {
    const TreeView tree(Control(kTvSounds));
    HTREEITEM node = tree.Selection();
    return node ? static_cast<int>(tree.Data(node)) : -1;
}

void SettingsWindow::ShowSound(const SoundBoxState& state) {
    const ComboBox combo(Control(kCbSound));
    combo.Select(state.index);
    if (state.index < 0) combo.SetText(state.text);
}

void SettingsWindow::ShowSelectedSound() {
    const int event = SelectedSoundEvent();
    if (event < 0) return;
    ShowSound(SoundBoxFor(soundChoices_, Context().Preset().SoundName(event)));
    EnableWindow(Control(kBtnPlaySound), !Context().Preset().SoundPath(event).empty());
}

void SettingsWindow::ApplyCaretFlagRule() {
    const CaretFlagBoxes boxes =
        CaretFlagBoxStates(IsChecked(Control(kChkShowCaretFlag)), IsChecked(Control(kChkShowCaretFlagOnChange)));
    EnableWindow(Control(kChkShowCaretFlagOnChange), boxes.onChangeEnabled);
    EnableWindow(Control(kChkFastCaretFlag), boxes.fastEnabled);
}

void SettingsWindow::ShowPage(int page) {
    page_ = page;
    ShowPageControls(page);
    UpdatePageInfo();
}

void SettingsWindow::UpdatePageInfo() {
    const std::vector<std::u16string> product{std::u16string(kProductName)};
    SetText(Control(kInfoLabel), TKvLang::FormatText(Text(kPages[page_].infoText, u""), product));
    RECT header{Scale(kLeftWidth), 0, Scale(kClientWidth), Scale(kHeaderHeight + kInfoHeight)};
    InvalidateRect(Handle(), &header, TRUE);
}

void SettingsWindow::PaintFrame(HDC dc) {
    const int left = Scale(kLeftWidth);
    const int right = Scale(kClientWidth);
    const int height = Scale(kHeaderHeight);
    PaintGradientHeader(dc, RECT{left, 0, right, height}, Text(kPages[page_].nodeText, u""), Fonts().Header(),
                        Scale(8));
    // The info strip: a rounded shape in the tooltip colour.
    win32::UniqueBrush info(CreateSolidBrush(GetSysColor(COLOR_INFOBK)));
    win32::UniquePen edge(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
    const win32::SelectedObject brush(dc, info.Get());
    const win32::SelectedObject pen(dc, edge.Get());
    RoundRect(dc, left + Scale(2), height + Scale(2), right - Scale(2), height + Scale(kInfoHeight) - Scale(2), Scale(8),
              Scale(8));
}

void SettingsWindow::OnCommand(int id, int code, HWND control) {
    TPreset& preset = Context().Preset();
    const bool clicked = code == BN_CLICKED;
    auto edited = [this] {
        edits_.Edited();
        EnableWindow(Control(kBtnApply), edits_.ApplyEnabled());
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
            if (clicked) Context().ShowHelp(kPages[page_].helpContext);
            return;
        case kBtnSetDefault:
            if (clicked) ResetToDefaults();
            return;
        case kInfoIcon:
            if (code == STN_CLICKED) Context().ShowHelp(kPages[page_].helpContext);
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
    const bool on = IsChecked(control);
    switch (id) {
        case kChkStartWithWindows:
            edits_.StartupOptionsClicked();
            EnableWindow(Control(kBtnApply), TRUE);
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
    // Re-translates this window too: its lists are refilled, selections kept.
    const std::optional<int> index = ApplyChosenLanguage(kCbLanguage);
    if (!index) return;
    edits_.Edited();
    EnableWindow(Control(kBtnApply), TRUE);
    edits_.SetUpdating(true);
    ComboBox(Control(kCbLanguage)).Select(*index);
    edits_.SetUpdating(false);
}

void SettingsWindow::OnEnabledLayoutChecked(int item) {
    if (edits_.Updating() || item < 0 || item >= static_cast<int>(layouts_.size())) return;
    const LayoutHandle layout = layouts_[item].handle;
    if (ListView(Control(kClbEnabled)).Checked(item)) {
        Context().Preset().EnableLang(layout);
    } else {
        Context().Preset().DisableLang(layout);
    }
    edits_.Edited();
    EnableWindow(Control(kBtnApply), TRUE);
}

void SettingsWindow::OnSetShortcut() {
    const int selected = ListView(Control(kLvShortcuts)).SelectedIndex();
    if (selected < 0 || selected >= static_cast<int>(rows_.size())) return;
    const ShortcutRow row = rows_[selected];
    const auto current = PrepareRowHotkey(Context().Preset(), rows_, row);
    if (!current) return;  // every direct-switch slot belongs to another layout
    HotkeyCode code = *current;
    const bool confirmed = host_.CaptureShortcut(code);
    // Where the dialog stood, under Wine without a window manager nothing is redrawn by itself.
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    if (!confirmed) return;
    AssignRowHotkey(Context().Preset(), row, code);
    ShowShortcutTexts();
    edits_.Edited();
    EnableWindow(Control(kBtnApply), TRUE);
}

void SettingsWindow::OnSoundChosen() {
    const int event = SelectedSoundEvent();
    if (edits_.Updating() || event < 0) return;
    const ComboBox combo(Control(kCbSound));
    const std::u16string sound = SoundFromBox(soundChoices_, combo.SelectedIndex(), combo.Text());
    Context().Preset().SetSound(event, sound);
    if (!sound.empty()) OnPlaySound();
    EnableWindow(Control(kBtnPlaySound), !Context().Preset().SoundPath(event).empty());
    edits_.Edited();
    EnableWindow(Control(kBtnApply), TRUE);
}

void SettingsWindow::OnPlaySound() {
    const int event = SelectedSoundEvent();
    if (event >= 0) host_.Sounds().PlayEventSound(static_cast<SoundEvent>(event), true);
}

void SettingsWindow::OnBrowseSound() {
    const int event = SelectedSoundEvent();
    if (event < 0) return;
    const std::u16string current = ComboBox(Control(kCbSound)).Text();
    std::u16string folder = Context().Folders().soundFolder;
    if (const auto slash = current.rfind(u'\\'); slash != std::u16string::npos) folder = current.substr(0, slash);
    const TreeView tree(Control(kTvSounds));
    const std::u16string title = TKvLang::FormatText(Text(578, u"Select a Sound"), {tree.Text(tree.Selection())});
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
    const std::u16string stored = StoredSoundName(std::u16string(reinterpret_cast<const char16_t*>(path)),
                                                  Context().Folders().soundFolder, soundChoices_);
    ShowSound(SoundBoxFor(soundChoices_, stored));
    OnSoundChosen();
}

bool SettingsWindow::SaveSettings() {
    const std::optional<std::u16string> error = edits_.Save();
    if (error) {
        Context().MessageBoxes().ShowError(*error);
        return false;
    }
    EnableWindow(Control(kBtnApply), FALSE);
    return true;
}

void SettingsWindow::ApplyStartupOptions() {
    IDialogContext& context = Context();
    const StartupState wanted{IsChecked(Control(kChkStartWithWindows)),
                              ReadStartupState(context.Os().registry, context.ProgramPath()).contextMenu};
    const StartupState now =
        kv::ApplyStartupOptions(context.Os(), context.Folders().appFolder, context.ProgramPath(), wanted);
    SetChecked(Control(kChkStartWithWindows), now.startWithWindows);
    edits_.StartupOptionsApplied();
}

void SettingsWindow::ResetToDefaults() {
    if (!Context().MessageBoxes().AskConfirm(Text(65, u"Reset all settings?"))) return;
    edits_.ResetToDefaults();
    FillControls();
    EnableWindow(Control(kBtnApply), FALSE);
}

void SettingsWindow::CloseWindow() {
    if (closing_) return;
    KvMessageBoxes& boxes = Context().MessageBoxes();
    auto ask = [&boxes] {
        const int answer = boxes.AskSaveChanges();
        return answer == win::kIdYes ? SaveChangesAnswer::Yes
                                     : answer == win::kIdNo ? SaveChangesAnswer::No : SaveChangesAnswer::Cancel;
    };
    if (!edits_.MayClose(ask, [&boxes](const std::u16string& text) { boxes.ShowError(text); })) return;
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
        case WM_HSCROLL:
            if (reinterpret_cast<HWND>(lParam) == Control(kTbAlpha) && !edits_.Updating()) {
                Context().Preset().SetCaretFlagAlphaBlend(TrackBarPosition(Control(kTbAlpha)));
                edits_.Edited();
                EnableWindow(Control(kBtnApply), TRUE);
            }
            return 0;
        case WM_CLOSE:
            CloseWindow();
            return 0;
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
                InvalidateRect(Control(kLblLocalization), nullptr, TRUE);
            }
            if (id == kLblLocalization || id == kInfoIcon) {
                SetCursor(LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
            break;
        }
    }
    return PageDialog::HandleMessage(message, wParam, lParam);
}

}  // namespace kv::win32app
