#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

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
    const auto hook = os.driver.Install(handler);
    ASSERT_TRUE(hook);
    std::vector<std::uint32_t> delivered;
    os.driver.onDelivered = [&](const LowLevelKeyEvent& e) { delivered.push_back(e.vkCode); };

    os.driver.Press(0x41);

    EXPECT_EQ(handler.seen, (std::vector<std::string>{"65 down", "66 injected down"}));
    EXPECT_EQ(os.driver.MaxHookDepth(), 2);
    EXPECT_EQ(delivered, std::vector<std::uint32_t>{0x42}) << "the swallowed key never reaches the application";
    EXPECT_TRUE(os.driver.IsDown(0x42));
    EXPECT_FALSE(os.driver.IsDown(0x41));
}

// Records what it saw under its name; swallows the keys it is told to.
class ChainHandler : public IKeyboardHookHandler {
public:
    ChainHandler(std::string name, std::vector<std::string>& log) : name_(std::move(name)), log_(log) {}
    std::uint32_t swallow = 0;
    std::function<void()> whileHandling;
    bool OnKeyEvent(const LowLevelKeyEvent& e) override {
        if (e.flags & kLlkhfUp) return false;
        log_.push_back(name_ + " " + std::to_string(e.vkCode));
        if (whileHandling) whileHandling();
        return e.vkCode == swallow;
    }

private:
    std::string name_;
    std::vector<std::string>& log_;
};

TEST(SimKeyboardDriverTest, HooksFormAChainNewestFirstAndEachRemovesOnlyItself) {
    sim::SimPlatform os;
    std::vector<std::string> log;
    ChainHandler first("first", log), second("second", log);
    auto firstHook = os.driver.Install(first);
    auto secondHook = os.driver.Install(second);
    ASSERT_TRUE(firstHook && secondHook);
    EXPECT_EQ(os.driver.InstalledHooks(), 2u);

    second.swallow = 0x42;
    os.driver.Tap(0x41);
    os.driver.Tap(0x42);
    EXPECT_EQ(log, (std::vector<std::string>{"second 65", "first 65", "second 66"}))
        << "a key the newer hook swallows never reaches the older one";

    log.clear();
    EXPECT_TRUE(secondHook->Remove());
    os.driver.Tap(0x42);
    EXPECT_EQ(log, std::vector<std::string>{"first 66"});

    log.clear();
    secondHook = os.driver.Install(second);
    firstHook.reset();
    os.driver.Tap(0x43);
    EXPECT_EQ(log, std::vector<std::string>{"second 67"}) << "destroying the first removed it alone";
    EXPECT_EQ(os.driver.InstalledHooks(), 1u);
}

TEST(SimKeyboardDriverTest, AHookRemovedWhileAnEventPassesTheChainSeesNoMoreEvents) {
    sim::SimPlatform os;
    std::vector<std::string> log;
    ChainHandler older("older", log), newer("newer", log);
    auto olderHook = os.driver.Install(older);
    auto newerHook = os.driver.Install(newer);
    newer.whileHandling = [&] { olderHook.reset(); };
    os.driver.Tap(0x41);
    newer.whileHandling = nullptr;
    os.driver.Tap(0x42);
    EXPECT_EQ(log, (std::vector<std::string>{"newer 65", "newer 66"}));
    EXPECT_EQ(os.driver.InstalledHooks(), 1u);
}

TEST(SimKeyboardDriverTest, ARefusedRemovalKeepsTheHookWorkingUntilItIsRemoved) {
    sim::SimPlatform os;
    std::vector<std::string> log;
    ChainHandler handler("hook", log);
    auto hook = os.driver.Install(handler);
    os.driver.RefuseRemoval(true);
    EXPECT_FALSE(hook->Remove());
    os.driver.Tap(0x41);
    EXPECT_EQ(log, std::vector<std::string>{"hook 65"});
    os.driver.RefuseRemoval(false);
    EXPECT_TRUE(hook->Remove());
    EXPECT_TRUE(hook->Remove()) << "removing twice is no failure";
    os.driver.Tap(0x42);
    EXPECT_EQ(log, std::vector<std::string>{"hook 65"});
    EXPECT_FALSE(os.driver.Installed());
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
