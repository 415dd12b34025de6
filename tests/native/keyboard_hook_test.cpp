#include <gtest/gtest.h>

#include "common/key_classes.h"
#include "common/messages.h"
#include "keyboard_engine_fixture.h"
#include "recording_ports.h"

namespace kv {
namespace {

using test::DeliveredKey;
using test::EngineWorld;

constexpr std::uint8_t kA = 65, kB = 66, kC = 67, kQ = 81, kBackspace = 8, kEnter = 13, kTab = 9, kLeft = 37,
                       kSpace = 32, kDelete = 46, kHome = 36, kNumpad7 = 103;
constexpr std::uint16_t kWinShift = hotkey_mod::kLeftWin | hotkey_mod::kLeftShift;

class KeyboardHookTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(w.Activate()); }
    void TypeKeys(std::initializer_list<std::uint8_t> keys) {
        for (std::uint8_t key : keys) w.os.driver.Tap(key);
    }
    // Requests by message 1175 and by WM_INPUTLANGCHANGEREQUEST (the Vista path) alike.
    int Switches() const { return w.editor->SwitchRequests() + w.editor->LanguageChangeRequests(); }
    EngineWorld w;
};

TEST_F(KeyboardHookTest, RightCtrlAloneSwitchesTheEditorToTheNextEnabledLayout) {
    w.Preset().DisableLang(sim::kLayoutRu);
    w.Preset().SetSCSwitchLang(EncodeHotkey(vk::kRightControl, 0));

    w.os.driver.Tap(vk::kRightControl, true);
    EXPECT_EQ(w.editor->Layout(), sim::kLayoutUs) << "nothing runs inside the hook";
    w.Settle();

    EXPECT_EQ(w.editor->Layout(), sim::kLayoutDe) << "Russian is disabled";
    EXPECT_EQ(w.Model().Layout(), sim::kLayoutDe);
    EXPECT_EQ(w.delivered, (std::vector<DeliveredKey>{{vk::kRightControl, false}, {vk::kRightControl, true}}))
        << "a single-modifier hotkey acts on the key-up, which is passed on";
    EXPECT_EQ(w.CompanionReceived(msg::kCompanionInputStarts), 1u);
    EXPECT_EQ(w.CompanionReceived(msg::kCompanionInputEnded), 1u);
}

TEST_F(KeyboardHookTest, LeftAndRightShiftAloneSwitchToTheirSlotsLayouts) {
    w.Preset().SetChangeLangTo(0, test::LayoutText(sim::kLayoutRu));
    w.Preset().SetSCChangeLangTo(0, EncodeHotkey(vk::kLeftShift, 0));
    w.Preset().SetChangeLangTo(1, test::LayoutText(sim::kLayoutDe));
    w.Preset().SetSCChangeLangTo(1, EncodeHotkey(vk::kRightShift, 0));

    w.os.driver.Tap(vk::kLeftShift);
    w.Settle();
    EXPECT_EQ(w.editor->Layout(), sim::kLayoutRu);
    w.os.driver.Tap(vk::kRightShift, true);
    w.Settle();
    EXPECT_EQ(w.editor->Layout(), sim::kLayoutDe);
    w.os.driver.Tap(vk::kLeftShift);
    w.Settle();
    EXPECT_EQ(w.editor->Layout(), sim::kLayoutRu);

    // Shift used as Shift is no hotkey.
    w.os.driver.Press(vk::kLeftShift);
    w.os.driver.Tap(kA);
    w.os.driver.Release(vk::kLeftShift);
    w.Settle();
    EXPECT_EQ(Switches(), 3);
}

TEST_F(KeyboardHookTest, ModifierOnlyHotkeyFiresOnceOnTheFirstReleaseAndALetterCancelsIt) {
    // The conversions' default is the same chord, and they would win it.
    w.Preset().SetSCChangeLang(0);
    w.Preset().SetSCChangeSelectedLang(0);
    w.Preset().SetSCSwitchLang(EncodeHotkey(0, kWinShift));

    w.os.driver.Press(vk::kLeftWin, true);
    w.os.driver.Press(vk::kLeftShift);
    w.os.driver.Release(vk::kLeftShift);
    w.os.driver.Release(vk::kLeftWin, true);
    w.Settle();
    EXPECT_EQ(Switches(), 1);
    EXPECT_EQ(w.editor->Layout(), sim::kLayoutRu);

    w.os.driver.Press(vk::kLeftWin, true);
    w.os.driver.Press(vk::kLeftShift);
    w.os.driver.Tap(kA);
    w.os.driver.Release(vk::kLeftShift);
    w.os.driver.Release(vk::kLeftWin, true);
    w.Settle();
    EXPECT_EQ(Switches(), 1) << "a letter in the chord makes it Win+Shift+A";
}

