// The action list: order, per-key index, hotkey matching, the mailbox, display order, and the
// language actions the settings model registers through it.
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "hotkeys/action_kinds.h"
#include "hotkeys/kv_actions.h"
#include "hotkeys/lang_action_adapter.h"
#include "platform/text.h"
#include "platform/win_constants.h"
#include "resources/kv_lang.h"
#include "settings/preset.h"
#include "sim_platform.h"

namespace kv {
namespace {

using hotkey_mod::kLeftCtrl;
using hotkey_mod::kLeftShift;
using hotkey_mod::kLeftWin;
using hotkey_mod::kRightCtrl;
using hotkey_mod::kRightShift;
using hotkey_mod::kRightWin;

constexpr std::uint16_t kNone = TKvActions::kNoPosition;

struct Hotkey {
    int key;
    int mods;
    friend bool operator==(const Hotkey&, const Hotkey&) = default;
};

void PrintTo(const Hotkey& h, std::ostream* os) { *os << "(" << h.key << ", 0x" << std::hex << h.mods << std::dec << ")"; }

std::vector<Hotkey> HotkeysOf(const TKvActions& actions) {
    std::vector<Hotkey> hotkeys;
    for (std::size_t i = 0; i < actions.Count(); ++i) hotkeys.push_back({actions.Item(i).Key(), actions.Item(i).Mods()});
    return hotkeys;
}

std::optional<Hotkey> HotkeyOf(const TKvAction* action) {
    if (!action) return std::nullopt;
    return Hotkey{action->Key(), action->Mods()};
}

// Every key's index entry that differs from "no actions".
std::vector<std::pair<int, TKvActions::KeyRange>> IndexedKeys(const TKvActions& actions) {
    std::vector<std::pair<int, TKvActions::KeyRange>> indexed;
    for (int key = 0; key < 256; ++key) {
        const TKvActions::KeyRange range = actions.KeyIndex(static_cast<std::uint8_t>(key));
        if (range != TKvActions::KeyRange{kNone, kNone}) indexed.emplace_back(key, range);
    }
    return indexed;
}

using IndexEntries = std::vector<std::pair<int, TKvActions::KeyRange>>;

class CountingObserver : public IActionListObserver {
public:
    int changes = 0;
    void ActionsChanged() override { ++changes; }
};

TEST(ActionsTest, ActionsStaySortedByKeyThenModifiersWithTheIndexInStep) {
    ActionMailbox mailbox;
    TKvActions actions(mailbox);
    EXPECT_EQ(IndexedKeys(actions), IndexEntries{});

    actions.AddAction(66, 0);
    actions.AddAction(65, 0x30);
    actions.AddAction(65, 0x20);
    EXPECT_EQ(HotkeysOf(actions), (std::vector<Hotkey>{{65, 0x20}, {65, 0x30}, {66, 0}}));
    EXPECT_EQ(IndexedKeys(actions), (IndexEntries{{65, {0, 1}}, {66, {2, 2}}}));

    // Modifier bytes compare unsigned: 0x90 (left Win + left Shift) sorts after 0x40.
    actions.AddAction(65, 0x90);
    actions.AddAction(65, 0x40);
    actions.AddAction(0, kLeftWin | kLeftShift);
    EXPECT_EQ(HotkeysOf(actions),
              (std::vector<Hotkey>{{0, 0x90}, {65, 0x20}, {65, 0x30}, {65, 0x40}, {65, 0x90}, {66, 0}}));
    EXPECT_EQ(IndexedKeys(actions), (IndexEntries{{0, {0, 0}}, {65, {1, 4}}, {66, {5, 5}}}));

    actions.DeleteAction(65, 0x30);
    actions.DeleteAction(65, 0x50);  // none such
    actions.DeleteAction(67, 0x30);  // none such
    EXPECT_EQ(HotkeysOf(actions), (std::vector<Hotkey>{{0, 0x90}, {65, 0x20}, {65, 0x40}, {65, 0x90}, {66, 0}}));
    EXPECT_EQ(IndexedKeys(actions), (IndexEntries{{0, {0, 0}}, {65, {1, 3}}, {66, {4, 4}}}));

    actions.DeleteAction(0, 0x90);
    actions.DeleteAction(66, 0);
    EXPECT_EQ(IndexedKeys(actions), (IndexEntries{{65, {0, 2}}}));

    actions.Clear();
    EXPECT_EQ(actions.Count(), 0u);
    EXPECT_EQ(IndexedKeys(actions), IndexEntries{});
}

TEST(ActionsTest, AddActionFindsOrCreatesOneActionPerHotkey) {
    ActionMailbox mailbox;
    TKvActions actions(mailbox);
    EXPECT_EQ(actions.AddAction(0, 0), nullptr) << "key 0 without modifiers is no hotkey";
    EXPECT_EQ(actions.Count(), 0u);

    TKvAction* first = actions.AddAction(65, kLeftCtrl);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Kind(), ActionKind::None);
    EXPECT_EQ(first->SubKind(), 0);
    EXPECT_EQ(first->Text(), u"");
    first->SetKind(ActionKind::LanguageAndCase);
    first->SetSubKind(4);

