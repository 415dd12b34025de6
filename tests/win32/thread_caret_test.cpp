// The system caret of another thread as the caret flag reads it: GetGUIThreadInfo's rectangle,
// turned into this per-monitor aware program's pixels, lands where the caret is on the screen.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/win32/win32_windowing.h"

namespace kv::win32 {
namespace {

constexpr int kCaretX = 40, kCaretY = 30, kCaretWidth = 2, kCaretHeight = 18;

// An editor-like window on its own thread with a system caret.
class CaretOwner {
public:
    CaretOwner() {
        thread_ = std::thread([this] {
            HWND hwnd = CreateWindowExW(0, L"STATIC", L"caret owner", WS_POPUP | WS_VISIBLE, 150, 120, 300, 200,
                                        nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
            SetFocus(hwnd);
            CreateCaret(hwnd, nullptr, kCaretWidth, kCaretHeight);
            SetCaretPos(kCaretX, kCaretY);
            ShowCaret(hwnd);
            threadId_.store(GetCurrentThreadId());
            window_.store(hwnd);
            MSG msg;
            while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
            DestroyCaret();
            DestroyWindow(hwnd);
        });
        while (!window_.load()) Sleep(1);
    }
    ~CaretOwner() {
        PostThreadMessageW(threadId_.load(), WM_QUIT, 0, 0);
        thread_.join();
    }
    HWND Window() const { return window_.load(); }
    DWORD ThreadId() const { return threadId_.load(); }

private:
    std::thread thread_;
    std::atomic<HWND> window_{nullptr};
    std::atomic<DWORD> threadId_{0};
};

TEST(ThreadCaret, TheCaretOfAnotherThreadLandsWhereItIsOnTheScreen) {
    CaretOwner owner;
    Win32Windowing windows;
    const std::optional<CaretInfo> caret = windows.ThreadCaret(owner.ThreadId());
    ASSERT_TRUE(caret.has_value());
    ASSERT_EQ(caret->caretWindow, reinterpret_cast<WindowHandle>(owner.Window()));
    EXPECT_EQ(caret->caretRect.Height(), kCaretHeight);

    Point origin{0, 0};
    ASSERT_TRUE(windows.ClientToScreen(caret->caretWindow, origin));
    POINT expected{kCaretX + kCaretWidth, kCaretY};
    MapWindowPoints(owner.Window(), nullptr, &expected, 1);
    EXPECT_EQ(origin.x + caret->caretRect.right, expected.x);
    EXPECT_EQ(origin.y + caret->caretRect.top, expected.y);
}

}  // namespace
}  // namespace kv::win32
