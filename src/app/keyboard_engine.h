#pragma once
#include <memory>
#include <optional>

#include "actions/action_executor.h"
#include "hotkeys/action_queue.h"
#include "hotkeys/kv_actions.h"
#include "hotkeys/lang_action_adapter.h"
#include "actions/selection_conversion.h"
#include "clipboard/clipboard_monitor.h"
#include "common/clipboard_stream.h"
#include "app/activation.h"
#include "app/foreground_tracker.h"
#include "common/foreground_flags.h"
#include "common/synthetic_input.h"
#include "hook/keyboard_hook_procedure.h"
#include "hook/layout_switcher.h"
#include "hook/typed_key_buffer.h"
#include "indicators/tray_indicator.h"
#include "keyboard/keyboard_canvas.h"
#include "keyboard/kv_keyboard.h"
#include "keyboard/layout_char_cache.h"

namespace kv {

class AppSingletons;

// The keyboard engine of the running program: the model of the keyboard, the action list, the
// low-level hook, layout switching, the executor and the switch that turns them on and off.
// The windows that show its state (tray, caret flag, language panel, on-screen keyboard) are
// reached through the effect interfaces; those not built yet do nothing.
class KeyboardEngine : private ILayoutModel,
                       private ILayoutIndicators,
                       private IForegroundPolicy,
                       private IKeyboardHookEffects,
                       private IExecutorEffects,
                       private IActivationEffects,
                       private IForegroundObserver {
public:
    // `clipboardWindow` is the clipboard monitor's hidden window.
    KeyboardEngine(AppSingletons& app, WindowHandle clipboardWindow);
    ~KeyboardEngine() override;
    KeyboardEngine(const KeyboardEngine&) = delete;
    KeyboardEngine& operator=(const KeyboardEngine&) = delete;

    void SetApplicationWindow(WindowHandle window);
    void SetCompanionWindow(WindowHandle window);
    // Null detaches.
    void SetTrayIndicator(ITrayIndicator* tray) { tray_ = tray; }

    TKvKeyboard& Model() { return *model_; }
    TKvActions& Actions() { return actions_; }
    TActionQueue& Queue() { return queue_; }
    TypedKeyBuffer& Typed() { return typed_; }
    KeyboardHookProcedure& Hook() { return hook_; }
    LayoutSwitcher& Switcher() { return switcher_; }
    TKvActionExecute& Executor() { return executor_; }
    Activation& Switch() { return activation_; }
    ILangActionTarget& LangActionTarget() { return langTarget_; }
    ForegroundTracker& Foreground() { return tracker_; }
    TKvClipboardMonitor& ClipboardMonitor() { return monitor_; }
    const ForegroundFlags& ApplicationFlags() const { return flags_; }

private:
    // ILayoutModel
    LayoutHandle Layout() const override { return model_->Layout(); }
    void SetLayout(LayoutHandle layout) override { model_->SetLayout(layout); }
    // ILayoutIndicators and IActivationEffects: the caret flag and language panel come later.
    void UpdateTrayIcon() override {
        if (tray_) tray_->UpdateTrayIcon();
    }
    void ShowCaretFlagFor(LayoutHandle) override {}
    void PanelLayoutChanged(LayoutHandle) override {}
    // IForegroundPolicy
    bool PostingTurnedOff() const override { return flags_.DirectLayoutSwitch; }
    // IKeyboardHookEffects
    void PokeCaretFlag() override {}
    void RefreshHoverHint() override {}
    void ScheduleQueuedAction() override { executor_.EnableExecTimer(); }
    // IExecutorEffects: the on-screen keyboard window and the panel come later.
    void ToggleOnScreenKeyboard() override {}
    void KeepPanelOnTop() override { activation_.KeepPanelOnTop(); }
    // IActivationEffects
    void KeyboardModelOn(bool on) override;
    void ClipboardMonitorOn(bool on) override;
    void CaretFlagOn(bool) override {}
    void ShowActiveState(bool) override {}
    void RestorePanelVisibility() override {}
    void ClosePanel() override {}
    void EnableWindowItems(bool) override {}
    void VistaForegroundPoll(bool on) override;
    void HideTaskbarWindow() override {}
    void RaisePanel() override {}
    // IForegroundObserver: the caret flag comes later.
    bool CaretFlagExists() const override { return false; }
    void NewForegroundApplication() override {}
    void SetLastForegroundWindow(WindowHandle window) override { activation_.SetLastForegroundWindow(window); }
    WindowHandle LastForegroundWindow() const override { return activation_.LastForegroundWindow(); }

    void CheckVistaForeground();

    AppSingletons& app_;
    NullKeyboardCanvas canvas_;
    TKvLayoutCharCache charCache_;
    KeySender keys_;
    std::unique_ptr<TKvKeyboard> model_;
    TActionQueue queue_;
    TKvActions actions_;
    LangActionAdapter langTarget_;
    TypedKeyBuffer typed_;
    KeyboardHookProcedure hook_;
    LayoutSwitcher switcher_;
    TKvActionExecute executor_;
    Activation activation_;
    ForegroundFlags flags_;
    ForegroundTracker tracker_;
    ClipboardAccess clipboard_;
    TKvClipboardMonitor monitor_;
    SelectionConversion selection_;
    std::optional<TimerId> vistaPoll_;
    ITrayIndicator* tray_ = nullptr;
};

}  // namespace kv
