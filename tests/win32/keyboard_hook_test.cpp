#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "common/waits.h"
#include "platform/win32/win32_platform.h"

namespace kv {
namespace {

// Low-level hooks see the whole session, including keys other test processes inject at the
// same time, so each test marks its own keys.
class CountingHandler : public IKeyboardHookHandler {
public:
    explicit CountingHandler(std::uintptr_t marker) : marker_(marker) {}
    std::vector<LowLevelKeyEvent> seen;
    bool OnKeyEvent(const LowLevelKeyEvent& event) override {
        if (event.vkCode == VK_F24 && event.extraInfo == marker_) seen.push_back(event);
        return false;
    }

private:
    std::uintptr_t marker_;
};

void SendMarkedTap(win32::Win32Platform& os, WORD vk, std::uintptr_t marker) {
    KeyEvent events[2];
    events[0].vk = vk;
    events[0].extraInfo = marker;
    events[1] = events[0];
    events[1].flags = KEYEVENTF_KEYUP;
    ASSERT_EQ(os.keyInput.SendKeyEvents(events, 2), 2u);
}

// The system calls low-level hooks while their thread waits for messages: wait so until `done`,
// or false after a bound far above what the calls take.
bool WaitForHookCalls(win32::Win32Platform& os, const std::function<bool()>& done) {
    return kv::PumpUntil(os.platform, 10'000, done);
}

TEST(RealKeyboardHookTest, InjectedKeysReachTheHandlerMarkedWithTheirExtraInformation) {
    win32::Win32Platform os;
    CountingHandler handler(0x4B56);
    auto hook = os.keyboardHook.Install(handler);
    ASSERT_TRUE(hook);
    SendMarkedTap(os, VK_F24, 0x4B56);
    ASSERT_TRUE(WaitForHookCalls(os, [&] { return handler.seen.size() >= 2; })) << handler.seen.size();
    EXPECT_TRUE(hook->Remove());
    ASSERT_EQ(handler.seen.size(), 2u);
    EXPECT_EQ(handler.seen[0].message, static_cast<std::uint32_t>(WM_KEYDOWN));
    EXPECT_TRUE(handler.seen[0].flags & kLlkhfInjected);
    EXPECT_EQ(handler.seen[0].extraInfo, 0x4B56u);
    EXPECT_TRUE(handler.seen[1].flags & kLlkhfUp);
}

// The program's own hook and the shortcut capture's exist together; ending one must leave the
// other seeing keys. The hook that stays shows when the keys went by.
TEST(RealKeyboardHookTest, TwoHooksBothSeeKeysAndEndingOneLeavesTheOtherSeeingThem) {
    enum class Ending { RemoveNewer, RemoveOlder, DestroyNewer };
    struct Case {
        const char* name;
        Ending ending;
        std::uintptr_t marker;
    };
    const Case cases[] = {
        {"the newer removed", Ending::RemoveNewer, 0x4B60},
        {"the older removed", Ending::RemoveOlder, 0x4B61},
        {"the newer destroyed", Ending::DestroyNewer, 0x4B62},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        win32::Win32Platform os;
        CountingHandler older(c.marker), newer(c.marker);
        auto olderHook = os.keyboardHook.Install(older);
        auto newerHook = os.keyboardHook.Install(newer);
        ASSERT_TRUE(olderHook && newerHook);

        SendMarkedTap(os, VK_F24, c.marker);
        ASSERT_TRUE(WaitForHookCalls(os, [&] { return older.seen.size() >= 2 && newer.seen.size() >= 2; }))
            << older.seen.size() << " " << newer.seen.size();

        std::unique_ptr<IInstalledKeyboardHook>& ended = c.ending == Ending::RemoveOlder ? olderHook : newerHook;
        CountingHandler& endedHandler = c.ending == Ending::RemoveOlder ? older : newer;
        CountingHandler& staying = c.ending == Ending::RemoveOlder ? newer : older;
        if (c.ending == Ending::DestroyNewer) {
            ended.reset();
        } else {
            EXPECT_TRUE(ended->Remove()) << "the system removed it";
        }

        SendMarkedTap(os, VK_F24, c.marker);
        EXPECT_TRUE(WaitForHookCalls(os, [&] { return staying.seen.size() >= 4; })) << staying.seen.size();
        EXPECT_EQ(endedHandler.seen.size(), 2u) << "nothing after it ended";
        EXPECT_EQ(staying.seen.size(), 4u);
    }
}

// The table of hook slots is fixed: a hook beyond it is refused, and an ended hook's slot
// serves again.
TEST(RealKeyboardHookTest, HooksBeyondTheTableAreRefusedAndAnEndedHooksPlaceServesAgain) {
    win32::Win32Platform os;
    constexpr std::uintptr_t kMarker = 0x4B70;
    std::vector<std::unique_ptr<CountingHandler>> handlers;
    std::vector<std::unique_ptr<IInstalledKeyboardHook>> hooks;
    for (std::size_t i = 0; i < win32::Win32KeyboardHook::kMaxHooks; ++i) {
        handlers.push_back(std::make_unique<CountingHandler>(kMarker));
        hooks.push_back(os.keyboardHook.Install(*handlers.back()));
        ASSERT_TRUE(hooks.back()) << i;
    }
    CountingHandler late(kMarker);
    EXPECT_FALSE(os.keyboardHook.Install(late));

    ASSERT_TRUE(hooks[1]->Remove());
    hooks[1] = os.keyboardHook.Install(late);
    ASSERT_TRUE(hooks[1]);
    SendMarkedTap(os, VK_F24, kMarker);
    ASSERT_TRUE(WaitForHookCalls(os, [&] { return late.seen.size() >= 2 && handlers[0]->seen.size() >= 2; }));
    for (std::size_t i = 0; i < handlers.size(); ++i) {
        EXPECT_EQ(handlers[i]->seen.size(), i == 1 ? 0u : 2u) << i << (i == 1 ? ": its handler left with its hook" : "");
    }
    EXPECT_EQ(late.seen.size(), 2u);
}

// The lock-key fix-up injects keys from inside the hook and relies on the hook seeing them
// before SendInput returns, marked injected.
class ReinjectingHandler : public IKeyboardHookHandler {
public:
    struct Seen {
        std::uint32_t vk;
        std::uint32_t flags;
        int depth;
    };
    ReinjectingHandler(IKeyInput& input, std::uintptr_t marker) : input_(input), marker_(marker) {}
    std::vector<Seen> seen;

    bool OnKeyEvent(const LowLevelKeyEvent& event) override {
        if (event.extraInfo != marker_ || (event.vkCode != VK_F24 && event.vkCode != VK_F23)) return false;
        ++depth_;
        seen.push_back({event.vkCode, event.flags, depth_});
        if (event.vkCode == VK_F24 && !(event.flags & kLlkhfUp)) {
            KeyEvent inner[2];
            inner[0].vk = VK_F23;
            inner[0].extraInfo = marker_;
            inner[1] = inner[0];
            inner[1].flags = KEYEVENTF_KEYUP;
            input_.SendKeyEvents(inner, 2);
        }
        --depth_;
        return false;
    }

private:
    IKeyInput& input_;
    std::uintptr_t marker_;
    int depth_ = 0;
};

TEST(RealKeyboardHookTest, KeysTheHandlerInjectsReenterTheHookBeforeItsCallReturns) {
    win32::Win32Platform os;
    ReinjectingHandler handler(os.keyInput, 0x4B80);
    auto hook = os.keyboardHook.Install(handler);
    ASSERT_TRUE(hook);
    SendMarkedTap(os, VK_F24, 0x4B80);
    ASSERT_TRUE(WaitForHookCalls(os, [&] { return handler.seen.size() >= 4; })) << handler.seen.size();
    EXPECT_TRUE(hook->Remove());

    ASSERT_EQ(handler.seen.size(), 4u);
    EXPECT_EQ(handler.seen[0].vk, static_cast<std::uint32_t>(VK_F24));
    EXPECT_EQ(handler.seen[0].depth, 1);
    for (int i : {1, 2}) {
        SCOPED_TRACE(i);
        EXPECT_EQ(handler.seen[i].vk, static_cast<std::uint32_t>(VK_F23));
        EXPECT_EQ(handler.seen[i].depth, 2) << "seen while the F24 call was still running";
        EXPECT_TRUE(handler.seen[i].flags & kLlkhfInjected);
    }
    EXPECT_FALSE(handler.seen[1].flags & kLlkhfUp);
    EXPECT_TRUE(handler.seen[2].flags & kLlkhfUp);
    EXPECT_EQ(handler.seen[3].vk, static_cast<std::uint32_t>(VK_F24));
    EXPECT_EQ(handler.seen[3].depth, 1);
    EXPECT_TRUE(handler.seen[3].flags & kLlkhfUp);
}

}  // namespace
}  // namespace kv
