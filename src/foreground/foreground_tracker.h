#pragma once
#include <string>
#include <string_view>

#include "platform/types.h"

namespace kv {

class ICaretFlagPort;
class TKvIcons;
class TKvKeyboard;
struct ForegroundFlags;
struct Platform;
class TypingRun;

// The per-application icon packs of the on-screen keyboard.
class IApplicationIconSource {
public:
    virtual ~IApplicationIconSource() = default;
    virtual const TKvIcons* ForApplication(std::u16string_view exeName, std::u16string_view windowClass) = 0;
    virtual const TKvIcons* Named(std::u16string_view name) = 0;
};

// The window the program gives the focus back to before it acts for the user.
class ILastForegroundWindow {
public:
    virtual ~ILastForegroundWindow() = default;
    virtual void SetLastForegroundWindow(WindowHandle window) = 0;
    virtual WindowHandle LastForegroundWindow() const = 0;
};

// Identifies the application behind the foreground window by executable and window class, and
// from that picks its icon and the flags that change how the program treats it.
class ForegroundTracker {
public:
    ForegroundTracker(Platform& platform, ForegroundFlags& flags, TypingRun& typed, TKvKeyboard& model,
                      ICaretFlagPort& caretFlag, ILastForegroundWindow& lastForeground,
                      std::u16string ownExecutableName);

    // Null until icon packs are available: the keyboard then shows no application icon.
    void SetIconSource(IApplicationIconSource* icons) { icons_ = icons; }

    // `window` 0: the library saw the foreground change but not the window.
    void TrackForeground(WindowHandle window);
    void ClassifyApplication(std::u16string_view exeName, std::u16string_view className);
    // The Vista poll: true when the foreground window changed since it was last seen.
    bool CheckForegroundChanged();

private:
    void ShowApplicationIcon(const TKvIcons* icons);
    std::u16string_view DesktopIconName() const;

    Platform& platform_;
    ForegroundFlags& flags_;
    TypingRun& typed_;
    TKvKeyboard& model_;
    ICaretFlagPort& caretFlag_;
    ILastForegroundWindow& lastForeground_;
    IApplicationIconSource* icons_ = nullptr;
    std::u16string ownExecutableName_;  // upper case
};

}  // namespace kv
