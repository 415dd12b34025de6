#pragma once
#include <cstdint>
#include <functional>
#include <memory>

#include "actions/action_executor.h"
#include "app/foreground_tracker.h"
#include "app/hook_host32.h"
#include "app/hook_watchdog.h"
#include "indicators/system_switch.h"
#include "platform/hook_api.h"
#include "platform/keyboard_api.h"
#include "platform/library_api.h"
#include "platform/types.h"

namespace kv {

class AppSingletons;
class ICaretFlagPort;
class ILanguagePanelPort;
class ITrayPort;

// The keyboard engine's parts that start and stop with the system.
class IActivationEffects {
public:
    virtual ~IActivationEffects() = default;
    virtual void KeyboardModelOn(bool on) = 0;
    virtual void ClipboardMonitorOn(bool on) = 0;
    virtual void VistaForegroundPoll(bool on) = 0;
    virtual void HideTaskbarWindow() = 0;
    // The system drops a low-level mouse hook on the same occasions as a keyboard hook.
    virtual void ReinstallMouseHook() = 0;
};

// The windows that show whether the system is on.
struct ActivationPorts {
    ITrayPort& tray;
    ICaretFlagPort& caretFlag;
    ILanguagePanelPort& panel;
};

// Turning the system on and off: the hook library, the program's own keyboard hook and the
// watchers that depend on them.
class Activation : public IPanelOnTop, public ILastForegroundWindow, public ISystemSwitch {
public:
    Activation(AppSingletons& app, IKeyboardHookHandler& hookProcedure, IActivationEffects& effects,
               ActivationPorts ports, std::function<void(LayoutHandle)> onLayoutChanged);

    void SetApplicationWindow(WindowHandle window) { applicationWindow_ = window; }
    void SetCompanionWindow(WindowHandle window) { companionWindow_ = window; }

    bool Activate();
    bool Deactivate();
    void SetActive(bool on) override;
    bool Active() const override { return active_; }
    bool LibraryLoaded() const { return library_ != nullptr; }
    void KeepPanelOnTop() override;
    WindowHandle LastForegroundWindow() const override { return lastForegroundWindow_; }
    void SetLastForegroundWindow(WindowHandle window) override { lastForegroundWindow_ = window; }
    // Puts the hooks back while the system is on, when the system may have dropped them.
    HookWatchdog& Watchdog() { return watchdog_; }
    const HookHost32& Host32() const { return hookHost32_; }

private:
    void InstallKeyboardHook();
    void RemoveKeyboardHook();
    void ReinstallHooks(HookWatchdog::Cause cause);

    AppSingletons& app_;
    IKeyboardHookHandler& hookProcedure_;
    IActivationEffects& effects_;
    ActivationPorts ports_;
    std::function<void(LayoutHandle)> onLayoutChanged_;
    std::unique_ptr<IHookLibrary> library_;
    std::unique_ptr<IInstalledKeyboardHook> keyboardHook_;
    WindowHandle applicationWindow_ = kNoWindow;
    WindowHandle companionWindow_ = kNoWindow;
    WindowHandle lastForegroundWindow_ = kNoWindow;
    bool active_ = false;
    std::uint64_t lastTopmostTick_ = 0;
    HookHost32 hookHost32_;
    HookWatchdog watchdog_;
};

inline constexpr std::u16string_view kHookLibraryFileName = u"KarmuxH.dll";

}  // namespace kv