TEST_F(KeyboardHookTest, MatchedKeyDownNeverReachesTheEditorButItsKeyUpDoes) {
    w.Preset().SetSCSwitchLang(EncodeHotkey(kQ, 0));
    TypeKeys({kA, kQ, kB});
    w.Settle();
    EXPECT_EQ(w.delivered, (std::vector<DeliveredKey>{
                               {kA, false}, {kA, true}, {kQ, true}, {kB, false}, {kB, true}}));
    EXPECT_EQ(w.editor->Layout(), sim::kLayoutRu);
}

TEST_F(KeyboardHookTest, TypedBufferRecordsRunsOfPrintableKeys) {
    TypeKeys({'G', 'H', 'B', 'D', 'T', 'N'});
    EXPECT_EQ(w.Typed().TypedCount, 12);
    EXPECT_EQ(w.Typed().TypedChars, 6);
    EXPECT_EQ(w.Typed().TypedBuffer[0].position, 'G');
    EXPECT_EQ(w.Typed().TypedBuffer[1].isUp, 1);

    TypeKeys({kEnter, kA, kB, kBackspace, kC});
    EXPECT_EQ(w.Typed().TypedChars, 2);
    ASSERT_EQ(w.Typed().TypedCount, 8);
    EXPECT_EQ(w.Typed().TypedBuffer[4].position, kBackspace);
    EXPECT_EQ(w.Typed().TypedBuffer[5].position, kBackspace);

    w.os.driver.Tap(kEnter);
    w.os.driver.Press(vk::kLeftShift);
    w.os.driver.Tap(kA);
    w.os.driver.Release(vk::kLeftShift);
    ASSERT_EQ(w.Typed().TypedCount, 4);
    EXPECT_EQ(w.Typed().TypedBuffer[0].position, vk::kLeftShift);
    EXPECT_EQ(w.Typed().TypedBuffer[0].isUp, 0);
    EXPECT_EQ(w.Typed().TypedBuffer[1].position, kA);
    EXPECT_EQ(w.Typed().TypedBuffer[3].position, vk::kLeftShift);
}

TEST_F(KeyboardHookTest, RunsEndAtNavigationAndCtrlLettersButNotAtSpace) {
    struct Case {
        const char* name;
        std::uint8_t key;
        bool extended;
        bool emptied;
    };
    for (const Case& c : {Case{"Enter", kEnter, false, true}, Case{"Tab", kTab, false, true},
                          Case{"Left arrow", kLeft, true, true}, Case{"Space", kSpace, false, false}}) {
        TypeKeys({kA, kB});
        w.os.driver.Tap(c.key, c.extended);
        EXPECT_EQ(w.Typed().TypedRecording, !c.emptied) << c.name;
        EXPECT_EQ(w.Typed().TypedChars, c.emptied ? 0 : 3) << c.name;
        w.os.driver.Tap(kEnter);
    }

    TypeKeys({kA, kB});
    w.os.driver.Press(vk::kLeftControl);
    w.os.driver.Tap(kC);
    w.os.driver.Release(vk::kLeftControl);
    EXPECT_EQ(w.Typed().TypedChars, 0) << "Ctrl+C";
    EXPECT_FALSE(w.Typed().TypedRecording);
}

// Each repeat types the character again, so the run holds it as often as the screen does.
TEST_F(KeyboardHookTest, AutoRepeatRecordsAndClicksOnEveryRepeat) {
    const std::u16string sounds = w.app->folders.soundFolder;
    w.os.files.AddFile(sounds + u"Click.wav", "RIFF");
    w.Preset().SetSound(static_cast<int>(SoundEvent::CharacterKey), u"Click");
    w.Preset().SetSoundEnabled(true);
    w.os.sound.SetSoundLength(0);

    w.os.driver.Press(kA);
    w.os.driver.Press(kA);
    w.os.driver.Press(kA);
    w.os.driver.Release(kA);
    EXPECT_EQ(w.Typed().TypedCount, 4);
    EXPECT_EQ(w.Typed().TypedChars, 3);
    EXPECT_EQ(w.os.sound.Played().size(), 3u);
}

TEST_F(KeyboardHookTest, CapsLockRepeatsAreSwallowedAndTheModelTogglesOnce) {
    w.os.driver.Press(vk::kCapsLock);
    w.os.driver.Press(vk::kCapsLock);
    w.os.driver.Press(vk::kCapsLock);
    w.os.driver.Release(vk::kCapsLock);
    EXPECT_EQ(w.delivered, (std::vector<DeliveredKey>{{vk::kCapsLock, false}, {vk::kCapsLock, true}}));
    EXPECT_EQ(w.Model().KeyState()[vk::kCapsLock], 1);
}

