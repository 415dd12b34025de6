#include <gtest/gtest.h>

#include "common/key_classes.h"
#include "hotkeys/action_kinds.h"
#include "indicators/tray_controller.h"
#include "keyboard_engine_fixture.h"
#include "resources/lang_flags.h"
#include "sim_tray.h"

namespace kv {
namespace {

class RecordingCommands : public ITrayCommands {
public:
    std::vector<TrayItem> run;
    void RunTrayCommand(TrayItem item) override { run.push_back(item); }
};

class TrayTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(w.Activate()); }
    const MenuEntry* Item(const std::vector<MenuEntry>& menu, TrayItem item) {
        for (const MenuEntry& entry : menu) {
            if (entry.id == static_cast<int>(item)) return &entry;
            for (const MenuEntry& sub : entry.submenu) {
                if (sub.id == static_cast<int>(item)) return &sub;
            }
        }
        return nullptr;
    }
    std::int32_t Counter(std::u16string_view name) { return w.app->appIni.ReadIntegerDef(name, 0); }

    test::EngineWorld w;
    sim::SimTrayIcon icon;
    sim::SimPopupMenus menus;
    RecordingCommands commands;
    ActionKindCatalogue kinds = BuildActionKinds(w.app->lang);
    TrayController tray{{w.app->preset, w.app->lang, w.app->appIni, w.app->log, w.app->platform, w.model->actions,
                         w.model->keyboard, w.model->mailbox, w.engine->Scheduler(), w.engine->Switch(), icon, menus,
                         kinds, commands, PopupMenuStyle::Standard}};
};

TEST_F(TrayTest, IconShowsTheStateOrTheFlagOfTheLayout) {
    w.Preset().SetShowLangIcon(false);
    tray.UpdateTrayIcon();
    EXPECT_EQ(icon.Image(), (TrayImage{TrayImageList::TrayIcons, 6}));
    w.Preset().SetShowLangIcon(true);
    tray.UpdateTrayIcon();
    EXPECT_EQ(icon.Image(), (TrayImage{TrayImageList::Langs, LangFlagIndex(sim::kLayoutUs)}));
    w.engine->Switch().Deactivate();
    tray.UpdateTrayIcon();
    EXPECT_EQ(icon.Image(), (TrayImage{TrayImageList::TrayIcons, 7})) << "off wins over the flag";
}

TEST_F(TrayTest, BalloonsAreCountedAndAClickedOneNeverReturns) {
    w.app->appIni.WriteInteger(u"StartContextMenu", 9);
    tray.ShowBalloon(u"StartContextMenu", 10, 5000, 35, 0);
    ASSERT_EQ(icon.Balloons().size(), 1u);
    EXPECT_EQ(Counter(u"StartContextMenu"), 10);
    EXPECT_EQ(icon.Balloons()[0].title, u"Tolvex");
    EXPECT_EQ(icon.Balloons()[0].timeoutMs, 5000u);
    EXPECT_TRUE(icon.Visible());
    tray.ShowBalloon(u"StartContextMenu", 10, 5000, 35, 0);
    EXPECT_EQ(icon.Balloons().size(), 1u) << "the tenth was the last";

    tray.ShowBalloon(u"FirstStart", 5, 5000, 35, 34);
    EXPECT_EQ(icon.Balloons().back().title, u"Welcome to Tolvex");
    tray.OnBalloonClick();
    EXPECT_EQ(Counter(u"FirstStart"), 1000);
    EXPECT_TRUE(tray.CurrentBalloonName().empty());
    tray.ShowBalloon(u"FirstStart", 5, 5000, 35, 34);
    EXPECT_EQ(icon.Balloons().size(), 2u);
}

TEST_F(TrayTest, TrayMenuFollowsItsTable) {
    const std::vector<MenuEntry> menu = tray.TrayMenu();
    EXPECT_EQ(Item(menu, TrayItem::Active)->caption, u"Turn Off");
    EXPECT_EQ(Item(menu, TrayItem::Active)->image, 8);
    EXPECT_FALSE(Item(menu, TrayItem::ShowMainKeyboard)->visible);
    EXPECT_FALSE(Item(menu, TrayItem::Sepr3)->visible);
    EXPECT_TRUE(Item(menu, TrayItem::Sepr2)->separator);
    EXPECT_EQ(Item(menu, TrayItem::About)->caption, u"About Tolvex");
    const MenuEntry* addInfo = Item(menu, TrayItem::AddInfo);
    ASSERT_EQ(addInfo->submenu.size(), 7u);
    EXPECT_EQ(addInfo->submenu.front().id, static_cast<int>(TrayItem::Help));
    EXPECT_NE(Item(menu, TrayItem::Help)->caption.find(u": Tolvex"), std::u16string::npos);

    menus.Choose(static_cast<int>(TrayItem::Active));
    tray.OnIconClick(true);
    EXPECT_FALSE(w.engine->Switch().Active());
    EXPECT_EQ(Item(tray.TrayMenu(), TrayItem::Active)->caption, u"Turn On");
    EXPECT_EQ(Item(tray.TrayMenu(), TrayItem::Active)->image, 7);

    menus.Choose(static_cast<int>(TrayItem::Close));
    tray.OnIconClick(true);
    EXPECT_EQ(commands.run, std::vector<TrayItem>{TrayItem::Close});
}

