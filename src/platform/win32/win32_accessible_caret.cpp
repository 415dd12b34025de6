#include "platform/win32/win32_accessible_caret.h"

#include "platform/win32/accessible_caret_queries.h"
#include "platform/win32/dpi_points.h"

namespace kv::win32 {

namespace {

// A late answer serves a question about the same window only this long.
constexpr auto kLateAnswerLifetime = std::chrono::milliseconds(1000);
// At the way out the worker gets this long to finish; one stuck in a hung application is left
// to the end of the process.
constexpr auto kStopWait = std::chrono::milliseconds(200);

std::optional<RECT> AskAccessibility(const AccessibilityLibraries& libraries, HWND focus) {
    if (std::optional<RECT> caret = libraries.MsaaCaret(focus)) {
        // An application reports in its own coordinates: DPI-unaware ones in scaled pixels.
        return LogicalToPhysical(focus, *caret);
    }
    return libraries.UiaCaret();  // UI Automation speaks physical pixels already
}

void WorkerLoop(std::shared_ptr<Win32AccessibleCaret::Shared> shared) {
    const AccessibilityLibraries libraries;
    std::unique_lock lock(shared->mutex);
    for (;;) {
        shared->changed.wait(lock, [&] { return shared->stop || shared->busy; });
        if (shared->stop) return;
        const HWND focus = shared->asked;
        const HWND top = shared->askedTop;
        const std::uint64_t question = shared->questions;
        lock.unlock();
        std::optional<RECT> caret = AskAccessibility(libraries, focus);
        lock.lock();
        shared->answer = caret;
        shared->answerTop = top;
        shared->answered = question;
        shared->answeredAt = std::chrono::steady_clock::now();
        shared->busy = false;
        shared->changed.notify_all();
    }
}

HWND FocusOf(HWND foreground) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    const DWORD thread = GetWindowThreadProcessId(foreground, nullptr);
    if (thread != 0 && GetGUIThreadInfo(thread, &info) && info.hwndFocus) return info.hwndFocus;
    return foreground;
}

}  // namespace

Win32AccessibleCaret::~Win32AccessibleCaret() {
    if (!worker_.joinable()) return;
    std::unique_lock lock(shared_->mutex);
    shared_->stop = true;
    shared_->changed.notify_all();
    const bool idle = shared_->changed.wait_for(lock, kStopWait, [&] { return !shared_->busy; });
    lock.unlock();
    if (idle) {
        worker_.join();
    } else {
        worker_.detach();
    }
}

void Win32AccessibleCaret::StartWorker() {
    shared_ = std::make_shared<Shared>();
    worker_ = std::thread(WorkerLoop, shared_);
}

std::optional<Rect> Win32AccessibleCaret::FindCaret(WindowHandle foreground, std::uint32_t budgetMs) {
    const HWND top = reinterpret_cast<HWND>(foreground);
    // A window of this thread cannot answer while this thread waits for the answer.
    if (!IsWindow(top) || GetWindowThreadProcessId(top, nullptr) == GetCurrentThreadId()) return std::nullopt;
    if (!worker_.joinable()) StartWorker();
    std::unique_lock lock(shared_->mutex);
    if (!shared_->busy) {
        shared_->asked = FocusOf(top);
        shared_->askedTop = top;
        shared_->busy = true;
        ++shared_->questions;
        shared_->changed.notify_all();
        const std::uint64_t question = shared_->questions;
        shared_->changed.wait_for(lock, std::chrono::milliseconds(budgetMs),
                                  [&] { return shared_->answered == question; });
    }
    const bool fresh = std::chrono::steady_clock::now() - shared_->answeredAt < kLateAnswerLifetime;
    if (shared_->answerTop != top || !fresh || !shared_->answer) return std::nullopt;
    const RECT& r = *shared_->answer;
    return Rect{r.left, r.top, r.right, r.bottom};
}

Rect Win32AccessibleCaret::VirtualScreen() const {
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return Rect{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN), top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

}  // namespace kv::win32
