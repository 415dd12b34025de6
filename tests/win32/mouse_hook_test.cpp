#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "common/waits.h"
#include "platform/win32/win32_platform.h"

namespace kv {
namespace {

class RecordingClicks : public IMouseHookHandler {
public:
    std::vector<Point> presses;
    void OnMouseButtonDown(Point at) override { presses.push_back(at); }
};

void SendMouse(DWORD flags, DWORD data, LONG dx = 0, LONG dy = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    input.mi.mouseData = data;
    input.mi.dx = dx;
    input.mi.dy = dy;
    ASSERT_EQ(SendInput(1, &input, sizeof(input)), 1u);
}

// The X button: a press nobody on the test desktop acts on.
TEST(RealMouseHookTest, ButtonPressesReachTheHandlerWithTheirPointAndMovesAndReleasesDoNot) {
    win32::Win32Platform os;
    RecordingClicks handler;
    auto hook = os.mouseHook.Install(handler);
    ASSERT_TRUE(hook);
    SendMouse(MOUSEEVENTF_MOVE, 0, 3, 2);
    SendMouse(MOUSEEVENTF_XDOWN, XBUTTON1);
    SendMouse(MOUSEEVENTF_XUP, XBUTTON1);
    // A second press after the release shows the release has been through the hook by then.
    SendMouse(MOUSEEVENTF_XDOWN, XBUTTON1);
    SendMouse(MOUSEEVENTF_XUP, XBUTTON1);
    ASSERT_TRUE(PumpUntil(os.platform, 10'000, [&] { return handler.presses.size() >= 2; }));
    POINT cursor{};
    ASSERT_TRUE(GetCursorPos(&cursor));
    EXPECT_TRUE(hook->Remove());
    ASSERT_EQ(handler.presses.size(), 2u);
    EXPECT_EQ(handler.presses[0], (Point{cursor.x, cursor.y}));

    SendMouse(MOUSEEVENTF_XDOWN, XBUTTON1);
    SendMouse(MOUSEEVENTF_XUP, XBUTTON1);
    PumpUntil(os.platform, 200, [] { return false; });
    EXPECT_EQ(handler.presses.size(), 2u) << "a removed hook sees nothing";
}

}  // namespace
}  // namespace kv
