#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "actions/action_executor.h"
#include "foreground/foreground_tracker.h"
#include "activation/hook_host32.h"
#include "activation/hook_watchdog.h"
#include "indicators/system_switch.h"
#include "platform/hook_api.h"
#include "platform/keyboard_api.h"
#include "platform/library_api.h"
#include "platform/clock_api.h"
#include "platform/files_api.h"
#include "platform/process_api.h"
#include "platform/registry_api.h"
#include "platform/windowing_api.h"
#include "platform/types.h"

namespace kv {

class DebugLog;
class ICaretFlagPort;
class ILanguagePanelPort;
class ITrayPort;
class KvMessageBoxes;
class TKvLang;
class TPreset;

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

// What turning the system on and off reaches of the operating system and the program.
struct ActivationServices {
    DebugLog& log;
    KvMessageBoxes& messageBoxes;
    const TKvLang& lang;
    // Its administrator lock keeps the tray's window items off.
    const TPreset& preset;
    ILibraryLoader& libraries;
    IKeyboardHook& keyboardHook;
    IWindowing& windows;
    IKeyboardLayouts& layouts;
    IClock& clock;
    IMessageLoop& loop;
    IRegistry& registry;
    IProcesses& processes;
    const IFileSystem& files;
    // The program's folder, where the hook library and the 32-bit host lie; ends with a backslash.
    std::u16string appFolder;
    bool isVistaOrLater = false;
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
    Activation(ActivationServices services, IKeyboardHookHandler& hookProcedure, IActivationEffects& effects,
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

    ActivationServices s_;
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
