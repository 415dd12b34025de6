#include "clipboard/clipboard_monitor.h"

#include <algorithm>

#include "clipboard/clipboard_stream.h"
#include "common/foreground_flags.h"
#include "common/synthetic_input.h"
#include "common/waits.h"
#include "platform/platform.h"
#include "platform/win_constants.h"
#include "settings/event_sound_player.h"

namespace kv {

namespace {
constexpr std::uint32_t kRestoreDelayMs = 300;
constexpr std::uint32_t kSlowRestoreDelayMs = 500;
constexpr std::uint32_t kChangeWaitMs = 300;
// A restore that finds the clipboard held open by another program tries again this often.
constexpr int kRestoreAttempts = 10;
constexpr std::uint32_t kRestoreRetryMs = 100;
constexpr std::uint32_t kAfterChangeMs = 30;
constexpr std::size_t kMaxPasteWindows = 100;
constexpr std::uint32_t kPasteWindowStaleMs = 30'000;

struct IdleWait {
    std::uint32_t stepMs;
    std::uint32_t limitMs;
};
// A window pasted into for the first time (or long ago) gets the longer waits.
constexpr IdleWait kSlowAppWaitNew{200, 300};
constexpr IdleWait kSlowAppWaitKnown{100, 350};
constexpr IdleWait kPasteWaitNew{150, 500};
constexpr IdleWait kPasteWaitKnown{50, 250};
}  // namespace

TKvClipboardMonitor::TKvClipboardMonitor(Services services, WindowHandle window)
    : services_(services),
      window_(window),
      useFormatListener_(services.vistaOrLater && services.platform.clipboard.ChangeListenerAvailable()) {}

TKvClipboardMonitor::~TKvClipboardMonitor() {
    StopRestoreTimer();
    StopMonitor();
}

void TKvClipboardMonitor::StartMonitor() {
    registering_ = true;
    IClipboard& clipboard = services_.platform.clipboard;
    if (useFormatListener_) {
        if (!listening_) listening_ = clipboard.AddChangeListener(window_);
    } else if (!inViewerChain_) {
        inViewerChain_ = true;  // before the call: the first WM_DRAWCLIPBOARD arrives during it
        nextViewer_ = clipboard.JoinViewerChain(window_);
    }
    registering_ = false;
}

void TKvClipboardMonitor::StopMonitor() {
    IClipboard& clipboard = services_.platform.clipboard;
    if (useFormatListener_) {
        if (listening_) clipboard.RemoveChangeListener(window_);
        listening_ = false;
    } else if (inViewerChain_) {
        clipboard.LeaveViewerChain(window_, nextViewer_);
        inViewerChain_ = false;
        nextViewer_ = kNoWindow;
    }
}

void TKvClipboardMonitor::OnClipboardChange() {
    clipboardChanged_ = true;
    if (registering_ || !changeHandlingEnabled_) return;
    services_.sounds.PlayEventSound(SoundEvent::ClipboardChanged);
}

bool TKvClipboardMonitor::HandleMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam,
                                        std::intptr_t& result) {
    switch (message) {
        case win::kWmChangeCbChain:
            if (wParam == nextViewer_) {
                nextViewer_ = static_cast<WindowHandle>(lParam);
            } else {
                ForwardToNextViewer(message, wParam, lParam);
            }
            result = 0;
            return true;
        case win::kWmDrawClipboard:
        case win::kWmClipboardUpdate:
            ForwardToNextViewer(message, wParam, lParam);
            OnClipboardChange();
            result = 0;
            return true;
        case win::kWmDestroyClipboard:
            OnClipboardChange();
            result = 0;
            return true;
        case win::kWmDestroy:
            // A window that is gone must not stay in the chain; the form goes on with its own handling.
            StopMonitor();
            return false;
        default:
            return false;
    }
}

void TKvClipboardMonitor::ForwardToNextViewer(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    if (nextViewer_ == kNoWindow || nextViewer_ == window_) return;
    services_.platform.windows.SendToWindow(nextViewer_, message, wParam, lParam);
}

bool TKvClipboardMonitor::SaveUserClipboard() {
    if (restoreTimer_) {
        StopRestoreTimer();
        // The snapshot still holds the user's content from before the pending restore's
        // operation, unless the user copied something since.
        if (services_.clipboard.SequenceNumber() == restoreSequence_) return true;
    }
    FreeSnapshot();
    if (services_.platform.clipboard.FormatCount() == 0) return true;
    snapshotUsable_ = services_.clipboard.SaveClipboardToStream(snapshot_) == SnapshotResult::Saved;
    return snapshotUsable_;
}

