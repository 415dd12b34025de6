// The accessibility side of caret finding against real MSAA: a window of another thread that
// draws its own caret answers WM_GETOBJECT for OBJID_CARET, and the caret comes back in screen
// pixels. While that thread is hung, the question gives up within its budget and the late answer
// serves the next question.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "drawn_caret_object.h"
#include "platform/win32/win32_accessible_caret.h"

namespace kv::win32 {
namespace {

constexpr RECT kCaretInClient{40, 30, 42, 48};

LRESULT CALLBACK DrawnCaretProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CARET) {
        return test::DrawnCaretObject::Answer(hwnd, wParam, [] { return kCaretInClient; });
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// An application on its own thread, which a test can hang for a while: one that draws its own
// caret and tells accessibility of it, or a plain one that says nothing of a caret.
class DrawnCaretApplication {
public:
    explicit DrawnCaretApplication(bool tellsOfItsCaret = true) : tells_(tellsOfItsCaret) {
        thread_ = std::thread([this] { Run(); });
        while (!window_.load()) Sleep(1);
    }
    ~DrawnCaretApplication() {
        PostMessageW(window_.load(), WM_CLOSE, 0, 0);
        thread_.join();
    }
    HWND Window() const { return window_.load(); }
    RECT CaretOnScreen() const {
        RECT r = kCaretInClient;
        MapWindowPoints(Window(), nullptr, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    // Its thread stops handling messages for `ms`, as a hung application does.
    void Hang(DWORD ms) { PostMessageW(Window(), WM_APP, ms, 0); }

private:
    void Run() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = tells_ ? DrawnCaretProc : DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = tells_ ? L"KvTestDrawnCaret" : L"KvTestPlainWindow";
        RegisterClassW(&wc);
        HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"drawn caret", WS_OVERLAPPEDWINDOW, 120, 90, 300, 200,
                                    nullptr, nullptr, wc.hInstance, nullptr);
        window_.store(hwnd);
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            if (msg.message == WM_APP) {
                Sleep(static_cast<DWORD>(msg.wParam));
                continue;
            }
            if (msg.message == WM_CLOSE) {
                DestroyWindow(hwnd);
                break;
            }
            DispatchMessageW(&msg);
        }
    }

    bool tells_;
    std::thread thread_;
    std::atomic<HWND> window_{nullptr};
};

Rect ToRect(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }

TEST(AccessibleCaret, TheCaretObjectOfAWindowThatDrawsItsOwnCaretComesBackInScreenPixels) {
    DrawnCaretApplication app;
    Win32AccessibleCaret accessibility;
    // The first question starts the worker and COM: a generous budget, which is not what is tested.
    const std::optional<Rect> caret = accessibility.FindCaret(reinterpret_cast<WindowHandle>(app.Window()), 5000);
    ASSERT_TRUE(caret.has_value());
    EXPECT_EQ(*caret, ToRect(app.CaretOnScreen()));

    const Rect screen = accessibility.VirtualScreen();
    EXPECT_GT(screen.Width(), 0);
    EXPECT_GT(screen.Height(), 0);
}

TEST(AccessibleCaret, AHungApplicationGetsNoAnswerInTimeAndItsLateAnswerServesTheNextQuestion) {
    DrawnCaretApplication app;
    Win32AccessibleCaret accessibility;
    const auto window = reinterpret_cast<WindowHandle>(app.Window());
    ASSERT_TRUE(accessibility.FindCaret(window, 5000).has_value()) << "warmed up";
    // An answer serves for a second; this one is too old by the time the application hangs.
    Sleep(1100);

    app.Hang(600);
    Sleep(50);  // the hang has begun
    EXPECT_FALSE(accessibility.FindCaret(window, 8).has_value()) << "the question waited for the hung application";
    // Meanwhile the worker is still held: no second question queues behind it.
    EXPECT_FALSE(accessibility.FindCaret(window, 8).has_value());
    Sleep(900);
    const std::optional<Rect> late = accessibility.FindCaret(window, 8);
    ASSERT_TRUE(late.has_value()) << "the answer that came late";
    EXPECT_EQ(*late, ToRect(app.CaretOnScreen()));
}

TEST(AccessibleCaret, AWindowThatTellsOfNoCaretGivesNone) {
    DrawnCaretApplication plain(false);
    Win32AccessibleCaret accessibility;
    EXPECT_FALSE(accessibility.FindCaret(reinterpret_cast<WindowHandle>(plain.Window()), 5000).has_value());
    EXPECT_FALSE(accessibility.FindCaret(kNoWindow, 5000).has_value());
}

}  // namespace
}  // namespace kv::win32