    TKvAction* again = actions.AddAction(65, kLeftCtrl);
    EXPECT_EQ(again, first);
    EXPECT_EQ(again->SubKind(), 4) << "the existing action comes back as it is";
    EXPECT_EQ(actions.Count(), 1u);
    EXPECT_NE(actions.AddAction(65, kRightCtrl), first);
    EXPECT_NE(actions.AddAction(160, 0), nullptr) << "a modifier key alone is a hotkey";
    EXPECT_EQ(actions.Count(), 3u);
}

TEST(ActionsTest, ChangingTheKindClearsTheParametersButSettingTheSameKindKeepsThem) {
    TKvAction action(65, kLeftCtrl);
    action.SetKind(ActionKind::LanguageAndCase);
    action.SetSubKind(3);
    action.SetText(u"67699721");
    action.SetKind(ActionKind::LanguageAndCase);
    EXPECT_EQ(action.SubKind(), 3);
    EXPECT_EQ(action.Text(), u"67699721");
    action.SetKind(ActionKind::ProgramFunction);
    EXPECT_EQ(action.Kind(), ActionKind::ProgramFunction);
    EXPECT_EQ(action.SubKind(), 0);
    EXPECT_EQ(action.Text(), u"");
}

TEST(ActionsTest, FindActionTakesTheFirstOfTheKeysActionsWithEitherModifierSet) {
    ActionMailbox mailbox;
    TKvActions actions(mailbox);
    for (Hotkey h : std::vector<Hotkey>{{65, 0x10}, {65, 0x90}, {65, 0x20}, {66, 0x02}}) {
        actions.AddAction(static_cast<std::uint8_t>(h.key), static_cast<std::uint16_t>(h.mods));
    }
    struct Case {
        int key, modsA, modsB;
        std::optional<Hotkey> found;
    };
    const Case cases[] = {
        {65, 0x90, 0x90, Hotkey{65, 0x90}},
        {65, 0x90, 0x10, Hotkey{65, 0x10}},  // ascending modifiers: 0x10 comes first
        {65, 0x02, 0x20, Hotkey{65, 0x20}},
        {65, 0x30, 0x30, std::nullopt},
        {66, 0x02, 0x20, Hotkey{66, 0x02}},
        {66, 0x20, 0x20, std::nullopt},
        {67, 0x10, 0x10, std::nullopt},
        {0, 0x90, 0x90, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "key " << c.key << " mods " << c.modsA << "/" << c.modsB);
        EXPECT_EQ(HotkeyOf(actions.FindAction(static_cast<std::uint8_t>(c.key), static_cast<std::uint16_t>(c.modsA),
                                              static_cast<std::uint16_t>(c.modsB))),
                  c.found);
    }
}

// The hook passes the held modifiers twice: with their sides (sided) and side-less, where either
// side sets the left bit (any).
TEST(ActionsTest, MatchHotkeyFindsTheActionOfTheExactModifierSet) {
    const std::vector<Hotkey> registered = {
        {65, kLeftCtrl}, {66, kRightCtrl}, {67, kLeftShift}, {67, kLeftWin | kLeftShift},
        {0, kLeftWin | kLeftShift}, {160, 0}, {68, 0}};
    struct Case {
        const char* name;
        int key, sided, any;
        std::optional<Hotkey> found;
    };
    const Case cases[] = {
        {"left Ctrl + A", 65, kLeftCtrl, kLeftCtrl, Hotkey{65, kLeftCtrl}},
        {"right Ctrl + A matches a left-side hotkey", 65, kRightCtrl, kLeftCtrl, Hotkey{65, kLeftCtrl}},
        {"right Ctrl + B", 66, kRightCtrl, kLeftCtrl, Hotkey{66, kRightCtrl}},
        {"left Ctrl + B misses a right-side hotkey", 66, kLeftCtrl, kLeftCtrl, std::nullopt},
        {"left Ctrl + left Shift + A: sets must be equal", 65, kLeftCtrl | kLeftShift, kLeftCtrl | kLeftShift,
         std::nullopt},
        {"A alone", 65, 0, 0, std::nullopt},
        {"left Win + left Shift + C takes the second action of C", 67, kLeftWin | kLeftShift,
         kLeftWin | kLeftShift, Hotkey{67, kLeftWin | kLeftShift}},
        {"right Shift + C", 67, kRightShift, kLeftShift, Hotkey{67, kLeftShift}},
        {"D without modifiers", 68, 0, 0, Hotkey{68, 0}},
        {"modifier-only hotkey", 0, kLeftWin | kLeftShift, kLeftWin | kLeftShift, Hotkey{0, kLeftWin | kLeftShift}},
        {"modifier-only hotkey with the right-hand keys", 0, kRightWin | kRightShift, kLeftWin | kLeftShift,
         Hotkey{0, kLeftWin | kLeftShift}},
        {"left Shift alone", 160, 0, 0, Hotkey{160, 0}},
        {"right Shift alone", 161, 0, 0, std::nullopt},
    };
    ActionMailbox mailbox;
    TKvActions actions(mailbox);
    for (Hotkey h : registered) actions.AddAction(static_cast<std::uint8_t>(h.key), static_cast<std::uint16_t>(h.mods));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(HotkeyOf(actions.MatchHotkey(static_cast<std::uint8_t>(c.key), static_cast<std::uint16_t>(c.sided),
                                               static_cast<std::uint16_t>(c.any))),
                  c.found);
    }
    EXPECT_EQ(mailbox.Current(), nullptr) << "finding an action hands nothing over";
}

