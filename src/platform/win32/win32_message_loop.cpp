#include "platform/win32/win32_message_loop.h"

#include "platform/error.h"
#include "platform/text.h"
#include "platform/win32/win32_text.h"

namespace kv::win32 {

namespace {
constexpr wchar_t kTimerWindowClass[] = L"KvTimerWindow";
// Posted to the loop's own window, with the work's id as wParam.
constexpr UINT kPostedWorkMessage = WM_APP + 1;
}

std::uint64_t Win32Clock::NowMs() const { return GetTickCount64(); }

void Win32Clock::Sleep(std::uint32_t ms) { ::Sleep(ms); }

void Win32Clock::SleepAlertable(std::uint32_t ms) { SleepEx(ms, TRUE); }

std::u16string Win32Clock::LocalDateTimeText() const {
    wchar_t date[128] = {};
    wchar_t time[128] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, 128);
    GetTimeFormatW(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, time, 128);
    return FromWide(date) + u" " + FromWide(time);
}

Win32MessageLoop::Win32MessageLoop() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = TimerWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kTimerWindowClass;
    RegisterClassExW(&wc);
    timerWindow_.Reset(CreateWindowExW(0, kTimerWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                       wc.hInstance, this));
    if (!timerWindow_) throw KvError(u"Cannot create the timer window: " + SystemErrorText(GetLastError()));
}

Win32MessageLoop::~Win32MessageLoop() {
    for (const auto& [id, timer] : timers_) KillTimer(timerWindow_.Get(), id);
}

LRESULT CALLBACK Win32MessageLoop::TimerWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<Win32MessageLoop*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && message == WM_TIMER) {
        auto it = self->timers_.find(static_cast<TimerId>(wParam));
        if (it != self->timers_.end()) {
            auto onTick = it->second.onTick;  // the callback may stop its own timer
            return self->Guarded([&] {
                onTick();
                return LRESULT(0);
            });
        }
        return 0;
    }
    if (self && message == kPostedWorkMessage) {
        self->RunPostedWork(static_cast<PostedWorkId>(wParam));
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void Win32MessageLoop::Run() {
    MSG message;
    while (!quit_) {
        BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0 || got == -1) break;
        if (Observe(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    quit_ = true;
}

bool Win32MessageLoop::Observe(MSG& message) {
    if (onMousePress_) {
        switch (message.message) {
            case WM_LBUTTONDOWN:
            case WM_RBUTTONDOWN:
            case WM_MBUTTONDOWN:
            case WM_NCLBUTTONDOWN:
            case WM_NCRBUTTONDOWN:
            case WM_NCMBUTTONDOWN:
            // The second press of a double click, in windows that ask for double clicks.
            case WM_LBUTTONDBLCLK:
            case WM_RBUTTONDBLCLK:
            case WM_MBUTTONDBLCLK:
            case WM_NCLBUTTONDBLCLK:
            case WM_NCRBUTTONDBLCLK:
            case WM_NCMBUTTONDBLCLK:
                Guarded([this] {
                    onMousePress_();
                    return LRESULT(0);
                });
                break;
            default:
                break;
        }
    }
    // IsDialogMessage dispatches what it takes, so a handler's exception is caught here too.
    for (HWND dialog : dialogWindows_) {
        bool taken = false;
        Guarded([&] {
            taken = IsWindow(dialog) && IsDialogMessageW(dialog, &message);
            return LRESULT(0);
        });
        if (taken) return true;
    }
    return false;
}

void Win32MessageLoop::Quit() {
    if (quit_) return;
    quit_ = true;
    PostQuitMessage(0);
}

void Win32MessageLoop::ProcessPendingMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quit_ = true;
            PostQuitMessage(static_cast<int>(message.wParam));  // leave it for the main loop
            return;
        }
        if (Observe(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void Win32MessageLoop::WaitForMessages(std::uint32_t timeoutMs) {
    MsgWaitForMultipleObjectsEx(0, nullptr, timeoutMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE | MWMO_ALERTABLE);
}

TimerId Win32MessageLoop::StartTimer(std::uint32_t intervalMs, std::function<void()> onTick) {
    const TimerId id = nextTimer_++;
    if (!SetTimer(timerWindow_.Get(), id, intervalMs, nullptr)) {
        throw KvError(u"Cannot start a timer: " + SystemErrorText(GetLastError()));
    }
    timers_[id] = Timer{intervalMs, std::move(onTick)};
    return id;
}

void Win32MessageLoop::EnableTimer(TimerId id, bool enabled) {
    auto it = timers_.find(id);
    if (it == timers_.end()) return;
    if (enabled) {
        SetTimer(timerWindow_.Get(), id, it->second.intervalMs, nullptr);
    } else {
        KillTimer(timerWindow_.Get(), id);
    }
}

PostedWorkId Win32MessageLoop::RegisterPostedWork(std::function<void()> work) {
    const PostedWorkId id = nextPostedWork_++;
    postedWork_[id] = PostedWork{std::move(work), false};
    return id;
}

void Win32MessageLoop::PostWork(PostedWorkId id) {
    auto it = postedWork_.find(id);
    if (it == postedWork_.end() || it->second.posted) return;
    it->second.posted = PostMessageW(timerWindow_.Get(), kPostedWorkMessage, id, 0) != FALSE;
}

void Win32MessageLoop::RunPostedWork(PostedWorkId id) {
    auto it = postedWork_.find(id);
    if (it == postedWork_.end()) return;
    it->second.posted = false;
    auto work = it->second.work;  // the work may unregister itself
    Guarded([&] {
        work();
        return LRESULT(0);
    });
}

void Win32MessageLoop::StopTimer(TimerId id) {
    KillTimer(timerWindow_.Get(), id);
    timers_.erase(id);
}

void Win32MessageLoop::ReportCurrentException() {
    std::u16string text;
    try {
        throw;
    } catch (const KvError& e) {
        text = e.Message();
    } catch (const std::exception& e) {
        text = Utf8ToUtf16(e.what());
    } catch (...) {
        text = u"Unknown exception";
    }
    if (onException_) onException_(text);
}

}  // namespace kv::win32
