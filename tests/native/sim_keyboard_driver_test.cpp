#include <gtest/gtest.h>

#include "platform/win_constants.h"
#include "sim_platform.h"

namespace kv {
namespace {

// Injects a key of its own while handling a physical one, as the program's hook does.
class ReinjectingHandler : public IKeyboardHookHandler {
public:
    explicit ReinjectingHandler(IKeyInput& input) : input_(input) {}
    std::vector<std::string> seen;
    bool OnKeyEvent(const LowLevelKeyEvent& e) override {
        seen.push_back(std::to_string(e.vkCode) + ((e.flags & kLlkhfInjected) ? " injected" : "") +
                       ((e.flags & kLlkhfUp) ? " up" : " down"));
        if (e.vkCode == 0x41 && !(e.flags & kLlkhfInjected) && !(e.flags & kLlkhfUp)) {
            KeyEvent b;
            b.vk = 0x42;
            b.extraInfo = 7;
            input_.SendKeyEvents(&b, 1);
            return true;  // A itself is swallowed
        }
        return false;
    }

private:
    IKeyInput& input_;
};

TEST(SimKeyboardDriverTest, HookRunsSynchronouslyAndReentersForInjectedInput) {
    sim::SimPlatform os;
    ReinjectingHandler handler(os.keyInput);
    ASSERT_TRUE(os.driver.Install(handler));
    std::vector<std::uint32_t> delivered;
    os.driver.onDelivered = [&](const LowLevelKeyEvent& e) { delivered.push_back(e.vkCode); };

    os.driver.Press(0x41);

    EXPECT_EQ(handler.seen, (std::vector<std::string>{"65 down", "66 injected down"}));
    EXPECT_EQ(os.driver.MaxHookDepth(), 2);
    EXPECT_EQ(delivered, std::vector<std::uint32_t>{0x42}) << "the swallowed key never reaches the application";
    EXPECT_TRUE(os.driver.IsDown(0x42));
    EXPECT_FALSE(os.driver.IsDown(0x41));
}

TEST(SimKeyboardDriverTest, AltMakesSystemKeysAndSidedModifiersSetTheSidelessState) {
    sim::SimPlatform os;
    std::vector<LowLevelKeyEvent> delivered;
    os.driver.onDelivered = [&](const LowLevelKeyEvent& e) { delivered.push_back(e); };
    os.driver.Press(0xA4);
    os.driver.Tap(0x09);
    os.driver.Release(0xA4);
    ASSERT_EQ(delivered.size(), 4u);
    EXPECT_EQ(delivered[1].message, win::kWmSysKeyDown);
    EXPECT_TRUE(delivered[1].flags & kLlkhfAltDown);
    EXPECT_FALSE(os.driver.IsDown(0x12));
    os.driver.Press(0xA3, true);
    EXPECT_TRUE(os.driver.IsDown(0x11));
    EXPECT_EQ(delivered.back().message, win::kWmKeyDown);
    EXPECT_TRUE(delivered.back().flags & kLlkhfExtended);
}

}  // namespace
}  // namespace kv
