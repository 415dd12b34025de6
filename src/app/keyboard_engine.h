#pragma once
#include <memory>
#include <optional>

#include "actions/action_executor.h"
#include "actions/selection_conversion.h"
#include "hotkeys/action_mailbox.h"
#include "clipboard/clipboard_monitor.h"
#include "clipboard/clipboard_stream.h"
#include "activation/activation.h"
#include "foreground/foreground_tracker.h"
#include "hook/click_ends_typed_run.h"
#include "hook/keyboard_hook_procedure.h"
#include "switching/layout_switcher.h"
#include "common/foreground_flags.h"
#include "common/synthetic_input.h"
#include "keyboard/typing_run.h"
#include "keyboard/keyboard_canvas.h"
#include "keyboard/kv_keyboard.h"
#include "keyboard/layout_char_cache.h"

namespace kv {

class AppSingletons;
class ProgramModel;
class ICaretFlagPort;
class ILanguagePanelPort;
class IOnScreenKeyboardPort;
class ITrayPort;

// The windows that show the engine's state.
struct EnginePorts {
    ITrayPort& tray;
    ICaretFlagPort& caretFlag;
    ILanguagePanelPort& panel;
    IOnScreenKeyboardPort& keyboard;
};

// The keyboard engine of the running program: the low-level hook, layout switching, the executor,
// foreground tracking, the clipboard monitor and the switch that turns them on and off. It works
// on the program's model and reaches the windows through their ports, all made before it; it
// stands in for no window.
class KeyboardEngine : private ILayoutModel,
                       private IForegroundPolicy,
                       private IActionScheduler,
                       private IActivationEffects {
public:
    // `clipboardWindow` is the clipboard monitor's hidden window.
    KeyboardEngine(AppSingletons& app, ProgramModel& model, WindowHandle clipboardWindow, EnginePorts ports);
    ~KeyboardEngine() override;
    KeyboardEngine(const KeyboardEngine&) = delete;
    KeyboardEngine& operator=(const KeyboardEngine&) = delete;

    void SetApplicationWindow(WindowHandle window);
    void SetCompanionWindow(WindowHandle window);

    KeyboardHookProcedure& Hook() { return hook_; }
    LayoutSwitcher& Switcher() { return switcher_; }
    TKvActionExecute& Executor() { return executor_; }
    Activation& Switch() { return activation_; }
    const Activation& Switch() const { return activation_; }
    IActionScheduler& Scheduler() { return *this; }
    ForegroundTracker& Foreground() { return tracker_; }
    TKvClipboardMonitor& ClipboardMonitor() { return monitor_; }

private:
    // ILayoutModel
    LayoutHandle Layout() const override;
    void SetLayout(LayoutHandle layout) override;
    // IForegroundPolicy
    bool PostingTurnedOff() const override;
    // IActionScheduler
    void ScheduleQueuedAction() override { executor_.EnableExecTimer(); }
    // IActivationEffects
    void KeyboardModelOn(bool on) override;
    void ClipboardMonitorOn(bool on) override;
    void VistaForegroundPoll(bool on) override;
    void HideTaskbarWindow() override;
    void ReinstallMouseHook() override;

    void CheckVistaForeground();

    AppSingletons& app_;
    ProgramModel& model_;
    KeyboardHookProcedure hook_;
    LayoutSwitcher switcher_;
    Activation activation_;
    TKvActionExecute executor_;
    ForegroundTracker tracker_;
    ClipboardAccess clipboard_;
    TKvClipboardMonitor monitor_;
    SelectionConversion selection_;
    ClickEndsTypedRun clickEndsRun_;
    std::unique_ptr<IInstalledMouseHook> mouseHook_;
    std::optional<TimerId> vistaPoll_;
    WindowHandle applicationWindow_ = kNoWindow;
};

}  // namespace kv
