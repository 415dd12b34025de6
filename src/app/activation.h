#pragma once
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/hook_api.h"
#include "platform/keyboard_api.h"
#include "platform/library_api.h"
#include "platform/types.h"

namespace kv {

class AppSingletons;

// What starts and stops with the system, owned by other parts of the program.
class IActivationEffects {
public:
    virtual ~IActivationEffects() = default;
    virtual void KeyboardModelOn(bool on) = 0;
    virtual void ClipboardMonitorOn(bool on) = 0;
    // When the caret flag window exists: restart its show cycle, or stop and hide it.
    virtual void CaretFlagOn(bool on) = 0;
    // The tray item that switches the system: its caption and image follow the state.
    virtual void ShowActiveState(bool on) = 0;
    virtual void UpdateTrayIcon() = 0;
    // From the registry's "FLGVisible" unless the panel follows the keyboard; closed when off.
    virtual void RestorePanelVisibility() = 0;
    virtual void ClosePanel() = 0;
    virtual void EnableWindowItems(bool enabled) = 0;
    virtual void VistaForegroundPoll(bool on) = 0;
    virtual void HideTaskbarWindow() = 0;
    // The floating panel when it exists and is visible.
    virtual void RaisePanel() = 0;
};

// Turning the system on and off: the hook library, the program's own keyboard hook and the
// watchers that depend on them.
class Activation {
public:
    Activation(AppSingletons& app, IKeyboardHookHandler& hookProcedure, IActivationEffects& effects,
               std::function<void(LayoutHandle)> onLayoutChanged);

    void SetApplicationWindow(WindowHandle window) { applicationWindow_ = window; }
    void SetCompanionWindow(WindowHandle window) { companionWindow_ = window; }

    bool Activate();
    bool Deactivate();
    void SetActive(bool on);
    bool Active() const { return active_; }
    bool LibraryLoaded() const { return library_ != nullptr; }
    void KeepPanelOnTop();
    WindowHandle LastForegroundWindow() const { return lastForegroundWindow_; }
    void SetLastForegroundWindow(WindowHandle window) { lastForegroundWindow_ = window; }

private:
    void InstallKeyboardHook();
    void RemoveKeyboardHook();

    AppSingletons& app_;
    IKeyboardHookHandler& hookProcedure_;
    IActivationEffects& effects_;
    std::function<void(LayoutHandle)> onLayoutChanged_;
    std::unique_ptr<IHookLibrary> library_;
    std::unique_ptr<IInstalledKeyboardHook> keyboardHook_;
    WindowHandle applicationWindow_ = kNoWindow;
    WindowHandle companionWindow_ = kNoWindow;
    WindowHandle lastForegroundWindow_ = kNoWindow;
    bool active_ = false;
    std::uint64_t lastTopmostTick_ = 0;
};

inline constexpr std::u16string_view kHookLibraryFileName = u"KarmuxH.dll";

}  // namespace kv