void TKvClipboardMonitor::ScheduleRestore() {
    StopRestoreTimer();
    // Without a snapshot a restore would only empty the clipboard and lose the converted text too.
    if (!snapshotUsable_) return;
    restoreSequence_ = services_.clipboard.SequenceNumber();
    restoreAttempts_ = 0;
    StartRestoreTimer(services_.foreground.SlowClipboard ? kSlowRestoreDelayMs : kRestoreDelayMs);
}

void TKvClipboardMonitor::StartRestoreTimer(std::uint32_t delayMs) {
    restoreTimer_ = services_.platform.loop.StartTimer(delayMs, [this] {
        StopRestoreTimer();
        RestoreSnapshot();
    });
}

void TKvClipboardMonitor::RestoreSnapshot() {
    // What the user copied after the conversion stays: the restore only replaces the program's own text.
    const RestoreResult result = services_.clipboard.RestoreUnlessChanged(snapshot_, restoreSequence_);
    if (result == RestoreResult::Busy && ++restoreAttempts_ < kRestoreAttempts) {
        StartRestoreTimer(kRestoreRetryMs);
        return;
    }
    FreeSnapshot();
}

void TKvClipboardMonitor::FreeSnapshot() {
    std::string().swap(snapshot_);
    snapshotUsable_ = false;
}

void TKvClipboardMonitor::StopRestoreTimer() {
    if (!restoreTimer_) return;
    services_.platform.loop.StopTimer(*restoreTimer_);
    restoreTimer_.reset();
}

void TKvClipboardMonitor::WaitForClipboardChange() {
    // The change notification is a window message, so the wait dispatches messages as they come.
    PumpUntil(services_.platform, kChangeWaitMs,
              [this] { return clipboardChanged_ && services_.platform.clipboard.FormatCount() > 0; });
    WaitPumping(services_.platform, kAfterChangeMs);
}

std::u16string TKvClipboardMonitor::WaitForCutText(std::uint32_t emptiedSequence) {
    // The notification of the program's own emptying is posted, so it may arrive during this wait
    // and cannot tell the application's cut; the sequence number can. While the application still
    // holds the clipboard open its text cannot be read; the closing notifies, and the wait looks again.
    std::u16string text;
    PumpUntil(services_.platform, kChangeWaitMs, [&] {
        if (services_.clipboard.SequenceNumber() == emptiedSequence) return false;
        std::optional<std::u16string> read = services_.clipboard.ReadTextIfFree();
        if (!read) return false;
        text = std::move(*read);
        return !text.empty();
    });
    WaitPumping(services_.platform, kAfterChangeMs);
    return text;
}

std::uint32_t TKvClipboardMonitor::Tick() const {
    return static_cast<std::uint32_t>(services_.platform.clock.NowMs());  // a 32-bit tick count wraps
}

TKvClipboardMonitor::PasteHistory TKvClipboardMonitor::RecordPasteWindow() {
    const WindowHandle window = services_.platform.windows.ForegroundWindow();
    if (window == kNoWindow) return {false, false};
    const std::uint32_t now = Tick();
    auto known = std::find_if(pasteWindows_.begin(), pasteWindows_.end(),
                              [window](const PasteTarget& target) { return target.window == window; });
    if (known != pasteWindows_.end()) {
        const bool stale = now - known->tick > kPasteWindowStaleMs;
        known->tick = now;
        return {stale, false};
    }
    if (pasteWindows_.size() >= kMaxPasteWindows) pasteWindows_.clear();
    pasteWindows_.push_back({window, now});
    return {true, true};
}

void TKvClipboardMonitor::PasteIntoForeground() {
    const PasteHistory history = RecordPasteWindow();
    Platform& platform = services_.platform;
    if (history.stale && services_.foreground.SlowClipboard) {
        const IdleWait wait = history.isNew ? kSlowAppWaitNew : kSlowAppWaitKnown;
        WaitForForegroundIdle(platform, wait.stepMs, wait.limitMs);
    }
    const IdleWait wait = history.isNew ? kPasteWaitNew : kPasteWaitKnown;
    WaitForForegroundIdle(platform, wait.stepMs, wait.limitMs);
    services_.keys.SendCtrlV();
}

}  // namespace kv
