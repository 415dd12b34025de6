#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
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
    std::uint32_t threadId = 0;
    bool visible = false;
    bool iconic = false;
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
    void SleepAlertable(std::uint32_t ms) override { now_ += ms; }
    std::u16string LocalDateTimeText() const override;

    void Run() override;
    void Quit() override { quit_ = true; }
    bool QuitRequested() const override { return quit_; }
    void ProcessPendingMessages() override;
    void WaitForMessages(std::uint32_t timeoutMs) override;
    TimerId StartTimer(std::uint32_t intervalMs, std::function<void()> onTick) override;
    void StopTimer(TimerId id) override { timers_.erase(id); }
    void EnableTimer(TimerId id, bool enabled) override;
    PostedWorkId RegisterPostedWork(std::function<void()> work) override;
    void UnregisterPostedWork(PostedWorkId id) override { postedWork_.erase(id); }
    void PostWork(PostedWorkId id) override;

    // The GUI thread is stuck for `ms` in a call that neither returns nor pumps messages, while
    // `meanwhile` happens in the rest of the system (the user types): a hook called then waits
    // for the stall to end. Nothing of the loop runs during it; the clock moves on at its end.
    void Stall(std::uint32_t ms, const std::function<void()>& meanwhile = {});
    // When the current stall ends; 0 when the thread is not stalled.
    std::uint64_t StalledUntil() const { return stalledUntil_; }

    // Queued for dispatch on the GUI thread by Run or ProcessPendingMessages.
    void QueueDispatch(std::function<void()> work) { pending_.push_back(std::move(work)); }
    // Run returns once virtual time passes this point, as if the user had stopped watching.
    void SetRunLimit(std::uint64_t ms) { runLimit_ = ms; }
    bool RunHitLimit() const { return runHitLimit_; }
    std::size_t ActiveTimers() const;

private:
    // A paused timer is never due.
    static constexpr std::uint64_t kPaused = ~std::uint64_t{0};
    struct Timer {
        std::uint32_t interval;
        std::uint64_t due;
        std::function<void()> onTick;
    };
    std::uint64_t now_ = 0;
    std::uint64_t stalledUntil_ = 0;
    bool quit_ = false;
    std::uint64_t runLimit_ = 60'000;
    bool runHitLimit_ = false;
    TimerId nextTimer_ = 1;
    std::map<TimerId, Timer> timers_;
    std::vector<std::function<void()>> pending_;
    struct PostedWork {
        std::function<void()> work;
        // Posted order; 0 while not posted.
        std::uint64_t postedAs = 0;
    };
    std::map<PostedWorkId, PostedWork> postedWork_;
    PostedWorkId nextPostedWork_ = 1;
    std::uint64_t postCount_ = 0;
    bool RunPostedWork();
};

