#include "sim_desktop.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "platform/text.h"
#include "platform/win_constants.h"
#include "sim_case_mapping.h"

namespace kv::sim {

std::u16string SimClockAndLoop::LocalDateTimeText() const {
    const std::uint64_t seconds = now_ / 1000;
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "10.12.2026 %02u:%02u:%02u", unsigned(seconds / 3600 % 24),
                  unsigned(seconds / 60 % 60), unsigned(seconds % 60));
    return Utf8ToUtf16(buffer);
}

void SimClockAndLoop::Stall(std::uint32_t ms, const std::function<void()>& meanwhile) {
    stalledUntil_ = now_ + ms;
    if (meanwhile) meanwhile();
    now_ = std::max(now_, stalledUntil_);
    stalledUntil_ = 0;
}

PostedWorkId SimClockAndLoop::RegisterPostedWork(std::function<void()> work) {
    const PostedWorkId id = nextPostedWork_++;
    postedWork_[id] = PostedWork{std::move(work), 0};
    return id;
}

void SimClockAndLoop::PostWork(PostedWorkId id) {
    auto it = postedWork_.find(id);
    if (it != postedWork_.end() && it->second.postedAs == 0) it->second.postedAs = ++postCount_;
}

// Runs the work posted first, if any.
bool SimClockAndLoop::RunPostedWork() {
    auto first = postedWork_.end();
    for (auto it = postedWork_.begin(); it != postedWork_.end(); ++it) {
        if (it->second.postedAs != 0 && (first == postedWork_.end() || it->second.postedAs < first->second.postedAs)) {
            first = it;
        }
    }
    if (first == postedWork_.end()) return false;
    first->second.postedAs = 0;
    auto work = first->second.work;  // the work may unregister itself
    work();
    return true;
}

void SimClockAndLoop::ProcessPendingMessages() {
    for (;;) {
        if (!pending_.empty()) {
            auto work = std::move(pending_.front());
            pending_.erase(pending_.begin());
            work();
        } else if (!RunPostedWork()) {
            break;
        }
    }
    // Due timers post WM_TIMER, which a pumped wait dispatches too.
    for (auto it = timers_.begin(); it != timers_.end();) {
        const TimerId id = it->first;
        if (it->second.due > now_) {
            ++it;
            continue;
        }
        it->second.due = now_ + it->second.interval;
        auto onTick = it->second.onTick;
        onTick();
        it = timers_.upper_bound(id);
    }
}

void SimClockAndLoop::WaitForMessages(std::uint32_t timeoutMs) {
    if (!pending_.empty()) return;
    for (const auto& [id, posted] : postedWork_) {
        if (posted.postedAs != 0) return;
    }
    std::uint64_t wakeAt = now_ + timeoutMs;
    for (const auto& [id, timer] : timers_) {
        if (timer.due != kPaused) wakeAt = std::min(wakeAt, std::max(timer.due, now_));
    }
    now_ = wakeAt;
}

TimerId SimClockAndLoop::StartTimer(std::uint32_t intervalMs, std::function<void()> onTick) {
    const TimerId id = nextTimer_++;
    timers_[id] = Timer{intervalMs, now_ + intervalMs, std::move(onTick)};
    return id;
}

void SimClockAndLoop::EnableTimer(TimerId id, bool enabled) {
    auto it = timers_.find(id);
    if (it != timers_.end()) it->second.due = enabled ? now_ + it->second.interval : kPaused;
}

std::size_t SimClockAndLoop::ActiveTimers() const {
    return static_cast<std::size_t>(
        std::count_if(timers_.begin(), timers_.end(), [](const auto& t) { return t.second.due != kPaused; }));
}

void SimClockAndLoop::Run() {
    runHitLimit_ = false;
    while (!quit_) {
        ProcessPendingMessages();
        if (quit_) break;
        auto next = std::min_element(timers_.begin(), timers_.end(),
                                     [](const auto& a, const auto& b) { return a.second.due < b.second.due; });
        if (next == timers_.end() || next->second.due > runLimit_) {
            // Nothing left to happen before the limit: the program would wait for input forever.
            now_ = std::max(now_, runLimit_);
            runHitLimit_ = true;
            return;
        }
        now_ = std::max(now_, next->second.due);
        next->second.due = now_ + next->second.interval;
        auto onTick = next->second.onTick;  // the callback may stop (erase) its own timer
        onTick();
    }
}

SimDesktop::SimDesktop(SimClockAndLoop& loop) : loop_(loop) {}

WindowHandle SimDesktop::FindTopLevelWindow(std::u16string_view className, std::u16string_view caption) const {
    for (WindowHandle handle : zOrder_) {
        const SimWindow& w = windows_.at(handle);
        if (EqualsIgnoreCaseAscii(w.className, className) && w.caption == caption) return handle;
    }
    return kNoWindow;
}

