#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

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

void PumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    MSG message;
    while (GetTickCount() - start < ms) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
}

TEST(RealKeyboardHookTest, InjectedKeysReachTheHandlerMarkedWithTheirExtraInformation) {
    win32::Win32Platform os;
    CountingHandler handler(0x4B56);
    ASSERT_TRUE(os.keyboardHook.Install(handler));
    KeyEvent events[2];
    events[0].vk = VK_F24;
    events[0].extraInfo = 0x4B56;
    events[1] = events[0];
    events[1].flags = KEYEVENTF_KEYUP;
    EXPECT_EQ(os.keyInput.SendKeyEvents(events, 2), 2u);
    PumpFor(300);
    os.keyboardHook.Remove();
    ASSERT_EQ(handler.seen.size(), 2u);
    EXPECT_EQ(handler.seen[0].message, static_cast<std::uint32_t>(WM_KEYDOWN));
    EXPECT_TRUE(handler.seen[0].flags & kLlkhfInjected);
    EXPECT_EQ(handler.seen[0].extraInfo, 0x4B56u);
    EXPECT_TRUE(handler.seen[1].flags & kLlkhfUp);
    EXPECT_FALSE(os.keyboardHook.Installed());
}

TEST(RealKeyboardHookTest, AfterRemovalNothingArrives) {
    win32::Win32Platform os;
    CountingHandler handler(0x4B57);
    ASSERT_TRUE(os.keyboardHook.Install(handler));
    os.keyboardHook.Remove();
    KeyEvent press;
    press.vk = VK_F24;
    press.extraInfo = 0x4B57;
    os.keyInput.SendKeyEvents(&press, 1);
    press.flags = KEYEVENTF_KEYUP;
    os.keyInput.SendKeyEvents(&press, 1);
    PumpFor(200);
    EXPECT_TRUE(handler.seen.empty());
}

}  // namespace
}  // namespace kv
