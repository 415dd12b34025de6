#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/clock_api.h"
#include "platform/process_api.h"
#include "platform/system_api.h"
#include "platform/windowing_api.h"

namespace kv::sim {

struct SimMessage {
    std::uint32_t message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
    bool sent = false;  // SendMessage rather than PostMessage
};

using SimWindowProc = std::function<std::intptr_t(const SimMessage&)>;

struct SimWindow {
    WindowHandle handle = kNoWindow;
    std::u16string className;
    std::u16string caption;
    std::uint32_t processId = 0;
    bool visible = false;
    Rect bounds{};
    SimWindowProc proc;                // may be empty: messages are only recorded
    std::vector<SimMessage> received;  // every message, posted or sent, in arrival order
};

struct SimMonitor {
    Rect screen;
    Rect workArea;
};

// A virtual clock with the GUI thread's timers and posted-message queue. Time moves only
// when the program sleeps or the loop waits for the next timer.
class SimClockAndLoop : public IClock, public IMessageLoop {
public:
    std::uint64_t NowMs() const override { return now_; }
    void Sleep(std::uint32_t ms) override { now_ += ms; }
    std::u16string LocalDateTimeText() const override;

    void Run() override;
    void Quit() override { quit_ = true; }
    bool QuitRequested() const override { return quit_; }
    void ProcessPendingMessages() override;
    TimerId StartTimer(std::uint32_t intervalMs, std::function<void()> onTick) override;
    void StopTimer(TimerId id) override { timers_.erase(id); }

    // Queued for dispatch on the GUI thread by Run or ProcessPendingMessages.
    void QueueDispatch(std::function<void()> work) { pending_.push_back(std::move(work)); }
    // Run returns once virtual time passes this point, as if the user had stopped watching.
    void SetRunLimit(std::uint64_t ms) { runLimit_ = ms; }
    bool RunHitLimit() const { return runHitLimit_; }
    std::size_t ActiveTimers() const { return timers_.size(); }

private:
    struct Timer {
        std::uint32_t interval;
        std::uint64_t due;
        std::function<void()> onTick;
    };
    std::uint64_t now_ = 0;
    bool quit_ = false;
    std::uint64_t runLimit_ = 60'000;
    bool runHitLimit_ = false;
    TimerId nextTimer_ = 1;
    std::map<TimerId, Timer> timers_;
    std::vector<std::function<void()>> pending_;
};

// The desktop: windows of every process, programs that can be started, message boxes.
class SimDesktop : public IWindowing, public IProcesses, public IMessageBoxes, public ISystemInfo {
public:
    static constexpr std::uint32_t kOwnProcessId = 100;

    explicit SimDesktop(SimClockAndLoop& loop);

    // IWindowing
    WindowHandle FindTopLevelWindow(std::u16string_view className, std::u16string_view caption) const override;
    bool IsWindow(WindowHandle window) const override { return windows_.count(window) != 0; }
    bool IsWindowVisible(WindowHandle window) const override;
    std::vector<WindowHandle> TopLevelWindows() const override;
    bool PostToWindow(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
    std::intptr_t SendToWindow(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                              std::intptr_t lParam) override;
    void ShowWindow(WindowHandle window, int command) override;
    Rect WorkAreaNearest(const Rect& area) const override;

    // IProcesses
    std::u16string ExecutablePath() const override { return executablePath_; }
    std::vector<std::u16string> CommandLineArguments() const override { return arguments_; }
    bool StartHidden(const std::u16string& fullPath) override;

    // IMessageBoxes
    int Show(WindowHandle owner, std::u16string_view text, std::u16string_view caption, std::uint32_t flags) override;

    // ISystemInfo
    OsVersion Version() const override { return version_; }
    bool Is64BitWindows() const override { return is64Bit_; }
    std::uint16_t SystemDefaultUILanguage() const override { return uiLanguage_; }
    void SetRealtimePriority(bool threadAboveNormal) override { priorityCalls_.push_back(threadAboveNormal); }

    // Arrangement and inspection.
    WindowHandle CreateWindow(std::u16string className, std::u16string caption, std::uint32_t processId,
                              bool visible = false, SimWindowProc proc = {});
    void DestroyWindow(WindowHandle window);
    SimWindow* Find(WindowHandle window);
    std::vector<const SimWindow*> WindowsOfProcess(std::uint32_t processId) const;
    void SetExecutablePath(std::u16string path) { executablePath_ = std::move(path); }
    void SetArguments(std::vector<std::u16string> arguments) { arguments_ = std::move(arguments); }
    void SetVersion(OsVersion version) { version_ = version; }
    void SetUILanguage(std::uint16_t language) { uiLanguage_ = language; }
    const std::vector<bool>& PriorityCalls() const { return priorityCalls_; }
    // A program that can be started: its launcher runs when StartHidden names it.
    void InstallProgram(const std::u16string& fullPath, std::function<void()> launcher);
    const std::vector<std::u16string>& StartedPrograms() const { return started_; }
    void SetMonitors(std::vector<SimMonitor> monitors) { monitors_ = std::move(monitors); }

    struct ShownBox {
        WindowHandle owner;
        std::u16string text;
        std::u16string caption;
        std::uint32_t flags;
        std::uint64_t atMs;
    };
    const std::vector<ShownBox>& MessageBoxes() const { return boxes_; }
    void SetMessageBoxAnswer(int answer) { boxAnswer_ = answer; }

private:
    SimClockAndLoop& loop_;
    WindowHandle nextHandle_ = 0x10010;
    std::map<WindowHandle, SimWindow> windows_;
    std::vector<WindowHandle> zOrder_;  // top-level windows, topmost first
    std::u16string executablePath_ = u"C:\\Program Files\\Karmux\\Karmux.exe";
    std::vector<std::u16string> arguments_;
    OsVersion version_{2, 10, 0, 19045};
    bool is64Bit_ = true;
    std::uint16_t uiLanguage_ = 0x0409;
    std::vector<bool> priorityCalls_;
    std::map<std::u16string, std::function<void()>> programs_;
    std::vector<std::u16string> started_;
    std::vector<SimMonitor> monitors_{{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}}};
    std::vector<ShownBox> boxes_;
    int boxAnswer_ = 1;
};

}  // namespace kv::sim
