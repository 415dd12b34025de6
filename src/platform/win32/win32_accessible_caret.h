#pragma once
// The accessibility side of caret finding on Windows. The questions go to a worker thread of its
// own: an application that is slow or hung holds that thread, never the GUI thread, which waits a
// few milliseconds at most. A late answer is kept and serves the next question about the same
// window; while the worker is still busy, no second question is queued behind it.
#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "platform/accessibility_api.h"

namespace kv::win32 {

class Win32AccessibleCaret final : public IAccessibleCaret {
public:
    Win32AccessibleCaret() = default;
    ~Win32AccessibleCaret() override;
    Win32AccessibleCaret(const Win32AccessibleCaret&) = delete;
    Win32AccessibleCaret& operator=(const Win32AccessibleCaret&) = delete;

    std::optional<Rect> FindCaret(WindowHandle foreground, std::uint32_t budgetMs) override;
    Rect VirtualScreen() const override;

    // What the worker and the GUI thread share; the worker keeps it alive when it outlives us.
    struct Shared {
        std::mutex mutex;
        std::condition_variable changed;
        HWND asked = nullptr;        // the focused window of the pending question
        HWND askedTop = nullptr;     // its foreground window, which names the answer
        bool busy = false;
        bool stop = false;
        std::uint64_t questions = 0;  // numbers the questions, so an answer names its own
        std::uint64_t answered = 0;
        HWND answerTop = nullptr;
        std::optional<RECT> answer;
        std::chrono::steady_clock::time_point answeredAt;
    };

private:
    void StartWorker();

    std::shared_ptr<Shared> shared_;
    std::thread worker_;
};

}  // namespace kv::win32