TEST_F(KeyboardHookTest, CtrlAltDelReleasesEveryKeyOfTheModel) {
    w.os.driver.Press(vk::kLeftControl);
    w.os.driver.Press(vk::kLeftMenu);
    w.os.driver.Press(kDelete, true);
    EXPECT_EQ(w.Model().PressedCount(), 0);
    EXPECT_EQ(w.Model().ModsAny(), 0);
}

TEST_F(KeyboardHookTest, NumericPadHomeIsShownAsPadSevenAndPassedOnUnchanged) {
    w.os.driver.Press(kHome);
    EXPECT_TRUE(w.Model().IsKeyPressed(kNumpad7));
    EXPECT_FALSE(w.Model().IsKeyPressed(kHome));
    w.os.driver.Release(kHome);
    w.os.driver.Press(kHome, true);
    EXPECT_TRUE(w.Model().IsKeyPressed(kHome));
    w.os.driver.Release(kHome, true);
    EXPECT_EQ(w.delivered, (std::vector<DeliveredKey>{{kHome, false}, {kHome, true}, {kHome, false}, {kHome, true}}));
}

TEST_F(KeyboardHookTest, AppsHotkeySwallowsBothItsDownAndItsUp) {
    constexpr std::uint8_t kApps = 93;
    w.Preset().SetSCSwitchLang(EncodeHotkey(kApps, 0));
    w.os.driver.Tap(kApps, true);
    w.Settle();
    EXPECT_TRUE(w.delivered.empty()) << "no context menu opens";
    EXPECT_EQ(w.editor->Layout(), sim::kLayoutRu);
}

TEST_F(KeyboardHookTest, SuspendedHookPassesEverythingAndMissedKeyUpsAreReleasedFifteenSecondsLater) {
    w.os.driver.Press(kA);
    auto& hook = w.engine->Hook();
    hook.SuspendHook();
    w.os.driver.Press(kB);
    EXPECT_FALSE(w.Model().IsKeyPressed(kB)) << "the model does not change while suspended";
    hook.ResumeHook();
    EXPECT_TRUE(w.Model().IsKeyPressed(kA));
    w.Settle(14'000);
    EXPECT_TRUE(w.Model().IsKeyPressed(kA));
    w.Settle(1'500);
    EXPECT_FALSE(w.Model().IsKeyPressed(kA)) << "its key-up went by unseen";
    EXPECT_EQ(w.CompanionReceived(msg::kCompanionInputStarts), 1u);
    EXPECT_EQ(w.CompanionReceived(msg::kCompanionInputEnded), 1u);
}

TEST_F(KeyboardHookTest, SelfInjectedInputReentersAtMostSixDeepThenIsSwallowed) {
    // A step that injects a key from inside the hook (as the NumLock fix-up does) re-enters the
    // procedure; without the bound this would recurse until the stack ran out.
    struct InjectingCaretFlag : RecordingPorts {
        IKeyInput* input = nullptr;
        int pokes = 0;
        void PokeCaretFlag() override {
            ++pokes;
            KeyEvent again{};
            again.vk = kB;
            input->SendKeyEvents(&again, 1);
        }
    } effects;
    effects.input = &w.os.keyInput;
    KeySender keys{w.os.keyInput, w.os.keyboard, w.os.loop};
    KeyboardHookProcedure procedure({w.Model(), w.engine->Actions(), w.engine->Queue(), w.Typed(), keys, w.Preset(),
                                     effects, effects, w.engine->Scheduler(), w.os.desktop, w.os.loop});
    w.Preset().SetShowCaretFlag(true);
    const auto hook = w.os.driver.Install(procedure);
    ASSERT_TRUE(hook);

    w.os.driver.Press(kA);
    EXPECT_EQ(effects.pokes, KeyboardHookProcedure::kMaxDepth);
    EXPECT_EQ(w.os.driver.MaxHookDepth(), KeyboardHookProcedure::kMaxDepth + 1);
    EXPECT_EQ(std::count(w.delivered.begin(), w.delivered.end(), DeliveredKey{kB, false}), 5)
        << "only the innermost event is lost";

    effects.input = nullptr;
    w.Preset().SetShowCaretFlag(false);
    w.os.driver.Press(kC);
    EXPECT_TRUE(w.Model().IsKeyPressed(kC)) << "the depth count came back down";
}

}  // namespace
}  // namespace kv
