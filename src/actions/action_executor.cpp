#include "actions/action_executor.h"

#include <charconv>

#include "hotkeys/action_mailbox.h"
#include "hotkeys/kv_action.h"
#include "common/debug_log.h"
#include "common/scope_exit.h"
#include "common/synthetic_input.h"
#include "hook/keyboard_hook_procedure.h"
#include "switching/layout_switcher.h"
#include "keyboard/typing_run.h"
#include "keyboard/kv_keyboard.h"
#include "platform/keyboard_api.h"
#include "platform/text.h"
#include "platform/windowing_api.h"
#include "actions/typed_run_count.h"
#include "actions/unperformed_actions.h"
#include "settings/event_sound_player.h"
#include "settings/lang_action_target.h"
#include "settings/preset.h"
#include "ports/on_screen_keyboard_port.h"

namespace kv {

namespace {

constexpr std::uint8_t kBackspace = 8;
constexpr int kConvertSelectionMode = 1;

// The target layout of a switch-to-layout action: its handle in signed decimal, 0 when the text
// is no number.
LayoutHandle LayoutFromText(const std::u16string& text) {
    const std::string narrow = Utf16ToUtf8(text);
    long long value = 0;
    const auto [end, error] = std::from_chars(narrow.data(), narrow.data() + narrow.size(), value);
    if (error != std::errc() || end != narrow.data() + narrow.size()) return 0;
    return static_cast<LayoutHandle>(static_cast<std::intptr_t>(value));
}

}  // namespace

TKvActionExecute::TKvActionExecute(Services services) : s_(services) {
    execTimer_ = s_.loop.StartTimer(kExecIntervalMs, [this] { OnExecTimer(); });
    s_.loop.EnableTimer(execTimer_, false);
    releaseRetryTimer_ = s_.loop.StartTimer(kReleaseRetryMs, [this] { RetryRefusedKeyUps(); });
    s_.loop.EnableTimer(releaseRetryTimer_, false);
}

TKvActionExecute::~TKvActionExecute() {
    s_.loop.StopTimer(releaseRetryTimer_);
    s_.loop.StopTimer(execTimer_);
}

void TKvActionExecute::EnableExecTimer() {
    target_ = s_.windows.ForegroundWindow();
    s_.loop.EnableTimer(execTimer_, true);
}

bool TKvActionExecute::TargetStillInFront() const { return s_.windows.ForegroundWindow() == target_; }

void TKvActionExecute::OnExecTimer() {
    s_.loop.EnableTimer(execTimer_, false);
    const TKvAction* action = s_.mailbox.Current();
    if (action == nullptr) return;
    s_.hook.SuspendHook();
    const ScopeExit done([this] {
        s_.mailbox.Clear();
        s_.hook.ResumeHook();
    });
    try {
        s_.sounds.PlayEventSound(SoundEvent::ActionExecuted);
        Execute(*action);
        // A key-up the system refused on the way leaves that key held.
        s_.keys.ReleaseKeysLeftDown();
    } catch (...) {
        // A failed action must not take the program down, nor leave a key held in the system.
        s_.keys.ReleaseKeysLeftDown();
    }
    // Input still blocked (another desktop shown, say): the key-ups are tried again later.
    if (s_.keys.AnyLeftDown()) s_.loop.EnableTimer(releaseRetryTimer_, true);
}

void TKvActionExecute::RetryRefusedKeyUps() {
    // An action running now sends and releases its own keys; the next tick comes after it.
    if (s_.mailbox.Current() != nullptr) return;
    s_.hook.SuspendHook();
    const ScopeExit resume([this] { s_.hook.ResumeHook(); });
    try {
        s_.keys.ReleaseKeysLeftDown();
    } catch (...) {
        // Tried again at the next tick.
    }
    if (!s_.keys.AnyLeftDown()) s_.loop.EnableTimer(releaseRetryTimer_, false);
}

void TKvActionExecute::Execute(const TKvAction& action) {
    if (const UnperformedAction* unperformed = FindUnperformedAction(action)) {
        s_.log.WriteLog(UnperformedActionLogLine(*unperformed));
        return;
    }
    if (action.Kind() == ActionKind::ProgramFunction) {
        if (action.SubKind() == static_cast<std::uint8_t>(ProgramFunction::OnScreenKeyboard) && !s_.preset.AccessDenied()) {
            s_.keyboard.ToggleOnScreenKeyboard();
            s_.panelOnTop.KeepPanelOnTop();
        }
    } else if (action.Kind() == ActionKind::LanguageAndCase) {
        RunLanguageAction(action);
    }
}

bool TKvActionExecute::CombinedConversion() const {
    return s_.preset.SCChangeLang() == s_.preset.SCChangeSelectedLang();
}

void TKvActionExecute::RunLanguageAction(const TKvAction& action) {
    const int sub = action.SubKind();
    const bool severalLayouts = s_.switcher.LayoutCount() > 1;
    if ((sub == 0 || sub == 1) && severalLayouts && CombinedConversion()) {
        // One hotkey converts what was just typed, else the selection, else only switches.
        if (s_.typed.CharsOnScreen() > 0) {
            ConvertTypedText();
        } else if (!ProcessSelection(kConvertSelectionMode) && TargetStillInFront()) {
            s_.switcher.SwitchLayout(kNextLayout);
        }
        return;
    }
    switch (static_cast<LangSubAction>(sub)) {
        case LangSubAction::ConvertLastTyped:
            if (severalLayouts) ConvertTypedText();
            break;
        case LangSubAction::SwitchToNextLayout:
            if (severalLayouts) s_.switcher.SwitchLayout(kNextLayout);
            break;
        case LangSubAction::SwitchToLayout:
            if (const LayoutHandle target = LayoutFromText(action.Text()); target != 0) s_.switcher.SwitchLayout(target);
            break;
        case LangSubAction::ConvertSelection:
            if (severalLayouts) ProcessSelection(sub);
            break;
        default:
            // Changing the case needs no second layout: a user with one layout wants it too.
            if (sub >= 4 && sub <= 8) ProcessSelection(sub);
            break;
    }
}

bool TKvActionExecute::ProcessSelection(int mode) { return selection_ != nullptr && selection_->ProcessSelection(mode); }

void TKvActionExecute::ConvertTypedText() {
    TypingRun& typed = s_.typed;
    if (typed.Replaying()) return;
    s_.model.SetDrawEnabled(false);
    const ScopeExit drawAgain([this] { s_.model.SetDrawEnabled(true); });
    const TypingRun::Replay replay(typed);

    typed.Close(s_.model);
    // The run was typed in a window no longer in front: converting it there later would erase
    // another window's text.
    if (!TargetStillInFront()) {
        typed.Forget();
        return;
    }
    const std::int32_t onScreen = CharactersTypedByRun(typed, s_.model, s_.layouts);
    s_.model.RememberHeldKeys();
    s_.model.ReleaseHeldKeys();
    // Switching waits for the application and lets messages run, so it comes before the window
    // in front is checked: erasing and retyping follow that check without a pause for messages.
    const LayoutHandle typedIn = s_.model.Layout();
    s_.switcher.SwitchLayout(kNextLayout);
    if (TargetStillInFront()) {
        try {
            EraseAndRetype(onScreen);
        } catch (...) {
            // Keys typed after a failed conversion come out as they did before it.
            s_.switcher.SwitchLayout(typedIn);
            throw;
        }
    } else {
        typed.Forget();
    }
    s_.keys.SendEscapeRelease();
    s_.model.RestoreHeldKeys(true);
}

void TKvActionExecute::EraseAndRetype(std::int32_t onScreen) {
    const std::int32_t retyped = CharactersTypedByRun(s_.typed, s_.model, s_.layouts);
    for (std::int32_t i = 0; i < onScreen; ++i) s_.keys.SendKeyPress(kBackspace, false);
    ReplayTypedKeys();
    // What the next conversion erases is what this one typed.
    s_.typed.Retyped(retyped);
}

void TKvActionExecute::ReplayTypedKeys() {
    for (const TypedKeyEntry& entry : s_.typed.Keys()) {
        s_.keys.SendKeyEvent(s_.model.PosToVk(entry.position), entry.isUp != 0, entry.extended != 0);
    }
}

}  // namespace kv
