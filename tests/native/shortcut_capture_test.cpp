// The shortcut capture dialog's keyboard hook on the simulated Windows, beside the running
// program's own hook: every key is swallowed while the capture runs, chords with Win and single
// modifiers are captured, plain Tab moves to OK, and the program's hotkeys work again afterwards.
#include "dialogs/shortcut_capture.h"

#include <gtest/gtest.h>

#include "common/key_classes.h"
#include "keyboard/kv_keyboard.h"
#include "keyboard_engine_fixture.h"

namespace kv {
namespace {

using test::EngineWorld;
constexpr std::uint8_t kTab = 0x09;

class RecordingView : public IShortcutCaptureView {
public:
    void ShowCaptured(const std::u16string& text) override { shown.push_back(text); }
    bool OkEnabled() const override { return okEnabled; }
    void FocusOk() override { ++focusOk; }
    std::vector<std::u16string> shown;
    bool okEnabled = true;
    int focusOk = 0;
};

class FakeKeyboardVisibility : public IKeyboardVisibilityPort {
public:
    bool KeyboardShown() const override { return shown; }
    void ShowKeyboard() override { shown = true; }
    void HideKeyboard() override { shown = false; }
    bool shown = false;
};

class ShortcutCaptureTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(w.Activate());
        capture.SetView(&view);
        oldText = capture.Begin(w.Preset().SCSwitchLang());
        capture.Start();
        ASSERT_TRUE(capture.Capturing());
    }
    void Chord(std::initializer_list<std::pair<std::uint8_t, bool>> keys) {
        for (const auto& [key, extended] : keys) w.os.driver.Press(key, extended);
        for (auto it = std::rbegin(keys); it != std::rend(keys); ++it) w.os.driver.Release(it->first, it->second);
    }

    EngineWorld w{{sim::kLayoutUs, sim::kLayoutRu}};
    // As the program wires it.
    std::function<void(bool)> PassThrough() {
        return [this](bool on) { w.engine->Hook().SetPassThrough(on); };
    }
    FakeKeyboardVisibility onScreenKeyboard;
    ShortcutCapture capture{w.Model(), w.os.platform.keyboardHook, w.app->messageBoxes, w.app->lang, onScreenKeyboard,
                            PassThrough()};
    RecordingView view;
    std::u16string oldText;
};

TEST_F(ShortcutCaptureTest, ChordsWithWinAndSingleModifiersAreCapturedAndNoKeyGetsThrough) {
    EXPECT_EQ(oldText, w.Model().HotkeyText(vk::kRightControl, 0)) << "the current hotkey's text";
    Chord({{vk::kLeftWin, true}, {'L', false}});
    EXPECT_EQ(capture.Captured(), EncodeHotkey('L', hotkey_mod::kLeftWin));
    EXPECT_EQ(view.shown.back(), w.Model().HotkeyText('L', hotkey_mod::kLeftWin)) << "shown, and kept after release";

    Chord({{vk::kLeftControl, false}, {vk::kLeftMenu, false}, {'T', false}});
    EXPECT_EQ(capture.Captured(), EncodeHotkey('T', hotkey_mod::kLeftCtrl | hotkey_mod::kLeftAlt));

    Chord({{vk::kRightControl, true}});
    EXPECT_EQ(capture.Captured(), EncodeHotkey(vk::kRightControl, 0)) << "a single modifier is a hotkey";

    Chord({{vk::kLeftWin, true}});
    EXPECT_EQ(capture.Captured(), EncodeHotkey(vk::kLeftWin, 0));

    EXPECT_TRUE(w.delivered.empty()) << "the editor saw " << w.delivered.size() << " key events";
    EXPECT_EQ(w.editor->Layout(), sim::kLayoutUs) << "right Ctrl (the program's switch hotkey) was swallowed too";
}