TEST_F(TrayTest, AccessLockDisablesTheSwitchesAndTheWayOut) {
    w.app->appIni.WriteBool(u"AccessDenied", true);
    w.Preset().Load();
    ASSERT_TRUE(w.Preset().AccessDenied());

    tray.OnIconClick(false);
    EXPECT_TRUE(menus.Popups().empty()) << "a left click does nothing";
    menus.Choose(static_cast<int>(TrayItem::Close));
    tray.OnIconClick(true);
    ASSERT_EQ(menus.Popups().size(), 1u) << "the right click still opens the menu";
    const auto& shown = menus.Popups()[0].items;
    for (TrayItem locked : {TrayItem::Active, TrayItem::SoundEnabled, TrayItem::Settings, TrayItem::Close}) {
        EXPECT_FALSE(Item(shown, locked)->enabled) << static_cast<int>(locked);
    }
    EXPECT_TRUE(Item(shown, TrayItem::About)->enabled);
    EXPECT_TRUE(commands.run.empty()) << "Exit is impossible";
    tray.OnTrayCommand(TrayItem::Active);
    EXPECT_TRUE(w.engine->Switch().Active());
}

TEST_F(TrayTest, ItemsThatOpenWindowsWorkOnlyWhileTheSystemIsOn) {
    const TrayItem windowItems[] = {TrayItem::FloatingWindowKb, TrayItem::FloatingWindowLang, TrayItem::ShowMainKeyboard,
                                    TrayItem::ShowClipboardManager, TrayItem::ShowTemplatesManager};
    for (const bool on : {false, true}) {
        SCOPED_TRACE(on ? "switched on" : "switched off");
        tray.EnableWindowItems(on);
        const std::vector<MenuEntry> menu = tray.TrayMenu();
        for (TrayItem item : windowItems) EXPECT_EQ(Item(menu, item)->enabled, on) << static_cast<int>(item);
        EXPECT_TRUE(Item(menu, TrayItem::Active)->enabled) << "the switch itself always works";
        EXPECT_TRUE(Item(menu, TrayItem::Settings)->enabled);
    }
}

TEST_F(TrayTest, ActionMenuCaptionsKeepAHundredCharactersAndFollowTheReadingDirection) {
    const std::u16string longName(150, u'x');
    const std::u16string caption = ActionMenuCaption(longName, u"Win+Up", false);
    EXPECT_EQ(caption, std::u16string(100, u'x') + u" (Win+Up)");
    EXPECT_EQ(ActionMenuCaption(u"Upper case", u"Win+Up", true), u"(Win+Up) Upper case");
}

TEST_F(TrayTest, ActionsMenuIsRebuiltAfterAChangeAndRunsTheChosenAction) {
    const auto itemWithHotkey = [&](std::u16string_view hotkey) {
        for (const MenuEntry& entry : tray.ActionsMenu()) {
            if (entry.caption.find(hotkey) != std::u16string::npos) return entry.id;
        }
        return 0;
    };
    tray.PopupActionsMenu();
    EXPECT_EQ(itemWithHotkey(u"F12)"), 0);
    EXPECT_FALSE(tray.ActionsMenuDirty());
    w.Preset().SetSCSwitchLang(EncodeHotkey(123, hotkey_mod::kLeftCtrl));
    EXPECT_TRUE(tray.ActionsMenuDirty());

    tray.PopupActionsMenu();
    const int switchItem = itemWithHotkey(u"F12)");
    ASSERT_NE(switchItem, 0) << "the new hotkey is listed";
    menus.Choose(switchItem);
    tray.OnIconClick(false);
    w.Settle();
    EXPECT_EQ(w.editor->Layout(), sim::kLayoutRu) << "the chosen action ran";
}

}  // namespace
}  // namespace kv