bool SimDesktop::IsWindowVisible(WindowHandle window) const {
    auto it = windows_.find(window);
    return it != windows_.end() && it->second.visible;
}

std::vector<WindowHandle> SimDesktop::TopLevelWindows() const { return zOrder_; }

bool SimDesktop::PostToWindow(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    SimWindow* target = Find(window);
    if (!target) return false;
    target->received.push_back({message, wParam, lParam, false});
    if (target->proc) {
        loop_.QueueDispatch([this, window, message, wParam, lParam] {
            SimWindow* w = Find(window);
            if (!w || !w->proc) return;
            auto proc = w->proc;  // the window may destroy itself while handling the message
            proc({message, wParam, lParam, false});
        });
    }
    return true;
}

std::intptr_t SimDesktop::SendToWindow(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                      std::intptr_t lParam) {
    SimWindow* target = Find(window);
    if (!target) return 0;
    target->received.push_back({message, wParam, lParam, true});
    if (!target->proc) return 0;
    auto proc = target->proc;  // the window may destroy itself while handling the message
    return proc({message, wParam, lParam, true});
}

void SimDesktop::ShowWindow(WindowHandle window, int command) {
    if (SimWindow* w = Find(window)) w->visible = command != 0;
}

Rect SimDesktop::WorkAreaNearest(const Rect& area) const {
    const SimMonitor* best = &monitors_.front();
    long long bestScore = -1;
    for (const auto& monitor : monitors_) {
        const long long overlapW = std::min(area.right, monitor.screen.right) - std::max(area.left, monitor.screen.left);
        const long long overlapH = std::min(area.bottom, monitor.screen.bottom) - std::max(area.top, monitor.screen.top);
        const long long score = (overlapW > 0 && overlapH > 0) ? overlapW * overlapH : 0;
        if (score > bestScore) {
            bestScore = score;
            best = &monitor;
        }
    }
    return best->workArea;
}

bool SimDesktop::SetForegroundWindow(WindowHandle window) {
    if (!IsWindow(window) || foregroundLocked_) return false;
    foreground_ = window;
    return true;
}

bool SimDesktop::IsIconic(WindowHandle window) const {
    auto it = windows_.find(window);
    return it != windows_.end() && it->second.iconic;
}

void SimDesktop::ShowWindowAsync(WindowHandle window, int command) {
    asyncShows_.emplace_back(window, command);
    if (SimWindow* w = Find(window)) {
        if (command == win::kSwRestore) w->iconic = false;
        if (command != win::kSwHide) w->visible = true;
    }
}

std::uint32_t SimDesktop::WindowThreadProcessId(WindowHandle window, std::uint32_t* processId) const {
    auto it = windows_.find(window);
    if (it == windows_.end()) return 0;
    if (processId) *processId = it->second.processId;
    return it->second.threadId ? it->second.threadId : it->second.processId * 10;
}

std::optional<CaretInfo> SimDesktop::ThreadCaret(std::uint32_t threadId) const {
    auto it = carets_.find(threadId);
    if (it == carets_.end()) return std::nullopt;
    return it->second;
}

bool SimDesktop::ClientToScreen(WindowHandle window, Point& point) const {
    auto it = windows_.find(window);
    if (it == windows_.end()) return false;
    point.x += it->second.bounds.left;
    point.y += it->second.bounds.top;
    return true;
}

std::optional<Rect> SimDesktop::WindowBounds(WindowHandle window) const {
    auto it = windows_.find(window);
    if (it == windows_.end()) return std::nullopt;
    return it->second.bounds;
}

std::u16string SimDesktop::ProcessImagePath(std::uint32_t processId) const {
    auto it = images_.find(processId);
    return it != images_.end() ? it->second : std::u16string();
}

double SimDesktop::ProcessCpuTimeMs(std::uint32_t processId) const {
    auto it = cpuLoad_.find(processId);
    return it != cpuLoad_.end() ? it->second * static_cast<double>(loop_.NowMs()) / 1000.0 : 0.0;
}

std::u16string SimDesktop::LanguageName(std::uint16_t languageId) const {
    switch (languageId) {
        case 0x0409: return u"English (United States)";
        case 0x0419: return u"Russian";
        case 0x0407: return u"German (Germany)";
        case 0x040C: return u"French (France)";
        default: return {};
    }
}

std::uint32_t SimDesktop::SystemColor(int index) const {
    auto it = colors_.find(index);
    return it != colors_.end() ? it->second : 0x808080;
}

std::string SimDesktop::ToAnsi(std::u16string_view text) const {
    std::string out;
    for (char16_t c : text) out.push_back(c < 256 ? static_cast<char>(c) : '?');
    return out;
}

