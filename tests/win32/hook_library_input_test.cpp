// KarmuxH.dll and the mouse and keys of the application in front: what each posts.
#include "hook_library_fixture.h"

namespace kv::hooklib_test {
namespace {

constexpr UINT kPointerNotifications[] = {msg::kCaretActivity, msg::kCaretActivityResetTyped, msg::kCaretMovedTo,
                                          msg::kActionsMenuTimerStart, msg::kActionsMenuTimerStop};

// Input posted to the target's window passes through its queue like real input.
TEST_F(HookLibraryTest, ClicksKeysAndTheWheelInTheApplicationInFront) {
    struct Case {
        const char* name;
        bool targetInFront;
        std::vector<UINT> input;
        std::vector<UINT> expected;
    };
    const Case cases[] = {
        {"a left click", true, {WM_LBUTTONDOWN, WM_LBUTTONUP},
         {msg::kCaretActivityResetTyped, msg::kActionsMenuTimerStart, msg::kActionsMenuTimerStop, msg::kCaretMovedTo}},
        {"a key during a left press", true, {WM_LBUTTONDOWN, WM_KEYDOWN},
         {msg::kCaretActivityResetTyped, msg::kActionsMenuTimerStart, msg::kActionsMenuTimerStop}},
        {"a right click", true, {WM_RBUTTONDOWN, WM_RBUTTONUP}, {msg::kCaretActivityResetTyped}},
        {"the wheel", true, {WM_MOUSEWHEEL}, {msg::kCaretActivity}},
        {"a click and the wheel in a window behind", false, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEWHEEL}, {}},
    };
    Hook();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(BringToFront(c.targetInFront ? target_.window : sink_.Get()));
        // Lets the focus events of the switch arrive first.
        PumpUntil(200, nullptr);
        received_.clear();
        for (UINT message : c.input) ASSERT_TRUE(PostMessageW(target_.window, message, 0, MAKELPARAM(5, 5)));
        const auto pointerNotifications = [&] {
            std::vector<UINT> seen;
            for (const Notification& n : received_) {
                if (std::find(std::begin(kPointerNotifications), std::end(kPointerNotifications), n.message) !=
                    std::end(kPointerNotifications))
                    seen.push_back(n.message);
            }
            return seen;
        };
        if (c.expected.empty()) {
            PumpUntil(500, nullptr);  // what must not arrive has this long to show
        } else {
            PumpUntil(3000, [&] { return pointerNotifications().size() >= c.expected.size(); });
            PumpUntil(150, nullptr);  // and anything beyond the expected
        }
        EXPECT_EQ(pointerNotifications(), c.expected) << Describe();
    }
}

// A real click, through the system's input: the point comes with the button going up.
TEST_F(HookLibraryTest, ARealClickGivesThePointWhereTheCaretSettled) {
    Hook();
    ASSERT_TRUE(BringToFront(target_.window));
    RECT area{};
    ASSERT_TRUE(GetWindowRect(target_.window, &area));
    const POINT point{area.left + 37, area.top + 29};
    ASSERT_TRUE(SetCursorPos(point.x, point.y));
    PumpUntil(100, nullptr);
    received_.clear();

    INPUT clicks[2]{};
    clicks[0].type = clicks[1].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ASSERT_EQ(SendInput(2, clicks, sizeof(INPUT)), 2u);
    ASSERT_TRUE(PumpUntil(2000, [&] { return Received(msg::kCaretMovedTo); })) << Describe();

    const auto down = Find(msg::kActionsMenuTimerStart);
    const auto up = Find(msg::kCaretMovedTo);
    EXPECT_EQ(received_[up].lParam, MAKELPARAM(point.x, point.y));
    ASSERT_GE(down, 0) << Describe();
    EXPECT_LT(down, Find(msg::kActionsMenuTimerStop));
}

}  // namespace
}  // namespace kv::hooklib_test