TEST(ActionsTest, TheMailboxHoldsOneActionUntilTheExecutorIsDone) {
    const TKvAction a(65, kLeftCtrl), b(66, kLeftCtrl);
    ActionMailbox mailbox;
    EXPECT_TRUE(mailbox.Post(a));
    EXPECT_FALSE(mailbox.Post(b)) << "a second action while one waits or runs is not carried out";
    EXPECT_EQ(mailbox.Current(), &a);
    mailbox.Clear();
    EXPECT_TRUE(mailbox.Post(b));
    EXPECT_EQ(mailbox.Current(), &b);
}

TEST(ActionsTest, AFreedActionLeavesTheMailbox) {
    struct Case {
        const char* name;
        void (*free)(std::optional<TKvActions>& actions);
        bool stillPosted;
    };
    const Case cases[] = {
        {"deleting it", [](std::optional<TKvActions>& a) { a->DeleteAction(65, kLeftCtrl); }, false},
        {"deleting another", [](std::optional<TKvActions>& a) { a->DeleteAction(66, kLeftCtrl); }, true},
        {"clearing the list", [](std::optional<TKvActions>& a) { a->Clear(); }, false},
        {"destroying the list", [](std::optional<TKvActions>& a) { a.reset(); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ActionMailbox mailbox;
        std::optional<TKvActions> actions(std::in_place, mailbox);
        actions->AddAction(65, kLeftCtrl);
        actions->AddAction(66, kLeftCtrl);
        ASSERT_TRUE(mailbox.Post(*actions->MatchHotkey(65, kLeftCtrl, kLeftCtrl)));
        c.free(actions);
        EXPECT_EQ(mailbox.Current() != nullptr, c.stillPosted);
        if (c.stillPosted) {
            EXPECT_EQ(mailbox.Current()->Key(), 65);
        }
    }

    // An action of another list is not touched.
    ActionMailbox mailbox;
    TKvActions mine(mailbox);
    const TKvAction other(65, kLeftCtrl);
    mine.AddAction(65, kLeftCtrl);
    ASSERT_TRUE(mailbox.Post(other));
    mine.Clear();
    EXPECT_EQ(mailbox.Current(), &other);
}

TEST(ActionsTest, FindByKindReturnsTheFirstInListOrder) {
    ActionMailbox mailbox;
    TKvActions actions(mailbox);
    for (int key : {70, 60, 80}) {
        TKvAction* action = actions.AddAction(static_cast<std::uint8_t>(key), 0);
        action->SetKind(ActionKind::LanguageAndCase);
        action->SetSubKind(key == 60 ? 2 : 0);
    }
    EXPECT_EQ(HotkeyOf(actions.FindByKind(ActionKind::LanguageAndCase, 0)), (Hotkey{70, 0}));
    EXPECT_EQ(HotkeyOf(actions.FindByKind(ActionKind::LanguageAndCase, 2)), (Hotkey{60, 0}));
    EXPECT_EQ(actions.FindByKind(ActionKind::LanguageAndCase, 1), nullptr);
    EXPECT_EQ(actions.FindByKind(ActionKind::ProgramFunction, 0), nullptr);
}

TEST(ActionsTest, DisplayOrderFollowsTheCataloguePositionThenTheSubKind) {
    struct Action {
        int key, kind, subKind;
    };
    struct Case {
        const char* name;
        std::vector<Action> actions;  // added in this order; the list orders them by key
        std::vector<int> displayedKeys;
    };
    const Case cases[] = {
        {"language functions by sub-kind", {{65, 9, 4}, {66, 9, 0}, {67, 9, 2}}, {66, 67, 65}},
        {"kinds by catalogue position: 0, 8, 9, 1, then unknown kinds",
         {{65, 1, 0}, {66, 9, 0}, {67, 40, 0}, {68, 8, 4}, {69, 0, 0}}, {69, 68, 66, 65, 67}},
        // Selection with swaps: the smallest swaps places with the first, so 65 ends after 66.
        {"equal actions as the selection left them", {{65, 9, 2}, {66, 9, 2}, {67, 9, 0}}, {67, 66, 65}},
    };
    const ActionKindCatalogue kinds = BuildActionKinds(TKvLang());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ActionMailbox mailbox;
        TKvActions actions(mailbox);
        for (const Action& a : c.actions) {
            TKvAction* action = actions.AddAction(static_cast<std::uint8_t>(a.key), 0);
            action->SetKind(static_cast<ActionKind>(a.kind));
            action->SetSubKind(static_cast<std::uint8_t>(a.subKind));
        }
        actions.SortForDisplay(kinds);
        std::vector<int> displayed;
        for (const TKvAction* action : actions.Sorted()) displayed.push_back(action->Key());
        EXPECT_EQ(displayed, c.displayedKeys);
        EXPECT_EQ(actions.Count(), c.actions.size()) << "sorting leaves the list itself alone";
        actions.ReleaseSorted();
        EXPECT_TRUE(actions.Sorted().empty());
    }
}

TEST(ActionsTest, ASortedListNeverHoldsAFreedAction) {
    ActionMailbox mailbox;
    TKvActions actions(mailbox);
    for (int key : {65, 66, 67}) actions.AddAction(static_cast<std::uint8_t>(key), 0);
    const ActionKindCatalogue kinds = BuildActionKinds(TKvLang());
    actions.SortForDisplay(kinds);
    actions.DeleteAction(66, 0);
    std::vector<int> displayed;
    for (const TKvAction* action : actions.Sorted()) displayed.push_back(action->Key());
    EXPECT_EQ(displayed, (std::vector<int>{65, 67}));
    actions.Clear();
    EXPECT_TRUE(actions.Sorted().empty());
}

TEST(ActionsTest, EveryChangeOfTheListIsReported) {
    ActionMailbox mailbox;
    TKvActions actions(mailbox);
    CountingObserver observer;
    actions.SetObserver(&observer);
    actions.AddAction(65, 0);
    actions.AddAction(65, 0);  // found: the menu is rebuilt all the same
    EXPECT_EQ(observer.changes, 2);
    actions.AddAction(0, 0);
    actions.DeleteAction(66, 0);
    EXPECT_EQ(observer.changes, 2) << "nothing changed";
    actions.DeleteAction(65, 0);
    EXPECT_EQ(observer.changes, 3);
    actions.Clear();
    EXPECT_EQ(observer.changes, 4);
    actions.SetObserver(nullptr);
    actions.AddAction(65, 0);
    EXPECT_EQ(observer.changes, 4);
}

// The settings model registers its language hotkeys through the adapter.
struct LangActionsWorld {
    sim::SimPlatform os;
    TAppIni ini{os.registry, os.files, nullptr};
    AppFolders folders = ResolveAppFolders(os.desktop.ExecutablePath(), os.files);
    EventSoundPlayer sounds{os.platform.sound, os.platform.files, os.platform.version, folders.soundFolder};
    TPreset preset{os.platform, sounds, ini, folders, os.desktop.ExecutablePath()};
    ActionMailbox mailbox;
    TKvActions actions{mailbox};
    LangActionAdapter adapter{actions};

    LangActionsWorld() { preset.SetLangActionTarget(&adapter); }
};

struct LangAction {
    Hotkey hotkey;
    int subKind;
    std::u16string text;
    friend bool operator==(const LangAction&, const LangAction&) = default;
};

void PrintTo(const LangAction& a, std::ostream* os) {
    PrintTo(a.hotkey, os);
    *os << " sub " << a.subKind << " \"" << Utf16ToUtf8(a.text) << "\"";
}

std::vector<LangAction> LangActionsOf(const TKvActions& actions) {
    std::vector<LangAction> found;
    for (std::size_t i = 0; i < actions.Count(); ++i) {
        const TKvAction& a = actions.Item(i);
        EXPECT_EQ(a.Kind(), ActionKind::LanguageAndCase);
        found.push_back({{a.Key(), a.Mods()}, a.SubKind(), a.Text()});
    }
    return found;
}

TEST(ActionsTest, DefaultLanguageHotkeysBecomeOneActionPerCombination) {
    LangActionsWorld w;  // US and Russian installed
    w.preset.RebuildLangActions();
    const std::vector<LangAction> expected = {
        {{0, kLeftWin | kLeftShift}, 0, u""},  // registered for sub-actions 1 and 0; the last stays
        {{38, kLeftWin}, 4, u""},
        {{40, kLeftWin}, 5, u""},
        {{160, 0}, 3, u"67699721"},
        {{161, 0}, 3, u"68748313"},
        {{163, 0}, 2, u""},
        {{191, kLeftWin}, 6, u""},
    };
    EXPECT_EQ(LangActionsOf(w.actions), expected);

    // Releasing right Ctrl alone, then left Win + left Shift, as the hook reports them.
    const TKvAction* rightCtrl = w.actions.MatchHotkey(163, 0, 0);
    ASSERT_NE(rightCtrl, nullptr);
    EXPECT_EQ(rightCtrl->SubKind(), 2);
    const TKvAction* winShift = w.actions.MatchHotkey(0, kLeftWin | kLeftShift, kLeftWin | kLeftShift);
    ASSERT_NE(winShift, nullptr);
    EXPECT_EQ(winShift->SubKind(), 0);
}

TEST(ActionsTest, ARebuildStartsFromAnEmptyListAndTheLastRegistrationWins) {
    struct Case {
        const char* name;
        void (*change)(TPreset&);
        std::vector<LangAction> expected;
    };
    const Case cases[] = {
        {"every hotkey off",
         [](TPreset& p) {
             for (auto set : {&TPreset::SetSCChangeLang, &TPreset::SetSCChangeSelectedLang, &TPreset::SetSCSwitchLang,
                              &TPreset::SetSCUpperCase, &TPreset::SetSCLowerCase, &TPreset::SetSCInvertCase}) {
                 (p.*set)(0);
             }
             p.SetSCChangeLangTo(0, 0);
             p.SetSCChangeLangTo(1, 0);
         },
         {}},
        {"a direct switch slot takes over the combination of a named hotkey",
         [](TPreset& p) {
             for (auto set : {&TPreset::SetSCChangeLang, &TPreset::SetSCChangeSelectedLang, &TPreset::SetSCUpperCase,
                              &TPreset::SetSCLowerCase, &TPreset::SetSCInvertCase}) {
                 (p.*set)(0);
             }
             p.SetSCChangeLangTo(1, 0);
             p.SetSCSwitchLang(EncodeHotkey(160, 0));
         },
         {{{160, 0}, 3, u"67699721"}}},
        {"a later slot overrides an earlier one",
         [](TPreset& p) {
             for (auto set : {&TPreset::SetSCChangeLang, &TPreset::SetSCChangeSelectedLang, &TPreset::SetSCSwitchLang,
                              &TPreset::SetSCUpperCase, &TPreset::SetSCLowerCase, &TPreset::SetSCInvertCase}) {
                 (p.*set)(0);
             }
             p.SetChangeLangTo(4, u"-255851511");
             p.SetSCChangeLangTo(4, EncodeHotkey(160, 0));
         },
         {{{160, 0}, 3, u"-255851511"}, {{161, 0}, 3, u"68748313"}}},
        {"without the conversion the selection keeps the shared hotkey",
         [](TPreset& p) {
             for (auto set : {&TPreset::SetSCSwitchLang, &TPreset::SetSCUpperCase, &TPreset::SetSCLowerCase,
                              &TPreset::SetSCInvertCase}) {
                 (p.*set)(0);
             }
             p.SetSCChangeLangTo(0, 0);
             p.SetSCChangeLangTo(1, 0);
             p.SetSCChangeLang(0);
             p.SetSCMixedCase(EncodeHotkey(77, kRightWin | kRightCtrl));
         },
         {{{0, kLeftWin | kLeftShift}, 1, u""}, {{77, kRightWin | kRightCtrl}, 8, u""}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LangActionsWorld w;
        w.preset.RebuildLangActions();
        c.change(w.preset);
        EXPECT_EQ(LangActionsOf(w.actions), c.expected);
    }
}

}  // namespace
}  // namespace kv
