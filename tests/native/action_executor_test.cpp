#include <gtest/gtest.h>

#include "actions/action_executor.h"
#include "common/key_classes.h"
#include "common/messages.h"
#include "keyboard_engine_fixture.h"

namespace kv {
namespace {

using test::DeliveredKey;
using test::EngineWorld;

constexpr std::uint8_t kBackspace = 8;
constexpr std::uint16_t kWinShift = hotkey_mod::kLeftWin | hotkey_mod::kLeftShift;

class ActionExecutorTest : public ::testing::Test {
protected:
    ActionExecutorTest() : w({sim::kLayoutUs, sim::kLayoutRu}) {}
    void SetUp() override { ASSERT_TRUE(w.Activate()); }
    void WinShift() {
        w.os.driver.Press(vk::kLeftWin, true);
        w.os.driver.Press(vk::kLeftShift);
        w.os.driver.Release(vk::kLeftShift);
        w.os.driver.Release(vk::kLeftWin, true);
        w.Settle();
    }
    // What the editor received after `from`, without the modifiers' releases and restores.
    std::vector<DeliveredKey> KeysSince(std::size_t from) const {
        std::vector<DeliveredKey> keys;
        for (std::size_t i = from; i < w.delivered.size(); ++i) {
            if (!IsModifierKey(w.delivered[i].vk) && w.delivered[i].vk != 27) keys.push_back(w.delivered[i]);
        }
        return keys;
    }
    EngineWorld w;
};

TEST_F(ActionExecutorTest, ConvertingTypedTextErasesItSwitchesAndReplaysTheSameKeys) {
    // The default chord converts the typed text (and, with nothing typed, the selection).
    for (std::uint8_t key : {'G', 'H'}) w.os.driver.Tap(key);
    w.os.driver.Tap(kBackspace);
    w.os.driver.Tap('B');
    const std::size_t before = w.delivered.size();

    WinShift();

    EXPECT_EQ(w.editor->Layout(), sim::kLayoutRu);
    EXPECT_EQ(KeysSince(before), (std::vector<DeliveredKey>{{kBackspace, false}, {kBackspace, true},
                                                            {kBackspace, false}, {kBackspace, true},
                                                            {'G', false}, {'G', true}, {'H', false}, {'H', true},
                                                            {kBackspace, false}, {kBackspace, true},
                                                            {'B', false}, {'B', true}}));
    EXPECT_EQ(w.Typed().CharsOnScreen(), 2) << "the run is kept, so the hotkey again cycles it on";
    EXPECT_FALSE(w.Typed().Replaying());
    EXPECT_FALSE(w.engine->Hook().HookSuspended());

    const std::size_t second = w.delivered.size();
    WinShift();
    EXPECT_EQ(w.editor->Layout(), sim::kLayoutUs);
    EXPECT_EQ(KeysSince(second).size(), 12u);
}

TEST_F(ActionExecutorTest, SwitchToLayoutWithATextThatIsNoNumberDoesNothing) {
    w.Preset().SetChangeLangTo(2, u"Russian");
    w.Preset().SetSCChangeLangTo(2, EncodeHotkey(vk::kRightShift, 0));
    w.os.driver.Tap(vk::kRightShift, true);
    w.Settle();
    EXPECT_EQ(w.editor->Layout(), sim::kLayoutUs);
    EXPECT_EQ(w.model->mailbox.Current(), nullptr) << "the queue is free again";
}

TEST_F(ActionExecutorTest, WithOneLayoutInstalledTheSwitchDoesNothing) {
    w.os.keyboard.SetInstalled({sim::kLayoutUs});
    w.Preset().SetSCSwitchLang(EncodeHotkey(vk::kRightControl, 0));
    w.os.driver.Tap(vk::kRightControl, true);
    w.Settle();
    EXPECT_EQ(w.editor->SwitchRequests() + w.editor->LanguageChangeRequests(), 0);
}

TEST_F(ActionExecutorTest, LibraryMessagesAreDispatched) {
    for (std::uint8_t key : {'A', 'B'}) w.os.driver.Tap(key);
    ASSERT_EQ(w.Typed().CharsOnScreen(), 2);
    w.os.desktop.PostToWindow(w.appWindow, msg::kCaretActivity, 0, 0);
    w.Settle(10);
    EXPECT_EQ(w.Typed().CharsOnScreen(), 2) << "1186 keeps the run";
    w.os.desktop.PostToWindow(w.appWindow, msg::kCaretActivityResetTyped, 0, 0);
    w.Settle(10);
    EXPECT_EQ(w.Typed().CharsOnScreen(), 0) << "1187 empties it";

    for (std::uint8_t key : {'A', 'B'}) w.os.driver.Tap(key);
    w.os.desktop.PostToWindow(w.appWindow, msg::kLayoutChanged, 0, static_cast<std::intptr_t>(sim::kLayoutRu));
    w.Settle(10);
    EXPECT_EQ(w.Model().Layout(), sim::kLayoutRu);
    EXPECT_EQ(w.Typed().CharsOnScreen(), 2) << "a change the program did not ask for keeps the run";

    w.os.desktop.PostToWindow(w.appWindow, msg::kForegroundChanged, 1234, 0);
    w.Settle(10);
    EXPECT_EQ(w.Typed().CharsOnScreen(), 0) << "typing elsewhere is no run to convert";
}

}  // namespace
}  // namespace kv
