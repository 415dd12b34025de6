#include <gtest/gtest.h>

#include "common/key_classes.h"
#include "common/messages.h"
#include "common/synthetic_input.h"
#include "hotkeys/kv_action.h"
#include "common/key_classes.h"
#include "platform/win_constants.h"
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
    EXPECT_EQ(w.Typed().Keys().size(), 12u);
    EXPECT_EQ(w.Typed().CharsOnScreen(), 6);
    EXPECT_EQ(w.Typed().Keys()[0].position, 'G');
    EXPECT_EQ(w.Typed().Keys()[1].isUp, 1);

    TypeKeys({kEnter, kA, kB, kBackspace, kC});
    EXPECT_EQ(w.Typed().CharsOnScreen(), 2);
    ASSERT_EQ(w.Typed().Keys().size(), 8u);
    EXPECT_EQ(w.Typed().Keys()[4].position, kBackspace);
    EXPECT_EQ(w.Typed().Keys()[5].position, kBackspace);

    w.os.driver.Tap(kEnter);
    w.os.driver.Press(vk::kLeftShift);
    w.os.driver.Tap(kA);
    w.os.driver.Release(vk::kLeftShift);
    ASSERT_EQ(w.Typed().Keys().size(), 4u);
    EXPECT_EQ(w.Typed().Keys()[0].position, vk::kLeftShift);
    EXPECT_EQ(w.Typed().Keys()[0].isUp, 0);
    EXPECT_EQ(w.Typed().Keys()[1].position, kA);
    EXPECT_EQ(w.Typed().Keys()[3].position, vk::kLeftShift);
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
        EXPECT_EQ(w.Typed().Recording(), !c.emptied) << c.name;
        EXPECT_EQ(w.Typed().CharsOnScreen(), c.emptied ? 0 : 3) << c.name;
        w.os.driver.Tap(kEnter);
    }

    TypeKeys({kA, kB});
    w.os.driver.Press(vk::kLeftControl);
    w.os.driver.Tap(kC);
    w.os.driver.Release(vk::kLeftControl);
    EXPECT_EQ(w.Typed().CharsOnScreen(), 0) << "Ctrl+C";
    EXPECT_FALSE(w.Typed().Recording());
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
    EXPECT_EQ(w.Typed().Keys().size(), 4u);
    EXPECT_EQ(w.Typed().CharsOnScreen(), 3);
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

// Windows drops a low-level hook whose callback takes too long: the callback sends nothing and
// waits for nothing, its follow-up input comes from the work it posts to the GUI thread.
TEST_F(KeyboardHookTest, TheCallbackSendsNothingItsFollowUpInputComesAfterItReturns) {
    struct Case {
        const char* name;
        std::uint8_t modifier;  // held around the hotkey's key; 0 for none
        std::uint8_t key;
        bool extended;
        std::vector<std::pair<std::uint8_t, bool>> followUp;  // key, is up
    };
    const Case cases[] = {
        {"a hotkey with Win held: a lone Escape release", vk::kLeftWin, 38, true, {{kVkEscape, true}}},
        {"a NumLock hotkey: the NumLock pair that brings the system back in step",
         0, vk::kNumLock, true, {{vk::kNumLock, true}, {vk::kNumLock, false}}},
    };
    w.Preset().SetSCUpperCase(EncodeHotkey(38, hotkey_mod::kLeftWin));
    w.Preset().SetSCSwitchLang(EncodeHotkey(vk::kNumLock, 0));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        w.Settle();
        w.os.keyInput.ForgetSent();
        if (c.modifier != 0) w.os.driver.Press(c.modifier, true);
        w.os.driver.Press(c.key, c.extended);
        EXPECT_TRUE(w.os.keyInput.Sent().empty()) << "sent from inside the hook";
        w.os.loop.ProcessPendingMessages();
        // The action itself may follow on its timer.
        std::vector<std::pair<std::uint8_t, bool>> sent;
        for (const KeyEvent& e : w.os.keyInput.Sent()) sent.emplace_back(e.vk, (e.flags & win::kKeyEventKeyUp) != 0);
        sent.resize(std::min(sent.size(), c.followUp.size()));
        EXPECT_EQ(sent, c.followUp) << "first after the hook returned";
        EXPECT_EQ(std::count_if(w.delivered.begin(), w.delivered.end(),
                                [](const DeliveredKey& k) { return k.vk == vk::kNumLock; }),
                  0)
            << "the program's own pair is swallowed";
        w.os.driver.Release(c.key, c.extended);
        if (c.modifier != 0) w.os.driver.Release(c.modifier, true);
    }
}

TEST_F(KeyboardHookTest, AHotkeyWhileAnActionWaitsIsSwallowedAndDropped) {
    w.Preset().SetSCSwitchLang(EncodeHotkey(kQ, hotkey_mod::kLeftCtrl));
    const TKvAction* waiting = w.model->actions.MatchHotkey(kQ, hotkey_mod::kLeftCtrl, hotkey_mod::kLeftCtrl);
    ASSERT_NE(waiting, nullptr);
    const TKvAction other(kB, 0);
    ASSERT_TRUE(w.model->mailbox.Post(other));

    w.os.driver.Press(vk::kLeftControl);
    w.os.driver.Tap(kQ);
    w.os.driver.Release(vk::kLeftControl);
    EXPECT_EQ(std::count(w.delivered.begin(), w.delivered.end(), DeliveredKey{kQ, false}), 0) << "swallowed";
    EXPECT_EQ(w.model->mailbox.Current(), &other) << "the waiting action stays";
    w.model->mailbox.Clear();
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
    KeyboardHookProcedure procedure({w.Model(), w.model->actions, w.model->mailbox, w.Typed(), keys, w.Preset(),
                                     w.app->sounds, effects, effects, w.engine->Scheduler(), w.os.desktop, w.os.loop});
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