std::u16string SimDesktop::FromAnsi(std::string_view text) const {
    std::u16string out;
    for (char c : text) out.push_back(static_cast<unsigned char>(c));
    return out;
}

namespace {

// A started program whose start-up takes virtual time, which passes while the starter waits.
class SimStartedProcess : public IStartedProcess {
public:
    SimStartedProcess(SimClockAndLoop& loop, std::function<void()> launcher, std::uint64_t upAtMs)
        : loop_(loop), launcher_(std::move(launcher)), upAtMs_(upAtMs) {}

    bool WaitUntilStarted(std::uint32_t ms) override {
        if (!launcher_) return true;
        const std::uint64_t now = loop_.NowMs();
        if (now + ms < upAtMs_) {
            loop_.Sleep(ms);
            return false;
        }
        if (upAtMs_ > now) loop_.Sleep(static_cast<std::uint32_t>(upAtMs_ - now));
        std::exchange(launcher_, {})();
        return true;
    }

private:
    SimClockAndLoop& loop_;
    std::function<void()> launcher_;  // empty once the program is up
    std::uint64_t upAtMs_;
};

}  // namespace

std::unique_ptr<IStartedProcess> SimDesktop::StartHidden(const std::u16string& fullPath) {
    started_.push_back(fullPath);
    auto it = programs_.find(fullPath);
    if (it == programs_.end()) return nullptr;
    const Program& program = it->second;
    if (program.startupMs == 0) {
        program.launcher();
        return std::make_unique<SimStartedProcess>(loop_, nullptr, loop_.NowMs());
    }
    return std::make_unique<SimStartedProcess>(loop_, program.launcher, loop_.NowMs() + program.startupMs);
}

namespace {

class SimHelperProcess : public IHelperProcess {
public:
    explicit SimHelperProcess(std::shared_ptr<bool> running) : running_(std::move(running)) {}
    ~SimHelperProcess() override { *running_ = false; }
    bool Running() const override { return *running_; }
    bool End(std::uint32_t) override {
        *running_ = false;
        return true;
    }

private:
    std::shared_ptr<bool> running_;
};

}  // namespace

std::unique_ptr<IHelperProcess> SimDesktop::StartHelper(const std::u16string& fullPath, const std::u16string& arguments) {
    helperStarts_.push_back(fullPath + u" " + arguments);
    if (std::find(helperPaths_.begin(), helperPaths_.end(), fullPath) == helperPaths_.end()) return nullptr;
    auto running = std::make_shared<bool>(true);
    helpersRunning_.push_back(running);
    return std::make_unique<SimHelperProcess>(std::move(running));
}

int SimDesktop::RunningHelpers() const {
    return static_cast<int>(std::count_if(helpersRunning_.begin(), helpersRunning_.end(), [](const auto& r) { return *r; }));
}

void SimDesktop::CrashHelpers() {
    for (auto& running : helpersRunning_) *running = false;
}

int SimDesktop::Show(WindowHandle owner, std::u16string_view text, std::u16string_view caption, std::uint32_t flags) {
    boxes_.push_back({owner, std::u16string(text), std::u16string(caption), flags, loop_.NowMs()});
    return boxAnswer_;
}

WindowHandle SimDesktop::CreateWindow(std::u16string className, std::u16string caption, std::uint32_t processId,
                                      bool visible, SimWindowProc proc) {
    const WindowHandle handle = nextHandle_;
    nextHandle_ += 4;
    SimWindow w;
    w.handle = handle;
    w.className = std::move(className);
    w.caption = std::move(caption);
    w.processId = processId;
    w.visible = visible;
    w.proc = std::move(proc);
    windows_[handle] = std::move(w);
    zOrder_.insert(zOrder_.begin(), handle);
    return handle;
}

void SimDesktop::DestroyWindow(WindowHandle window) {
    windows_.erase(window);
    zOrder_.erase(std::remove(zOrder_.begin(), zOrder_.end(), window), zOrder_.end());
}

SimWindow* SimDesktop::Find(WindowHandle window) {
    auto it = windows_.find(window);
    return it != windows_.end() ? &it->second : nullptr;
}

std::vector<const SimWindow*> SimDesktop::WindowsOfProcess(std::uint32_t processId) const {
    std::vector<const SimWindow*> out;
    for (const auto& [handle, w] : windows_) {
        if (w.processId == processId) out.push_back(&w);
    }
    return out;
}

void SimDesktop::InstallProgram(const std::u16string& fullPath, std::function<void()> launcher,
                                std::uint32_t startupMs) {
    programs_[fullPath] = {std::move(launcher), startupMs};
}

char16_t SimDesktop::CharToUpper(char16_t c) const { return WindowsUpperCase(c); }

char16_t SimDesktop::CharToLower(char16_t c) const { return WindowsLowerCase(c); }

}  // namespace kv::sim
