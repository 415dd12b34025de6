#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <vector>

#include "common/key_classes.h"
#include "keyboard_model_fixture.h"
#include "platform/win_constants.h"

namespace kv {
namespace {

using test::kDe;
using test::kFr;
using test::kRu;
using test::kUs;
using test::KeyboardWorld;
using LoadHistory = std::vector<std::pair<bool, LayoutHandle>>;

TEST(KeyClassesTest, FixedCodeSets) {
    struct Case {
        std::uint32_t code;
        bool printable, letter, modifier, state, extended;
    };
    const Case cases[] = {
        {32, true, false, false, false, false},   {20, false, false, false, true, false},
        {33, false, false, false, false, true},   {46, false, false, false, false, true},
        {47, false, false, false, false, false},  {48, true, false, false, false, false},
        {65, true, true, false, false, false},    {90, true, true, false, false, false},
        {91, false, false, true, true, true},     {93, false, false, false, false, true},
        {96, true, false, false, false, false},   {111, true, false, false, false, true},
        {144, false, false, false, true, true},   {145, false, false, false, true, false},
        {160, false, false, true, true, false},   {161, false, false, true, true, true},
        {165, false, false, true, true, true},    {166, false, false, false, false, true},
        {183, false, false, false, false, true},  {186, true, true, false, false, false},
        {193, false, false, false, false, false}, {226, true, true, false, false, false},
        {227, false, false, false, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsPrintableKey(c.code), c.printable) << c.code;
        EXPECT_EQ(IsLetterKey(c.code), c.letter) << c.code;
        EXPECT_EQ(IsModifierKey(c.code), c.modifier) << c.code;
        EXPECT_EQ(IsStateKey(c.code), c.state) << c.code;
        EXPECT_EQ(IsExtendedKey(c.code), c.extended) << c.code;
    }
}

// Y and Z swap places in German, A/Q, Z/W and M move in French; Russian keeps US positions.
TEST(PositionMapTest, LettersAreMappedToTheirUsPositions) {
    struct Case {
        const char* name;
        LayoutHandle layout;
        std::map<int, int> moved;  // US position -> code at that position; every other code maps to itself
    };
    const Case cases[] = {
        {"US", kUs, {}},
        {"RU", kRu, {}},
        {"DE", kDe,
         {{89, 90}, {90, 89}, {186, 192}, {187, 221}, {189, 219}, {191, 189}, {192, 220}, {219, 186}, {220, 191},
          {221, 187}}},
        {"FR", kFr,
         {{65, 81}, {77, 188}, {81, 65}, {87, 90}, {90, 87}, {186, 77}, {188, 190}, {189, 219}, {190, 191},
          {191, 223}, {192, 222}, {219, 221}, {221, 186}, {222, 192}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        KeyboardWorld world;
        world.os.keyboard.SetInstalled({kUs, kRu, kDe, kFr});
        TKvKeyboard& model = world.Create(c.layout);
        std::map<int, int> moved;
        for (int position = 1; position < 256; ++position) {
            const int code = model.PosToVk(static_cast<std::uint8_t>(position));
            if (code != position) moved[position] = code;
        }
        for (const auto& [position, code] : c.moved) {
            EXPECT_EQ(model.PosToVk(static_cast<std::uint8_t>(position)), code) << position;
            EXPECT_EQ(model.Btn(static_cast<std::uint8_t>(code))->Shape(), model.Btn(static_cast<std::uint8_t>(position)))
                << "key " << code << " takes the outline of US key " << position;
        }
        EXPECT_EQ(moved, c.moved);
        for (int code = 1; code < 256; ++code) {
            const TKvBtn* key = model.Btn(static_cast<std::uint8_t>(code));
            if (key != nullptr && !IsLetterKey(code)) {
                EXPECT_EQ(key->Shape(), key) << code;
            }
        }
    }
}

TEST(PositionMapTest, SwitchingLayoutsRebuildsTheMapFromScratch) {
    KeyboardWorld world;
    world.os.keyboard.SetInstalled({kUs, kDe, kFr});
    TKvKeyboard& model = world.Create(kFr);
    model.SetLayout(kDe);
    EXPECT_EQ(model.PosToVk(81), 81);
    EXPECT_EQ(model.PosToVk(89), 90);
    EXPECT_EQ(model.Btn(65)->Shape(), model.Btn(65));
    model.SetLayout(kUs);
    for (int code = 1; code < 256; ++code) {
        EXPECT_EQ(model.PosToVk(static_cast<std::uint8_t>(code)), code);
        const TKvBtn* key = model.Btn(static_cast<std::uint8_t>(code));
        if (key != nullptr) {
            EXPECT_EQ(key->Shape(), key) << code;
        }
    }
    model.SetLayout(kFr);
    EXPECT_EQ(model.PosToVk(81), 65);
    EXPECT_EQ(model.Btn(81)->Shape(), model.Btn(65));
}

TEST(PositionMapTest, UsReferenceIsLoadedOnlyWhileBuildingWhenNotInstalled) {
    KeyboardWorld installed;
    installed.os.keyboard.SetInstalled({kUs, kDe});
    installed.Create(kDe);
    EXPECT_EQ(installed.os.keyboard.LoadHistory(), LoadHistory{});

    KeyboardWorld missing;
    missing.os.keyboard.SetInstalled({kDe, kRu});
    TKvKeyboard& model = missing.Create(kDe);
    EXPECT_EQ(model.PosToVk(89), 90);
    const LoadHistory& history = missing.os.keyboard.LoadHistory();
    ASSERT_FALSE(history.empty());
    for (std::size_t i = 0; i < history.size(); ++i) {
        EXPECT_EQ(history[i], std::make_pair(i % 2 == 0, kUs)) << "each load is followed by its unload";
    }
    EXPECT_EQ(history.size() % 2, 0u);
    EXPECT_EQ(missing.os.keyboard.InstalledLayouts(), (std::vector<LayoutHandle>{kDe, kRu}));
}

TEST(PositionMapTest, WithoutUsLayoutTheThreadLayoutIsTheReference) {
    KeyboardWorld world;
    world.os.keyboard.SetInstalled({kFr});
    world.os.keyboard.SetThreadLayout(kFr);
    world.layouts.refuseLoading = true;
    TKvKeyboard& model = world.Create(kFr);
    for (int code = 1; code < 256; ++code) EXPECT_EQ(model.PosToVk(static_cast<std::uint8_t>(code)), code);
    EXPECT_EQ(world.os.keyboard.LoadHistory(), LoadHistory{});
}

TEST(PositionMapTest, KeysAtRemappedPositionsAreReleased) {
    KeyboardWorld world;
    world.os.keyboard.SetInstalled({kUs, kFr});
    TKvKeyboard& model = world.Create(kUs);
    world.Press({65, 160});
    model.SetLayout(kFr);
    EXPECT_FALSE(model.IsKeyPressed(65));
    EXPECT_TRUE(model.IsKeyPressed(160));
    EXPECT_EQ(model.PressedCount(), 1);
}

TEST(LayoutCharsTest, CharactersFollowShiftAltGrAndCapsLock) {
    struct Case {
        LayoutHandle layout;
        std::vector<std::uint8_t> held;  // pressed in the model; 20 toggles CapsLock
        std::uint8_t code;
        char16_t expected;
    };
    const Case cases[] = {
        {kUs, {}, 65, u'a'},
        {kUs, {160}, 65, u'A'},
        {kUs, {161}, 50, u'@'},
        {kUs, {20}, 65, u'A'},
        {kUs, {20, 160}, 65, u'a'},
        {kUs, {20}, 49, u'1'},
        {kUs, {162, 165}, 65, u' '},  // nothing under AltGr
        {kUs, {}, 112, 0},            // F1 is not printable
        {kRu, {}, 81, u'й'},
        {kRu, {160}, 81, u'Й'},
        {kRu, {}, 190, u'ю'},
        {kDe, {}, 89, u'y'},
        {kDe, {162, 165}, 81, u'@'},
        {kDe, {162, 165}, 69, u'€'},
        {kDe, {160}, 50, u'"'},
        {kDe, {}, 186, u'ü'},
        {kFr, {}, 50, u'é'},
        {kFr, {160}, 50, u'2'},
        {kFr, {162, 165}, 48, u'@'},
        {kFr, {}, 65, u'a'},
    };
    for (const Case& c : cases) {
        KeyboardWorld world;
        world.os.keyboard.SetInstalled({kUs, kRu, kDe, kFr});
        TKvKeyboard& model = world.Create(c.layout);
        for (std::uint8_t code : c.held) model.SetKeyPressed(code, true);
        EXPECT_EQ(model.CharOf(c.code), c.expected) << std::hex << c.layout << " key " << std::dec << int(c.code);
    }
}

TEST(LayoutCharsTest, SwitchingBackToAKnownLayoutIsACacheHit) {
    KeyboardWorld world;
    world.os.keyboard.SetInstalled({kUs, kDe});
    TKvKeyboard& model = world.Create(kUs);
    EXPECT_EQ(world.cache.Count(), 1u);
    world.layouts.translations = 0;
    model.SetLayout(kDe);
    EXPECT_GT(world.layouts.translations, 0);
    EXPECT_EQ(model.LayoutSlot(), 1);
    EXPECT_EQ(model.CharOf(89), u'y');

    world.layouts.translations = 0;
    model.SetLayout(kUs);
    EXPECT_EQ(world.layouts.translations, 0);
    EXPECT_EQ(model.LayoutSlot(), 0);
    EXPECT_EQ(model.CharOf(89), u'y');
    EXPECT_EQ(model.CharOf(90), u'z');
    EXPECT_EQ(model.PosToVk(89), 89);
    model.SetLayout(kDe);
    EXPECT_EQ(world.layouts.translations, 0);
    EXPECT_EQ(model.LayoutSlot(), 1);
    EXPECT_EQ(world.cache.Count(), 2u);
}

TEST(LayoutCharsTest, OnSixtyFourBitWindowsTheSingleSlotIsRecomputedEveryTime) {
    KeyboardWorld world;
    world.os.keyboard.SetInstalled({kUs, kDe});
    TKvKeyboard& model = world.Create(kUs, true);
    model.SetLayout(kDe);
    world.layouts.translations = 0;
    model.SetLayout(kUs);
    EXPECT_GT(world.layouts.translations, 0);
    EXPECT_EQ(world.cache.Count(), 1u);
    EXPECT_EQ(model.LayoutSlot(), 0);
    EXPECT_EQ(model.CharOf(90), u'z');

    world.layouts.translations = 0;
    model.SetLayout(kUs);
    EXPECT_GT(world.layouts.translations, 0) << "the same handle is processed again";
}

TEST(LayoutCharsTest, SameOrInvalidHandleChangesNothingOn32BitWindows) {
    KeyboardWorld world;
    world.os.keyboard.SetInstalled({kDe});
    TKvKeyboard& model = world.Create(kDe);
    const std::size_t loads = world.os.keyboard.LoadHistory().size();
    world.layouts.translations = 0;
    for (LayoutHandle ignored : {kDe, LayoutHandle{0}, LayoutHandle{0xFFFF}, LayoutHandle{0x0409}}) {
        model.SetLayout(ignored);
        EXPECT_EQ(model.Layout(), kDe);
    }
    EXPECT_EQ(world.layouts.translations, 0);
    EXPECT_EQ(world.os.keyboard.LoadHistory().size(), loads) << "no position map was rebuilt";
}

TEST(LayoutCharsTest, ActiveModelRedrawsOnLayoutChange) {
    KeyboardWorld world;
    TKvKeyboard& model = world.Create(kUs);
    world.canvas.ForgetDrawing();
    model.SetLayout(kRu);
    EXPECT_EQ(world.canvas.fullDraws, 0);
    model.SetActive(true);
    world.canvas.ForgetDrawing();
    model.SetLayout(kUs);
    EXPECT_EQ(world.canvas.fullDraws, 1);
}

struct KeyStep {
    std::uint8_t code;
    bool press;
};

struct ModifierCase {
    const char* name;
    std::vector<KeyStep> steps;
    std::uint16_t sided, any;
    std::uint8_t shift, ctrl, alt;  // generic bytes 16, 17, 18
    std::int32_t pressedCount;
};

TEST(KeyStateTest, ModifierBookkeepingOnPressAndRelease) {
    const ModifierCase cases[] = {
        {"left Shift", {{160, true}}, 0x10, 0x10, 0x81, 0, 0, 1},
        {"right Shift", {{161, true}}, 0x01, 0x10, 0x81, 0, 0, 1},
        {"both Shifts, left released", {{160, true}, {161, true}, {160, false}}, 0x01, 0x10, 0x81, 0, 0, 1},
        {"both Shifts released", {{160, true}, {161, true}, {161, false}, {160, false}}, 0, 0, 0, 0, 0, 0},
        {"left Ctrl", {{162, true}}, 0x20, 0x20, 0, 0x81, 0, 1},
        {"right Ctrl", {{163, true}}, 0x02, 0x20, 0, 0x81, 0, 1},
        {"left Alt", {{164, true}}, 0x40, 0x40, 0, 0, 0x81, 1},
        {"right Alt", {{165, true}}, 0x04, 0x40, 0, 0, 0x81, 1},
        {"Alt right kept after left", {{164, true}, {165, true}, {164, false}}, 0x04, 0x40, 0, 0, 0x81, 1},
        {"left Win", {{91, true}}, 0x80, 0x80, 0, 0, 0, 1},
        {"right Win", {{92, true}}, 0x08, 0x80, 0, 0, 0, 1},
        {"everything", {{91, true}, {92, true}, {160, true}, {161, true}, {162, true}, {163, true}, {164, true},
                        {165, true}, {65, true}},
         0xFF, 0xF0, 0x81, 0x81, 0x81, 9},
        {"a letter is no modifier", {{65, true}}, 0, 0, 0, 0, 0, 1},
        {"release never pressed", {{65, false}, {160, false}}, 0, 0, 0, 0, 0, 0},
        {"press twice counts once", {{65, true}, {65, true}}, 0, 0, 0, 0, 0, 1},
    };
    for (const ModifierCase& c : cases) {
        SCOPED_TRACE(c.name);
        KeyboardWorld world;
        TKvKeyboard& model = world.Create();
        for (const KeyStep& step : c.steps) model.SetKeyPressed(step.code, step.press);
        EXPECT_EQ(model.ModsSided(), c.sided);
        EXPECT_EQ(model.ModsAny(), c.any);
        EXPECT_EQ(model.KeyState()[16], c.shift);
        EXPECT_EQ(model.KeyState()[17], c.ctrl);
        EXPECT_EQ(model.KeyState()[18], c.alt);
        EXPECT_EQ(model.PressedCount(), c.pressedCount);
        for (const KeyStep& step : c.steps) {
            EXPECT_EQ(model.KeyState()[step.code], model.IsKeyPressed(step.code) ? 0x81 : 0) << int(step.code);
        }
    }
}

TEST(KeyStateTest, LockKeysToggleOnPressOnly) {
    KeyboardWorld world;
    TKvKeyboard& model = world.Create();
    for (std::uint8_t lock : {20, 144, 145}) {
        SCOPED_TRACE(int(lock));
        const std::vector<std::pair<bool, std::uint8_t>> steps = {{true, 1}, {false, 1}, {true, 0}, {false, 0}};
        for (const auto& [press, expected] : steps) {
            model.SetKeyPressed(lock, press);
            EXPECT_EQ(model.KeyState()[lock], expected);
        }
        EXPECT_EQ(model.PressedCount(), 0);
    }
}

TEST(KeyStateTest, StateKeysRedrawEverythingOtherKeysOnlyThemselves) {
    KeyboardWorld world;
    TKvKeyboard& model = world.Create();
    world.canvas.ForgetDrawing();
    model.SetKeyPressed(65, true);
    EXPECT_EQ(world.canvas.fullDraws, 0);
    EXPECT_EQ(world.canvas.drawnKeys, std::vector<std::uint8_t>{65});
    for (std::uint8_t state : {20, 91, 144, 160, 165}) {
        world.canvas.ForgetDrawing();
        model.SetKeyPressed(state, true);
        EXPECT_EQ(world.canvas.fullDraws, 1) << int(state);
    }
    world.canvas.ForgetDrawing();
    model.SetKeyPressed(124, true);  // F13: a key without outline is tracked but not drawn
    EXPECT_TRUE(model.IsKeyPressed(124));
    EXPECT_TRUE(world.canvas.drawnKeys.empty());
}

TEST(DrawingTest, SwitchesRedrawOnlyWhereTheyShould) {
    KeyboardWorld world;
    TKvKeyboard& model = world.Create();
    int painted = 0;
    model.OnPaint = [&] { ++painted; };
    struct Step {
        const char* name;
        std::function<void()> act;
        int fullDraws;
    };
    const Step steps[] = {
        {"frame unchanged", [&] { model.SetFrameVisible(true); }, 0},
        {"frame hidden", [&] { model.SetFrameVisible(false); }, 1},
        {"transparency set to what it is", [&] { model.SetTransparentBackground(false); }, 1},
        {"drawing already enabled", [&] { model.SetDrawEnabled(true); }, 0},
        {"drawing disabled", [&] { model.SetDrawEnabled(false); }, 0},
        {"state key while disabled", [&] { model.SetKeyPressed(160, true); }, 0},
        {"frame shown while disabled", [&] { model.SetFrameVisible(true); }, 0},
        {"drawing enabled again", [&] { model.SetDrawEnabled(true); }, 1},
    };
    for (const Step& step : steps) {
        world.canvas.ForgetDrawing();
        painted = 0;
        step.act();
        EXPECT_EQ(world.canvas.fullDraws, step.fullDraws) << step.name;
        EXPECT_EQ(painted, step.fullDraws) << step.name;
        EXPECT_EQ(world.canvas.copies, step.fullDraws) << step.name;
    }
    EXPECT_TRUE(model.FrameVisible());
}

TEST(KeyboardActivationTest, BecomingActiveReleasesWhatTheSystemHolds) {
    KeyboardWorld world;
    TKvKeyboard& model = world.Create();
    world.Press({65, 160});
    model.MouseMoveTo(490, 80);
    ASSERT_NE(model.HotBtn(), nullptr);
    world.os.keyInput.SetKeyboardStateByte(160, 0x80);
    world.os.keyInput.SetKeyboardStateByte(165, 0x81);
    world.os.keyInput.SetKeyboardStateByte(92, 0x01);  // toggled but up: not released
    world.os.keyInput.SetKeyboardStateByte(16, 0x80);
    world.os.keyInput.SetKeyboardStateByte(20, 0x01);
    world.os.keyInput.SetKeyboardStateByte(66, 0x80);
    world.canvas.ForgetDrawing();

    model.SetActive(true);
    const auto& sent = world.os.keyInput.Sent();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].vk, 160);
    EXPECT_EQ(sent[0].flags, win::kKeyEventKeyUp);
    EXPECT_EQ(sent[1].vk, 165);
    EXPECT_EQ(sent[1].flags, win::kKeyEventKeyUp | win::kKeyEventExtendedKey);
    EXPECT_FALSE(model.IsKeyPressed(65));
    EXPECT_EQ(model.PressedCount(), 0);
    EXPECT_EQ(model.ModsSided(), 0);
    EXPECT_EQ(model.ModsAny(), 0);
    for (std::uint8_t cleared : {16, 17, 18, 92, 160, 165}) EXPECT_EQ(model.KeyState()[cleared], 0) << int(cleared);
    EXPECT_EQ(model.KeyState()[20], 1) << "the system's CapsLock toggle";
    EXPECT_EQ(model.KeyState()[66], 0x80) << "other bytes keep the system's values";
    EXPECT_EQ(model.HotBtn(), nullptr);
    EXPECT_FALSE(model.Btn(8)->Hot());
    EXPECT_GE(world.canvas.fullDraws, 1);

    world.os.keyInput.SetKeyboardStateByte(160, 0x80);
    model.SetActive(true);
    model.SetActive(false);
    EXPECT_FALSE(model.Active());
    EXPECT_EQ(world.os.keyInput.Sent().size(), 2u) << "only a change to active reads the system";
}

struct HotkeyCase {
    const char* name;
    std::vector<std::uint8_t> pressed;
    std::uint8_t key;
    std::uint16_t modifiers;
    std::u16string text;
};

TEST(HotkeyTest, PressedCombinationAndItsText) {
    const HotkeyCase cases[] = {
        {"right Ctrl alone", {163}, 163, 0, u"RCtrl"},
        {"left Shift alone", {160}, 160, 0, u"Shift"},
        {"Win and Shift without a key", {91, 160}, 0, 0x90, u"Win+Shift"},
        {"Ctrl Shift A", {160, 65, 162}, 65, 0x30, u"Ctrl+Shift+A"},
        {"right-hand modifiers", {165, 161, 163, 92, 112}, 112, 0x0F, u"RWin+RCtrl+AltGr+RShift+F1"},
        {"highest non-modifier wins", {66, 65}, 66, 0, u"B"},
        {"a letter alone", {81}, 81, 0, u"Q"},
        {"nothing", {}, 0, 0, u"None"},
    };
    for (const HotkeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        KeyboardWorld world;
        TKvKeyboard& model = world.Create();
        for (std::uint8_t code : c.pressed) model.SetKeyPressed(code, true);
        const PressedCombination combination = model.PressedHotkey();
        EXPECT_EQ(combination.key, c.key);
        EXPECT_EQ(combination.modifiers, c.modifiers);
        EXPECT_EQ(combination.text, c.text);
    }
}

TEST(HotkeyTest, TextOrderNamesAndNoHotkeyText) {
    KeyboardWorld world;
    TKvKeyboard& model = world.Create();
    EXPECT_EQ(model.HotkeyText(65, 0xFF), u"Win+RWin+Ctrl+RCtrl+Alt+AltGr+Shift+RShift+A");
    EXPECT_EQ(model.HotkeyText(0, 0x90), u"Win+Shift");
    EXPECT_EQ(model.HotkeyText(163, 0), u"RCtrl");
    EXPECT_EQ(model.HotkeyText(0, 0), u"None");
    world.lang.SetText(6, u"Keine");
    EXPECT_EQ(model.HotkeyText(0, 0), u"Keine");
    // Names come from the settings model's table, live.
    world.names[162] = world.names[163] = u"Strg";
    world.names[65] = u"Ä";
    EXPECT_EQ(model.HotkeyText(65, 0x22), u"Strg+RStrg+Ä");
}

TEST(HotkeyTest, KeyNameIsTheNameOfThePosition) {
    KeyboardWorld world;
    world.os.keyboard.SetInstalled({kUs, kDe});
    TKvKeyboard& model = world.Create(kDe);
    EXPECT_EQ(model.KeyName(89), u"Z") << "German Y sits where the US Z is";
    EXPECT_EQ(model.KeyName(90), u"Y");
    EXPECT_EQ(model.KeyName(161), u"RShift");
    EXPECT_EQ(model.KeyName(7), u"") << "no key, no name";
    model.SetLayout(kUs);
    EXPECT_EQ(model.KeyName(89), u"Y");
}

TEST(HeldKeysTest, ReleaseAndRestoreAroundSyntheticInput) {
    KeyboardWorld world;
    TKvKeyboard& model = world.Create();
    world.Press({162, 65, 163});
    model.Btn(65)->SetExtended(false);
    model.RememberHeldKeys();
    EXPECT_TRUE(model.SavedHeld(65) && model.SavedHeld(162) && model.SavedHeld(163));
    EXPECT_FALSE(model.SavedHeld(66));
    EXPECT_TRUE(model.AnyModifierHeld());

    auto sentSince = [&](std::size_t from) {
        std::vector<std::pair<int, std::uint32_t>> events;
        const auto& sent = world.os.keyInput.Sent();
        for (std::size_t i = from; i < sent.size(); ++i) events.emplace_back(sent[i].vk, sent[i].flags);
        return events;
    };
    constexpr std::uint32_t up = win::kKeyEventKeyUp, ext = win::kKeyEventExtendedKey;
    model.ReleaseHeldKeys();
    EXPECT_EQ(sentSince(0), (std::vector<std::pair<int, std::uint32_t>>{{65, up}, {162, up}, {163, up | ext}}));
    EXPECT_TRUE(model.IsKeyPressed(65)) << "the model itself is left alone";

    std::size_t mark = world.os.keyInput.Sent().size();
    model.RestoreHeldKeys(true);
    EXPECT_EQ(sentSince(mark), (std::vector<std::pair<int, std::uint32_t>>{{162, 0}, {163, ext}, {27, up}}));

    mark = world.os.keyInput.Sent().size();
    model.RestoreHeldKeys(false);
    EXPECT_EQ(sentSince(mark), (std::vector<std::pair<int, std::uint32_t>>{{65, 0}, {162, 0}, {163, ext}, {27, up}}));

    world.Release({162, 163});
    EXPECT_FALSE(model.AnyModifierHeld());
}

TEST(HoverTest, KeyUnderTheMouseBecomesHot) {
    KeyboardWorld world;
    TKvKeyboard& model = world.Create();
    model.MouseMoveTo(500, 80);  // Backspace
    ASSERT_EQ(model.HotBtn(), model.Btn(8));
    EXPECT_TRUE(model.Btn(8)->Hot());
    EXPECT_EQ(world.os.desktop.Cursor(), CursorShape::Hand);

    world.canvas.ForgetDrawing();
    model.MouseMoveTo(510, 100);
    EXPECT_TRUE(world.canvas.drawnKeys.empty()) << "still over the same key";

    model.MouseMoveTo(1, 1);
    EXPECT_EQ(model.HotBtn(), nullptr);
    EXPECT_FALSE(model.Btn(8)->Hot());
    EXPECT_EQ(world.os.desktop.Cursor(), CursorShape::Default);
    EXPECT_GE(world.canvas.copies, 1);

    model.SetHandCursor(false);
    model.MouseMoveTo(20, 30);  // Esc
    EXPECT_EQ(model.HotBtn(), model.Btn(27));
    EXPECT_EQ(world.os.desktop.Cursor(), CursorShape::Default);
}

TEST(HoverTest, SplitKeyRemembersThePartUnderTheMouse) {
    KeyboardWorld world;
    TKvKeyboard& model = world.Create();
    model.MouseMoveTo(750, 200);
    ASSERT_EQ(model.HotBtn(), model.Btn(13));
    EXPECT_TRUE(model.Btn(13)->Extended());
    model.MouseMoveTo(1, 1);
    model.MouseMoveTo(500, 150);
    ASSERT_EQ(model.HotBtn(), model.Btn(13));
    EXPECT_FALSE(model.Btn(13)->Extended());
}

}  // namespace
}  // namespace kv