// The desktop: windows of every process, programs that can be started, message boxes.
class SimDesktop : public IWindowing,
                   public IProcesses,
                   public IMessageBoxes,
                   public ISystemVersion,
                   public ILocales,
                   public ITextConversion,
                   public ISystemColors,
                   public IProcessPriority,
                   public IForegroundLock {
public:
    static constexpr std::uint32_t kOwnProcessId = 100;

    explicit SimDesktop(SimClockAndLoop& loop);

    // IWindowing
    WindowHandle FindTopLevelWindow(std::u16string_view className, std::u16string_view caption) const override;
    bool IsWindow(WindowHandle window) const override { return windows_.count(window) != 0; }
    // Empties every window's record of received messages.
    void ForgetReceived() {
        for (auto& [handle, window] : windows_) window.received.clear();
    }
    bool IsWindowVisible(WindowHandle window) const override;
    std::vector<WindowHandle> TopLevelWindows() const override;
    bool PostToWindow(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
    std::intptr_t SendToWindow(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                              std::intptr_t lParam) override;
    void ShowWindow(WindowHandle window, int command) override;
    Rect WorkAreaNearest(const Rect& area) const override;
    Rect PrimaryScreen() const override { return monitors_.front().screen; }
    WindowHandle ForegroundWindow() const override { return IsWindow(foreground_) ? foreground_ : kNoWindow; }
    bool SetForegroundWindow(WindowHandle window) override;
    bool IsIconic(WindowHandle window) const override;
    void ShowWindowAsync(WindowHandle window, int command) override;
    std::uint32_t WindowThreadProcessId(WindowHandle window, std::uint32_t* processId) const override;
    std::optional<CaretInfo> ThreadCaret(std::uint32_t threadId) const override;
    std::u16string WindowClassName(WindowHandle window) const override {
        auto it = windows_.find(window);
        return it != windows_.end() ? it->second.className : std::u16string();
    }
    bool ClientToScreen(WindowHandle window, Point& point) const override;
    std::optional<Rect> WindowBounds(WindowHandle window) const override;
    void SetCursorShape(CursorShape shape) override { cursor_ = shape; }

    // IProcesses
    std::u16string ExecutablePath() const override { return executablePath_; }
    std::vector<std::u16string> CommandLineArguments() const override { return arguments_; }
    std::unique_ptr<IStartedProcess> StartHidden(const std::u16string& fullPath) override;
    std::unique_ptr<IHelperProcess> StartHelper(const std::u16string& fullPath, const std::u16string& arguments) override;
    unsigned ProgramBits() const override { return programBits_; }
    void SetProgramBits(unsigned bits) { programBits_ = bits; }
    std::u16string ProcessImagePath(std::uint32_t processId) const override;
    double ProcessCpuTimeMs(std::uint32_t processId) const override;

    // IMessageBoxes
    int Show(WindowHandle owner, std::u16string_view text, std::u16string_view caption, std::uint32_t flags) override;

    // The system: version, locales, text conversion, colours, priority, foreground lock.
    OsVersion Version() const override { return version_; }
    bool Is64BitWindows() const override { return is64Bit_; }
    void Set64BitWindows(bool on) { is64Bit_ = on; }
    std::uint16_t SystemDefaultUILanguage() const override { return uiLanguage_; }
    // Names of the languages of the simulated layouts (US, Russian, German, French).
    std::u16string LanguageName(std::uint16_t languageId) const override;
    void SetRealtimePriority(bool threadAboveNormal) override { priorityCalls_.push_back(threadAboveNormal); }
    std::uint32_t ForegroundLockTimeout() const override { return lockTimeout_; }
    void SetForegroundLockTimeout(std::uint32_t ms) override { lockTimeoutHistory_.push_back(lockTimeout_ = ms); }
    std::uint32_t SystemColor(int index) const override;
    std::uint32_t NearestScreenColor(std::uint32_t color) const override { return color; }
    // Latin-1 stands in for the ANSI code page; other characters become '?', as Windows does.
    std::string ToAnsi(std::u16string_view text) const override;
    std::u16string FromAnsi(std::string_view text) const override;
    // Latin, Greek and Cyrillic, one character at a time as CharUpperBuffW and CharLowerBuffW map.
    char16_t CharToUpper(char16_t c) const override;
    char16_t CharToLower(char16_t c) const override;
    MemoryStatus Memory() const override { return {4ull << 30, 3ull << 30}; }
    OsEdition Edition() const override { return {1, u""}; }

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
    void SetForeground(WindowHandle window) { foreground_ = window; }
    // SetForegroundWindow fails until the program sends some input, as the foreground lock does.
    void LockForeground(bool locked) { foregroundLocked_ = locked; }
    void NoteInputSent() { foregroundLocked_ = false; }
    void SetCaret(std::uint32_t threadId, CaretInfo caret) { carets_[threadId] = caret; }
    void SetProcessImage(std::uint32_t processId, std::u16string path) { images_[processId] = std::move(path); }
    // CPU time of a process grows by `msPerSecond` for every second of virtual time.
    void SetCpuLoad(std::uint32_t processId, double msPerSecond) { cpuLoad_[processId] = msPerSecond; }
    void SetSystemColor(int index, std::uint32_t color) { colors_[index] = color; }
    CursorShape Cursor() const { return cursor_; }
    const std::vector<std::uint32_t>& LockTimeoutHistory() const { return lockTimeoutHistory_; }
    const std::vector<std::pair<WindowHandle, int>>& AsyncShows() const { return asyncShows_; }
    // A program that can be started: its launcher (which opens its windows) runs when StartHidden
    // names it, or, with a start-up time, once the starter has waited that long for it to start.
    void InstallProgram(const std::u16string& fullPath, std::function<void()> launcher, std::uint32_t startupMs = 0);
    const std::vector<std::u16string>& StartedPrograms() const { return started_; }
    // A helper program that StartHelper can start; each start is recorded as "path arguments".
    void InstallHelper(const std::u16string& fullPath) { helperPaths_.push_back(fullPath); }
    const std::vector<std::u16string>& HelperStarts() const { return helperStarts_; }
    int RunningHelpers() const;
    // Every running helper ends at once, as when it crashed.
    void CrashHelpers();
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
    WindowHandle foreground_ = kNoWindow;
    bool foregroundLocked_ = false;
    std::uint32_t lockTimeout_ = 200000;
    std::vector<std::uint32_t> lockTimeoutHistory_;
    std::map<std::uint32_t, CaretInfo> carets_;
    std::map<std::uint32_t, std::u16string> images_;
    std::map<std::uint32_t, double> cpuLoad_;
    std::map<int, std::uint32_t> colors_;
    CursorShape cursor_ = CursorShape::Default;
    std::vector<std::pair<WindowHandle, int>> asyncShows_;
    struct Program {
        std::function<void()> launcher;
        std::uint32_t startupMs = 0;
    };
    std::map<std::u16string, Program> programs_;
    std::vector<std::u16string> started_;
    unsigned programBits_ = 32;
    std::vector<std::u16string> helperPaths_;
    std::vector<std::u16string> helperStarts_;
    // Shared with the helper objects handed out: false once ended.
    std::vector<std::shared_ptr<bool>> helpersRunning_;
    std::vector<SimMonitor> monitors_{{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}}};
    std::vector<ShownBox> boxes_;
    int boxAnswer_ = 1;
};

}  // namespace kv::sim
