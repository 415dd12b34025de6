#pragma once
#include <windows.h>

#include <exception>
#include <functional>
#include <map>
#include <vector>

#include "platform/clock_api.h"
#include "platform/win32/win32_handles.h"

namespace kv::win32 {

class Win32Clock : public IClock {
public:
    std::uint64_t NowMs() const override;
    void Sleep(std::uint32_t ms) override;
    void SleepAlertable(std::uint32_t ms) override;
    std::u16string LocalDateTimeText() const override;
};

// The GUI thread's message loop. Timers live on a message-only window; exceptions raised
// by handlers are caught at the window procedure and handed to the application's handler,
// since they must not unwind through the system's dispatch frames.
class Win32MessageLoop : public IMessageLoop {
public:
    Win32MessageLoop();
    ~Win32MessageLoop() override;

    void Run() override;
    void Quit() override;
    bool QuitRequested() const override { return quit_; }
    void ProcessPendingMessages() override;
    void WaitForMessages(std::uint32_t timeoutMs) override;
    TimerId StartTimer(std::uint32_t intervalMs, std::function<void()> onTick) override;
    void StopTimer(TimerId id) override;
    void EnableTimer(TimerId id, bool enabled) override;
    PostedWorkId RegisterPostedWork(std::function<void()> work) override;
    void UnregisterPostedWork(PostedWorkId id) override { postedWork_.erase(id); }
    void PostWork(PostedWorkId id) override;

    void SetExceptionHandler(std::function<void(const std::u16string&)> handler) { onException_ = std::move(handler); }
    // Sees every mouse-button press the loop takes for one of the thread's windows (the
    // first-run wizard's typing test); an empty function stops it.
    void SetMousePressObserver(std::function<void()> observer) { onMousePress_ = std::move(observer); }
    // Keyboard navigation of a modeless dialog-like window (Tab, Escape as IDCANCEL, Enter as
    // IDOK) through IsDialogMessage, from AddDialogWindow until RemoveDialogWindow.
    void AddDialogWindow(HWND window) { dialogWindows_.push_back(window); }
    void RemoveDialogWindow(HWND window) { std::erase(dialogWindows_, window); }
    // Runs a handler, reporting what it throws instead of letting it escape.
    template <typename F>
    LRESULT Guarded(F&& handler, LRESULT onError = 0) {
        try {
            return handler();
        } catch (...) {
            ReportCurrentException();
            return onError;
        }
    }

private:
    static LRESULT CALLBACK TimerWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void ReportCurrentException();

    UniqueWindow timerWindow_;
    struct Timer {
        std::uint32_t intervalMs;
        std::function<void()> onTick;
    };
    std::map<TimerId, Timer> timers_;
    TimerId nextTimer_ = 1;
    struct PostedWork {
        std::function<void()> work;
        bool posted = false;
    };
    std::map<PostedWorkId, PostedWork> postedWork_;
    PostedWorkId nextPostedWork_ = 1;
    void RunPostedWork(PostedWorkId id);
    bool quit_ = false;
    std::function<void(const std::u16string&)> onException_;
    std::function<void()> onMousePress_;
    std::vector<HWND> dialogWindows_;
    // True when a dialog window took the message.
    bool Observe(MSG& message);
};

}  // namespace kv::win32
