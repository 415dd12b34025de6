// The message loop's mouse-press observer and its dialog windows. The first-run wizard starts a
// fresh typed record through the observer when the user clicks in one of the program's windows:
// every button press taken for a window of the thread reaches it, other input does not, and an
// empty observer stops it. As a dialog window it gets Tab, Escape and Enter like a dialog.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

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

// A modeless window with controls gets the keys of a dialog: Escape in one of its controls
// becomes IDCANCEL for the window (the wizard's close request).
LRESULT CALLBACK RecordCommands(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        auto* commands = reinterpret_cast<std::vector<int>*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (commands) commands->push_back(LOWORD(wParam));
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST(DialogWindowTest, EscapeInAControlIsACancelForTheWindowUntilItIsRemoved) {
    win32::Win32MessageLoop loop;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = RecordCommands;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KvDialogWindowTest";
    RegisterClassExW(&wc);
    HWND window = CreateWindowExW(WS_EX_CONTROLPARENT, wc.lpszClassName, L"", WS_POPUP, 0, 0, 100, 100, nullptr,
                                  nullptr, wc.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    std::vector<int> commands;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&commands));
    HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 50, 20, window,
                                reinterpret_cast<HMENU>(100), wc.hInstance, nullptr);
    ASSERT_NE(edit, nullptr);

    loop.AddDialogWindow(window);
    PostMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 0);
    loop.ProcessPendingMessages();
    EXPECT_EQ(commands, std::vector<int>{IDCANCEL});

    loop.RemoveDialogWindow(window);
    PostMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 0);
    loop.ProcessPendingMessages();
    EXPECT_EQ(commands, std::vector<int>{IDCANCEL}) << "removed: Escape is the edit's own key again";
    DestroyWindow(window);
}

}  // namespace
}  // namespace kv