TEST_F(ShortcutCaptureTest, TheCaptureHoldsWhenTheProgramsHookIsPutBackInFrontOfIt) {
    // The watchdog puts the program's hook back (here after an unlock), in front of the
    // capture's: it then sees every key first and lets the model go of released keys.
    w.engine->Switch().Watchdog().OnSystemNotification(win::kWmWtsSessionChange, win::kWtsSessionUnlock);
    w.Settle(50);
    Chord({{vk::kLeftShift, false}, {'Q', false}});
    EXPECT_EQ(capture.Captured(), EncodeHotkey('Q', hotkey_mod::kLeftShift));
    EXPECT_EQ(view.shown.back(), w.Model().HotkeyText('Q', hotkey_mod::kLeftShift));
    // The program's hotkeys stay quiet although its hook sees the keys first.
    Chord({{vk::kRightControl, true}});
    w.Settle();
    EXPECT_EQ(w.editor->Layout(), sim::kLayoutUs) << "right Ctrl switched the layout during the capture";
    EXPECT_EQ(capture.Captured(), EncodeHotkey(vk::kRightControl, 0));
    capture.End();
    w.os.driver.Tap(vk::kRightControl, true);
    w.Settle();
    EXPECT_EQ(w.editor->Layout(), sim::kLayoutRu) << "and work again after it";
}

TEST_F(ShortcutCaptureTest, OnlyTheLowestOfTwoHeldKeysTakesPart) {
    w.os.driver.Press(vk::kLeftShift);
    w.os.driver.Press('B');
    w.os.driver.Press('A');
    EXPECT_EQ(capture.Captured(), EncodeHotkey('A', hotkey_mod::kLeftShift)) << "the lower code stays, B leaves";
    w.os.driver.Release('A');
    w.os.driver.Release('B');
    w.os.driver.Release(vk::kLeftShift);
    w.os.driver.Press('C');
    EXPECT_EQ(capture.Captured(), EncodeHotkey('C', 0)) << "Shift was let go before C";
    w.os.driver.Release('C');
}

TEST_F(ShortcutCaptureTest, PlainTabMovesToOkShiftTabIsCaptured) {
    Chord({{'Q', false}});
    w.os.driver.Tap(kTab);
    EXPECT_EQ(view.focusOk, 1);
    EXPECT_EQ(capture.Captured(), EncodeHotkey('Q', 0)) << "Tab is not captured";
    Chord({{vk::kLeftShift, false}, {kTab, false}});
    EXPECT_EQ(view.focusOk, 1);
    EXPECT_EQ(capture.Captured(), EncodeHotkey(kTab, hotkey_mod::kLeftShift));
    view.okEnabled = false;
    w.os.driver.Tap(kTab);
    EXPECT_EQ(capture.Captured(), EncodeHotkey(kTab, 0)) << "without OK to go to, Tab is captured";
    EXPECT_TRUE(w.delivered.empty());
}

TEST_F(ShortcutCaptureTest, AKeyTheKeyboardLacksIsSwallowedAndIgnored) {
    constexpr std::uint8_t kUndefinedKey = 0x07;  // no key of any keyboard has this code
    ASSERT_EQ(w.Model().Btn(kUndefinedKey), nullptr) << "the test needs a key the geometry does not have";
    Chord({{'Z', false}});
    Chord({{kUndefinedKey, false}});
    EXPECT_EQ(capture.Captured(), EncodeHotkey('Z', 0));
    EXPECT_TRUE(w.delivered.empty());
}

TEST_F(ShortcutCaptureTest, TheProgramsHotkeysWorkAgainAfterTheCaptureWhateverWayItEnds) {
    Chord({{vk::kRightControl, true}});
    EXPECT_EQ(w.editor->Layout(), sim::kLayoutUs);
    capture.Stop();
    EXPECT_FALSE(capture.Capturing());
    capture.End();
    w.os.driver.Tap(vk::kRightControl, true);
    w.Settle();
    EXPECT_EQ(w.editor->Layout(), sim::kLayoutRu) << "right Ctrl switches the layout again";
    w.os.driver.Tap('A');
    EXPECT_FALSE(w.delivered.empty()) << "keys reach the editor again";

    // Destroyed while capturing (the dialog torn down): the hook goes with it, and the on-screen
    // keyboard it put away comes back.
    onScreenKeyboard.shown = true;
    {
        ShortcutCapture another{w.Model(), w.os.platform.keyboardHook, w.app->messageBoxes, w.app->lang,
                                onScreenKeyboard, PassThrough()};
        another.Begin(0);
        EXPECT_FALSE(onScreenKeyboard.shown);
        another.Start();
        w.os.driver.Tap(vk::kRightControl, true);
        w.Settle();
        EXPECT_EQ(w.editor->Layout(), sim::kLayoutRu) << "swallowed while capturing";
    }
    EXPECT_TRUE(onScreenKeyboard.shown);
    w.os.driver.Tap(vk::kRightControl, true);
    w.Settle();
    EXPECT_EQ(w.editor->Layout(), sim::kLayoutUs);
}

}  // namespace
}  // namespace kv
