#pragma once
#include <memory>
#include <optional>

#include "actions/action_executor.h"
#include "hotkeys/action_queue.h"
#include "hotkeys/kv_actions.h"
#include "hotkeys/lang_action_adapter.h"
#include "actions/selection_conversion.h"
#include "clipboard/clipboard_monitor.h"
#include "clipboard/clipboard_stream.h"
#include "app/activation.h"
#include "app/foreground_tracker.h"
#include "common/foreground_flags.h"
#include "common/synthetic_input.h"
#include "hook/click_ends_typed_run.h"
#include "hook/keyboard_hook_procedure.h"
#include "switching/layout_switcher.h"
#include "hook/typed_key_buffer.h"
#include "keyboard/keyboard_canvas.h"
#include "keyboard/kv_keyboard.h"
#include "keyboard/layout_char_cache.h"

namespace kv {

class AppSingletons;
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
    // What the keyboard model draws on.
    IKeyboardCanvas& canvas;
};

// The keyboard engine of the running program: the model of the keyboard, the action list, the
// low-level hook, layout switching, the executor and the switch that turns them on and off. It
// wires these parts to each other and to the windows' ports; it stands in for no window.
class KeyboardEngine : private ILayoutModel,
                       private IForegroundPolicy,
                       private IActionScheduler,
                       private IActivationEffects {
public:
    // `clipboardWindow` is the clipboard monitor's hidden window. The model has no keys until the
    // settings load the geometry they name (TPreset::SetKeyboardName).
    KeyboardEngine(AppSingletons& app, WindowHandle clipboardWindow, EnginePorts ports);
    ~KeyboardEngine() override;
    KeyboardEngine(const KeyboardEngine&) = delete;
    KeyboardEngine& operator=(const KeyboardEngine&) = delete;

    void SetApplicationWindow(WindowHandle window);
    void SetCompanionWindow(WindowHandle window);

    TKvKeyboard& Model() { return *model_; }
    TKvActions& Actions() { return actions_; }
    TActionQueue& Queue() { return queue_; }
    TypedKeyBuffer& Typed() { return typed_; }
    KeyboardHookProcedure& Hook() { return hook_; }
    LayoutSwitcher& Switcher() { return switcher_; }
    TKvActionExecute& Executor() { return executor_; }
    Activation& Switch() { return activation_; }
    IActionScheduler& Scheduler() { return *this; }
    ILangActionTarget& LangActionTarget() { return langTarget_; }
    ForegroundTracker& Foreground() { return tracker_; }
    TKvClipboardMonitor& ClipboardMonitor() { return monitor_; }
    const ForegroundFlags& ApplicationFlags() const { return flags_; }
    const TKvLayoutCharCache& CharCache() const { return charCache_; }
    void OfferLayoutChars(const TKvLayoutChars& computed) { charCache_.Offer(computed); }

private:
    // ILayoutModel
    LayoutHandle Layout() const override { return model_->Layout(); }
    void SetLayout(LayoutHandle layout) override { model_->SetLayout(layout); }
    // IForegroundPolicy
    bool PostingTurnedOff() const override { return flags_.DirectLayoutSwitch; }
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
    TKvLayoutCharCache charCache_;
    KeySender keys_;
    std::unique_ptr<TKvKeyboard> model_;
    TActionQueue queue_;
    TKvActions actions_;
    LangActionAdapter langTarget_;
    TypedKeyBuffer typed_;
    KeyboardHookProcedure hook_;
    LayoutSwitcher switcher_;
    Activation activation_;
    TKvActionExecute executor_;
    ForegroundFlags flags_;
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
