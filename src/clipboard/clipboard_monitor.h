#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock_api.h"
#include "platform/types.h"

namespace kv {

class ClipboardAccess;
class KeySender;
class EventSoundPlayer;
struct ForegroundFlags;
struct Platform;

// Watches clipboard changes system-wide from a hidden window and lends the action executor its
// services around a conversion of selected text: a snapshot of the user's clipboard and its
// delayed restore, the wait for the cut text, and a paste paced for the foreground application.
// Shown by the monitor's creator with ShowWarning when FormatListenerMissing(); fixed English text.
inline constexpr std::u16string_view kMissingListenerWarning = u"Failed to locate Vista Clipboard API";

class TKvClipboardMonitor {
public:
    struct Services {
        Platform& platform;
        EventSoundPlayer& sounds;
        ClipboardAccess& clipboard;
        KeySender& keys;
        const ForegroundFlags& foreground;
        bool vistaOrLater;
    };

    // `window` is the monitor's own hidden window, which receives the notifications.
    TKvClipboardMonitor(Services services, WindowHandle window);
    ~TKvClipboardMonitor();
    TKvClipboardMonitor(const TKvClipboardMonitor&) = delete;
    TKvClipboardMonitor& operator=(const TKvClipboardMonitor&) = delete;

    void StartMonitor();
    void StopMonitor();
    void OnClipboardChange();

    // True when the user's clipboard may be emptied: it is empty, a snapshot of it was taken,
    // or a pending restore still holds one. False when it could not be saved (held open by
    // another program, too large, or its owner hangs): then nothing may empty it.
    bool SaveUserClipboard();
    // The snapshot comes back after the delay, unless the clipboard changed after this call.
    void ScheduleRestore();
    // Until a change arrives that leaves the clipboard with formats, or 300 ms.
    void WaitForClipboardChange();
    // Until the application's cut is readable: the clipboard changed after the program's own
    // emptying (`emptiedSequence`) and holds text. Empty when none came within 300 ms.
    std::u16string WaitForCutText(std::uint32_t emptiedSequence);
    void PasteIntoForeground();

    bool ChangeHandlingEnabled() const { return changeHandlingEnabled_; }
    void SetChangeHandlingEnabled(bool enabled) { changeHandlingEnabled_ = enabled; }
    bool ClipboardChanged() const { return clipboardChanged_; }
    // What the snapshot holds: nothing once it was put back or given up.
    std::size_t SnapshotBytes() const { return snapshot_.size(); }
    void SetClipboardChanged(bool changed) { clipboardChanged_ = changed; }

    // The window's clipboard messages (WM_CHANGECBCHAIN, WM_DRAWCLIPBOARD, WM_CLIPBOARDUPDATE,
    // WM_DESTROYCLIPBOARD); true when handled, with the window procedure's result.
    bool HandleMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam, std::intptr_t& result);

    // Vista or later without the listener functions: the viewer chain stands in.
    bool FormatListenerMissing() const { return services_.vistaOrLater && !useFormatListener_; }

private:
    struct PasteTarget {
        WindowHandle window;
        std::uint32_t tick;
    };
    struct PasteHistory {
        bool stale;
        bool isNew;
    };

    // Forwards a viewer-chain message to the next viewer, never to the monitor itself.
    void ForwardToNextViewer(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
    void StartRestoreTimer(std::uint32_t delayMs);
    void RestoreSnapshot();
    void FreeSnapshot();
    void StopRestoreTimer();
    PasteHistory RecordPasteWindow();
    std::uint32_t Tick() const;

    Services services_;
    const WindowHandle window_;
    const bool useFormatListener_;
    bool listening_ = false;
    // Own flag besides NextViewer: as the only viewer the monitor has no next one, yet must leave.
    bool inViewerChain_ = false;
    WindowHandle nextViewer_ = kNoWindow;
    bool registering_ = false;
    bool changeHandlingEnabled_ = true;
    bool clipboardChanged_ = false;
    std::string snapshot_;
    // A snapshot that a restore may put back: a failed save leaves none.
    bool snapshotUsable_ = false;
    // The clipboard's sequence number when the restore was scheduled: any other means the user changed it.
    std::uint32_t restoreSequence_ = 0;
    int restoreAttempts_ = 0;
    std::optional<TimerId> restoreTimer_;
    std::vector<PasteTarget> pasteWindows_;
};

}  // namespace kv
