#include <gtest/gtest.h>

#include <algorithm>

#include "actions/unperformed_actions.h"
#include "common/synthetic_input.h"
#include "hotkeys/kv_actions.h"
#include "common/key_classes.h"
#include "keyboard_engine_fixture.h"
#include "platform/text.h"

namespace kv {
namespace {

using test::EngineWorld;

constexpr std::uint8_t kF9 = 0x78;

// The user pressed the hotkey of a program function, with the debug log on and the on-screen
// keyboard's port recording.
class ProgramFunctionHotkeyStory : public ::testing::Test {
protected:
    ProgramFunctionHotkeyStory() : w({sim::kLayoutUs, sim::kLayoutRu}, 6, true, &keyboardWindow) {
        w.Restart({u"/debug"});
    }
    void SetUp() override { ASSERT_TRUE(w.Activate()); }

    // Left Ctrl + `key` runs the program function.
    void Bind(std::uint8_t key, ProgramFunction function) {
        TKvAction* action = w.model->actions.AddAction(key, hotkey_mod::kLeftCtrl);
        ASSERT_NE(action, nullptr);
        action->SetKind(ActionKind::ProgramFunction);
        action->SetSubKind(static_cast<std::uint8_t>(function));
    }
    // The hook swallows the hotkey and queues its action; the executor runs it on its timer.
    void PressCtrlWith(std::uint8_t key) {
        w.os.driver.Press(vk::kLeftControl);
        w.os.driver.Tap(key);
        w.os.driver.Release(vk::kLeftControl);
    }

    RecordingPorts keyboardWindow;
    EngineWorld w;
};

TEST_F(ProgramFunctionHotkeyStory, AFunctionThisProgramDoesNotCarryOutIsOnlyLoggedWithItsReason) {
    for (const UnperformedAction& entry : kUnperformedActions) {
        SCOPED_TRACE(Utf16ToUtf8(entry.name));
        Bind(kF9, entry.function);
        PressCtrlWith(kF9);
        ASSERT_NE(w.model->mailbox.Current(), nullptr) << "the hotkey was matched";
        // From here on only the executor acts; the hook's own answer to a hotkey (the Escape release
        // it posts) is the same for all.
        const auto sentOtherThanEscape = [&] {
            const auto& sent = w.os.keyInput.Sent();
            return std::count_if(sent.begin(), sent.end(), [](const KeyEvent& e) { return e.vk != kVkEscape; });
        };
        const auto sentBefore = sentOtherThanEscape();
        const int opensBefore = w.os.clipboard.Opens();
        const int changesBefore = w.os.clipboard.ChangeCount();
        const std::size_t keyboardCallsBefore = keyboardWindow.calls.size();
        const int linesBefore = w.LogLinesContaining(entry.reason);

        w.Settle();

        EXPECT_EQ(w.LogLinesContaining(entry.reason), linesBefore + 1);
        EXPECT_EQ(w.LogLinesContaining(u"Hotkey of the " + std::u16string(entry.name) + u" not carried out: "),
                  linesBefore + 1);
        EXPECT_EQ(sentOtherThanEscape(), sentBefore) << "no keys sent";
        EXPECT_EQ(w.os.clipboard.Opens(), opensBefore) << "the clipboard untouched";
        EXPECT_EQ(w.os.clipboard.ChangeCount(), changesBefore);
        EXPECT_EQ(keyboardWindow.calls.size(), keyboardCallsBefore) << "no window shown or hidden";
        EXPECT_EQ(w.editor->Layout(), sim::kLayoutUs);
        EXPECT_EQ(w.editor->SwitchRequests() + w.editor->LanguageChangeRequests(), 0);
        EXPECT_EQ(w.model->mailbox.Current(), nullptr) << "the mailbox is free for the next hotkey";
        EXPECT_FALSE(w.engine->Hook().HookSuspended());
    }
}

TEST_F(ProgramFunctionHotkeyStory, TheOnScreenKeyboardIsTheFunctionThatIsCarriedOut) {
    Bind(kF9, ProgramFunction::OnScreenKeyboard);
    PressCtrlWith(kF9);
    w.Settle();
    EXPECT_EQ(keyboardWindow.Count("ToggleOnScreenKeyboard"), 1);
    EXPECT_EQ(w.LogLinesContaining(u"not carried out"), 0);
}

}  // namespace
}  // namespace kv
