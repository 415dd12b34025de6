#include "indicators/tray_controller.h"

#include "actions/action_description.h"
#include "actions/model_hotkey_texts.h"
#include "hotkeys/action_kinds.h"
#include "common/debug_log.h"
#include "common/foreground.h"
#include "keyboard/kv_keyboard.h"
#include "settings/app_ini.h"
#include "settings/preset.h"
#include "resources/kv_lang.h"
#include "resources/lang_flags.h"
#include "common/product.h"

namespace kv {

namespace {

constexpr std::size_t kActionNameLimit = 100;
constexpr int kActionItemBase = 1000;
constexpr int kTrayIconOn = 6, kTrayIconOff = 7;
constexpr int kActiveImageOff = 7;
constexpr std::int32_t kBalloonClicked = 1000;

const TrayItemInfo& InfoOf(TrayItem item) { return kTrayItems[static_cast<std::size_t>(item) - 1]; }

bool IsSeparator(const TrayItemInfo& info) { return info.text == 0; }

// Items that open a window of the program; they work only while the system is on.
bool OpensWindow(TrayItem item) {
    return item == TrayItem::FloatingWindowKb || item == TrayItem::FloatingWindowLang ||
           item == TrayItem::ShowMainKeyboard || item == TrayItem::ShowClipboardManager ||
           item == TrayItem::ShowTemplatesManager;
}

}  // namespace

std::u16string ActionMenuCaption(std::u16string_view name, std::u16string_view hotkeyText, bool rightToLeft) {
    const std::u16string_view shown = name.substr(0, kActionNameLimit);
    std::u16string hotkey = u"(" + std::u16string(hotkeyText) + u")";
    return rightToLeft ? hotkey + u" " + std::u16string(shown) : std::u16string(shown) + u" " + hotkey;
}

TrayController::TrayController(Services services) : s_(services) {
    s_.actions.SetObserver(this);
    s_.icon.SetHint(std::u16string(kProductName));
    s_.icon.SetEvents(this);
}

TrayController::~TrayController() {
    s_.icon.SetEvents(nullptr);
    s_.actions.SetObserver(nullptr);
}

void TrayController::UpdateTrayIcon() {
    if (!s_.system.Active()) {
        s_.icon.SetImage({TrayImageList::TrayIcons, kTrayIconOff});
    } else if (!s_.preset.ShowLangIcon()) {
        s_.icon.SetImage({TrayImageList::TrayIcons, kTrayIconOn});
    } else {
        s_.icon.SetImage({TrayImageList::Langs, LangFlagIndex(static_cast<std::uint32_t>(s_.model.Layout()))});
    }
}

void TrayController::ApplyHideTrayIcon() { s_.icon.SetVisible(!s_.preset.HideTrayIcon()); }

std::u16string TrayController::Text(std::int32_t number) const { return s_.lang.GetText(number, kNoText); }

void TrayController::ShowBalloon(std::u16string_view name, std::int32_t maxCount, std::uint32_t delayMs,
                                 std::int32_t bodyText, std::int32_t titleText) {
    currentBalloon_ = std::u16string(name);
    const std::int32_t shown = s_.appIni.ReadIntegerDef(name, 0);
    if (shown >= maxCount) return;
    s_.appIni.WriteInteger(name, shown + 1);
    s_.icon.SetVisible(true);
    const std::u16string body = s_.lang.GetText(bodyText, kNoText);
    const std::u16string title =
        TKvLang::FormatText(s_.lang.GetText(titleText, kProductName), {std::u16string(kProductName)});
    s_.icon.ShowBalloon(title, body, delayMs);
    // Once start-up is complete this hides the icon again, balloon and all, for a user who
    // chose to hide it.
    s_.preset.SetHideTrayIcon(s_.preset.HideTrayIcon());
}

void TrayController::OnBalloonClick() {
    if (!currentBalloon_.empty()) s_.appIni.WriteInteger(currentBalloon_, kBalloonClicked);
    currentBalloon_.clear();
}

void TrayController::OnBalloonHidden() { currentBalloon_.clear(); }

void TrayController::OnIconClick(bool rightButton) {
    if (rightButton) {
        PopupTrayMenu();
    } else if (!s_.preset.AccessDenied()) {
        PopupActionsMenu();
    }
}

std::u16string TrayController::Caption(const TrayItemInfo& info) const {
    switch (info.item) {
        case TrayItem::Active: return Text(s_.system.Active() ? 29 : 30);
        case TrayItem::Help: return Text(info.text) + u": " + std::u16string(kProductName);
        case TrayItem::About: return TKvLang::FormatText(Text(info.text), {std::u16string(kProductName)});
        default: return Text(info.text);
    }
}

std::vector<MenuEntry> TrayController::TrayMenu() const {
    const bool locked = s_.preset.AccessDenied();
    std::vector<MenuEntry> top;
    std::vector<MenuEntry> addInfo;
    for (const TrayItemInfo& info : kTrayItems) {
        MenuEntry entry;
        entry.id = static_cast<int>(info.item);
        entry.separator = IsSeparator(info);
        entry.visible = !info.hidden;
        entry.enabled = !(locked && info.lockedByAccess);
        entry.image = info.image;
        if (!entry.separator) entry.caption = Caption(info);
        if (info.item == TrayItem::Active && !s_.system.Active()) entry.image = kActiveImageOff;
        if (OpensWindow(info.item)) entry.enabled = entry.enabled && windowItemsEnabled_;
        if (info.item == TrayItem::Settings || info.item == TrayItem::ActionSetup) {
            entry.enabled = entry.enabled && !settingsWindowOpen_;
        }
        if (info.item == TrayItem::SoundEnabled) entry.checked = s_.preset.SoundEnabled();
        if (info.item == TrayItem::FloatingWindowLang) entry.checked = languagePanelShown_;
        if (info.item == TrayItem::Help || info.item == TrayItem::CheckNewVersion) entry.hint = entry.caption;
        if (info.inAddInfo) {
            addInfo.push_back(std::move(entry));
        } else {
            top.push_back(std::move(entry));
        }
    }
    for (MenuEntry& entry : top) {
        if (entry.id == static_cast<int>(TrayItem::AddInfo)) entry.submenu = std::move(addInfo);
    }
    if (rightToLeft_) return top;
    // Program functions with a hotkey show it next to their items.
    const ModelHotkeyTexts hotkeys(s_.model);
    const TKvActions& actions = s_.actions;
    for (std::size_t i = 0; i < actions.Count(); ++i) {
        const TKvAction& action = actions.Item(i);
        if (action.Kind() != ActionKind::ProgramFunction) continue;
        TrayItem target;
        switch (static_cast<ProgramFunction>(action.SubKind())) {
            case ProgramFunction::ClipboardManager: target = TrayItem::ShowClipboardManager; break;
            case ProgramFunction::TemplateManager: target = TrayItem::ShowTemplatesManager; break;
            case ProgramFunction::HotkeySetup: target = TrayItem::ActionSetup; break;
            case ProgramFunction::OnScreenKeyboard: target = TrayItem::ShowMainKeyboard; break;
            default: continue;
        }
        for (MenuEntry& entry : top) {
            if (entry.id == static_cast<int>(target)) entry.caption += u" (" + ActionHotkeyText(action, hotkeys) + u")";
        }
    }
    return top;
}

// With the debug log on, what a menu offered, so a support case can tell what the user saw.
void TrayController::LogMenu(const std::vector<MenuEntry>& menu) const {
    if (!s_.log.IsOn()) return;
    std::u16string line = u"Menu:";
    for (const MenuEntry& entry : menu) {
        if (!entry.visible || entry.separator) continue;
        line += (line.size() > 5 ? u" | " : u" ") + entry.caption;
    }
    s_.log.WriteLog(line);
}

void TrayController::PopupTrayMenu() {
    const std::vector<MenuEntry> menu = TrayMenu();
    LogMenu(menu);
    const int chosen = s_.menus.PopupAtCursor(menu, MenuImageList::Main, s_.style, rightToLeft_);
    if (chosen > 0 && chosen <= kTrayItemCount) OnTrayCommand(static_cast<TrayItem>(chosen));
}

void TrayController::OnTrayCommand(TrayItem item) {
    const bool locked = s_.preset.AccessDenied();
    if (locked && InfoOf(item).lockedByAccess) return;
    switch (item) {
        case TrayItem::Active:
            s_.system.SetActive(!s_.system.Active());
            break;
        case TrayItem::SoundEnabled:
            s_.preset.SetSoundEnabled(!s_.preset.SoundEnabled());
            break;
        default:
            s_.commands.RunTrayCommand(item);
            break;
    }
}

void TrayController::OnSecondInstance() {
    ShowBalloon(u"StartContextMenu", 10, 5000, 35, 0);
    PopupTrayMenu();
}

void TrayController::RebuildActionsMenu() {
    TKvActions& actions = s_.actions;
    actions.SortForDisplay(s_.kinds);
    const ModelHotkeyTexts hotkeys(s_.model);
    actionsMenu_.clear();
    for (std::size_t i = 0; i < actions.Sorted().size(); ++i) {
        const TKvAction& action = *actions.Sorted()[i];
        MenuEntry entry;
        entry.id = kActionItemBase + static_cast<int>(i);
        entry.caption = ActionMenuCaption(ActionDescription(action, s_.kinds, s_.platform.locales),
                                          ActionHotkeyText(action, hotkeys), rightToLeft_);
        entry.image = action.SubKind();
        actionsMenu_.push_back(std::move(entry));
    }
    actions.ReleaseSorted();
    actionsMenuDirty_ = false;
}

void TrayController::PopupActionsMenu() {
    if (actionsMenuDirty_) RebuildActionsMenu();
    LogMenu(actionsMenu_);
    const int chosen = s_.menus.PopupAtCursor(actionsMenu_, MenuImageList::ActLang, s_.style, rightToLeft_);
    if (chosen >= kActionItemBase) RunActionFromMenu(chosen - kActionItemBase);
}

void TrayController::RunActionFromMenu(int position) {
    TKvActions& actions = s_.actions;
    actions.SortForDisplay(s_.kinds);
    if (position >= 0 && static_cast<std::size_t>(position) < actions.Sorted().size()) {
        // The user goes back to the application they were in before the action acts on it.
        ForceForeground(s_.platform, s_.system.LastForegroundWindow(), true);
        // While another action runs the chosen one is not carried out, as with its hotkey.
        if (s_.mailbox.Post(*actions.Sorted()[static_cast<std::size_t>(position)])) s_.scheduler.ScheduleQueuedAction();
    }
    actions.ReleaseSorted();
}

}  // namespace kv
