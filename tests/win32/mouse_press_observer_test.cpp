// The message loop's mouse-press observer, which the first-run wizard uses to start a fresh
// typed record when the user clicks in one of the program's windows: every button press taken
// for a window of the thread reaches it, other input does not, and an empty observer stops it.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/win32_message_loop.h"

namespace kv {
namespace {

TEST(MousePressObserverTest, ButtonPressesOfTheThreadsWindowsReachItAndNothingElse) {
    win32::Win32MessageLoop loop;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KvMousePressTestWindow";
    RegisterClassExW(&wc);
    HWND window = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance,
                                  nullptr);
    ASSERT_NE(window, nullptr);
    int presses = 0;
    loop.SetMousePressObserver([&] { ++presses; });
    for (UINT message : {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN, WM_NCLBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP,
                         WM_KEYDOWN, WM_LBUTTONDBLCLK}) {
        PostMessageW(window, message, 0, 0);
    }
    loop.ProcessPendingMessages();
    EXPECT_EQ(presses, 5) << "left, right, middle, a press on the frame and a double click's second press; no "
                             "move, release or key";

    loop.SetMousePressObserver({});
    PostMessageW(window, WM_LBUTTONDOWN, 0, 0);
    loop.ProcessPendingMessages();
    EXPECT_EQ(presses, 5) << "an empty observer stops it";
    DestroyWindow(window);
}

}  // namespace
}  // namespace kv
