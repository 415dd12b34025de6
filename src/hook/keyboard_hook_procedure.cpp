#include "hook/keyboard_hook_procedure.h"

#include <utility>

#include "hotkeys/action_mailbox.h"
#include "hotkeys/kv_actions.h"
#include "common/messages.h"
#include "common/scope_exit.h"
#include "common/synthetic_input.h"
#include "ports/caret_flag_port.h"
#include "ports/on_screen_keyboard_port.h"
#include "keyboard/typing_run.h"
#include "common/key_classes.h"
#include "keyboard/kv_keyboard.h"
#include "platform/win_constants.h"
#include "platform/windowing_api.h"
#include "settings/lang_action_target.h"
#include "settings/preset.h"

namespace kv {

namespace {

constexpr std::uint8_t kBackspace = 8, kDelete = 46, kApps = 93, kLetterL = 76;
constexpr std::uint16_t kAnyCtrlAlt = hotkey_mod::kLeftCtrl | hotkey_mod::kLeftAlt;
constexpr std::uint16_t kAnyWin = hotkey_mod::kLeftWin;

// Without the extended flag the grey navigation codes come from the numeric pad: the model
// shows the pad key that was really pressed.
std::uint8_t NumericPadCode(std::uint8_t code) {
    switch (code) {
        case 12: return 101;
        case 33: return 105;
        case 34: return 99;
        case 35: return 97;
        case 36: return 103;
        case 37: return 100;
        case 38: return 104;
        case 39: return 102;
        case 40: return 98;
        case 45: return 96;
        case 46: return 110;
        default: return code;
    }
}

bool IsKeyUpMessage(std::uint32_t message) { return message == win::kWmKeyUp || message == win::kWmSysKeyUp; }

}  // namespace

KeyboardHookProcedure::KeyboardHookProcedure(Services services) : s_(services) {
    releaseTimer_ = s_.loop.StartTimer(kReleaseMissedKeysMs, [this] { ReleaseMissedKeys(); });
    s_.loop.EnableTimer(releaseTimer_, false);
    postedWorkId_ = s_.loop.RegisterPostedWork([this] { RunPostedWork(); });
}

KeyboardHookProcedure::~KeyboardHookProcedure() {
    s_.loop.UnregisterPostedWork(postedWorkId_);
    s_.loop.StopTimer(releaseTimer_);
}

bool KeyboardHookProcedure::OnKeyEvent(const LowLevelKeyEvent& event) {
    if (passThrough_) return false;
    if (hookDepth_ < 0) hookDepth_ = 0;
    if (hookDepth_ >= kMaxDepth) return true;
    ++hookDepth_;
    const ScopeExit leave([this] { --hookDepth_; });
    if (hookSuspended_) {
        NoteKeyUpWhileSuspended(event);
        return false;
    }
    return Process(event);
}

void KeyboardHookProcedure::NoteKeyUpWhileSuspended(const LowLevelKeyEvent& event) {
    // A key the user lets go of during an action must not be pressed again after it; the
    // action's own input changes nothing the user holds.
    const bool ownInput = (event.flags & kLlkhfInjected) != 0 && event.extraInfo == kOwnInputMarker;
    if (ownInput || !IsKeyUpMessage(event.message)) return;
    const KeyEvent e = Classify(event);
    if (e.key != nullptr) s_.model.UserReleasedKey(e.code);
}

KeyboardHookProcedure::KeyEvent KeyboardHookProcedure::Classify(const LowLevelKeyEvent& event) noexcept {
    KeyEvent e;
    e.code = static_cast<std::uint8_t>(event.vkCode & 0xFF);
    e.flags = event.flags;
    e.extended = (event.flags & kLlkhfExtended) != 0;
    if (!e.extended) e.code = NumericPadCode(e.code);
    e.isUp = IsKeyUpMessage(event.message);
    e.systemKeyUp = event.message == win::kWmSysKeyUp;
    e.injected = (event.flags & kLlkhfInjected) != 0;
    e.isModifier = IsModifierKey(e.code);
    e.key = e.code == 0 ? nullptr : s_.model.Btn(e.code);
    return e;
}

bool KeyboardHookProcedure::Process(const LowLevelKeyEvent& event) {
    const KeyEvent e = Classify(event);
    if (e.code == 0) return false;
    if (e.key != nullptr && HandleModelKey(e)) return true;
    EndRunUnlessConverting();
    ScheduleAfterPassedKey(e.code);
    return false;
}

bool KeyboardHookProcedure::HandleModelKey(const KeyEvent& e) {
    e.key->SetExtended(e.extended);
    Modifiers mods;
    bool changed = false;
    if (e.isUp) {
        changed = TrackKeyUp(e, mods);
    } else {
        if (s_.model.PressedCount() == 0) chordStart_ = true;
        // Lock keys repeat while held; only the first press toggles anything.
        if (IsLockKey(e.code) && e.key->Pressed()) return true;
        changed = TrackKeyDown(e, mods);
        PlayTypingSound(e, changed);
    }
    s_.model.RepaintDisplay();

    if (SwallowsFollowUp(e)) return true;
    if (const TKvAction* action = MatchHotkey(e, mods)) {
        // A hotkey while another action waits or runs is swallowed all the same, and dropped.
        const bool posted = s_.mailbox.Post(*action);
        if (!e.isUp) {
            OnHotkeyDown(e, posted);
            return true;
        }
        actionAfterPassedKey_ = posted;
    }
    ReleaseAfterSecureSequence(e, mods);
    if (changed || TypesAgain(e)) s_.typed.RecordKey(s_.model, e.code, *e.key, e.isUp, e.systemKeyUp);
    return false;
}

bool KeyboardHookProcedure::TypesAgain(const KeyEvent& e) noexcept {
    // A held key's auto-repeat types or erases once more on screen, so the run records it like
    // a fresh press; a repeated modifier changes nothing.
    return !e.isUp && (e.code == kBackspace || IsPrintableKey(e.code));
}

bool KeyboardHookProcedure::TrackKeyUp(const KeyEvent& e, Modifiers& mods) noexcept {
    mods = {s_.model.ModsSided(), s_.model.ModsAny()};
    bool changed = false;
    if (e.key->Pressed()) {
        e.key->SetPressed(false);
        releasePending_[e.code] = false;
        changed = true;
    }
    if (e.isModifier) s_.keyboard.RefreshHoverHint();
    return changed;
}

bool KeyboardHookProcedure::TrackKeyDown(const KeyEvent& e, Modifiers& mods) noexcept {
    if (s_.preset.ShowCaretFlag()) s_.caretFlag.PokeCaretFlag();
    bool changed = false;
    if (!e.key->Pressed()) {
        e.key->SetPressed(true);
        changed = true;
    }
    mods = {s_.model.ModsSided(), s_.model.ModsAny()};
    if (changed) {
        if (e.isModifier) {
            s_.keyboard.RefreshHoverHint();
        } else {
            chordStart_ = false;
        }
    }
    return changed;
}

void KeyboardHookProcedure::PlayTypingSound(const KeyEvent& e, bool changed) {
    if (e.injected) return;
    if (IsPrintableKey(e.code)) {
        s_.sounds.PlayEventSound(SoundEvent::CharacterKey);
    } else if (e.code == kBackspace || e.code == kDelete) {
        s_.sounds.PlayEventSound(SoundEvent::DeleteKey);
    } else if (changed) {
        s_.sounds.PlayEventSound(SoundEvent::OtherKey);
    }
}

bool KeyboardHookProcedure::SwallowsFollowUp(const KeyEvent& e) noexcept {
    // The key-up of an Apps hotkey would open the context menu.
    if (e.code == kApps && appsUpPending_) {
        appsUpPending_ = false;
        return true;
    }
    // The program's own NumLock pair only re-syncs the system.
    return e.code == vk::kNumLock && numLockResync_;
}

const TKvAction* KeyboardHookProcedure::MatchHotkey(const KeyEvent& e, const Modifiers& mods) noexcept {
    if (e.isModifier && e.isUp && chordStart_) {
        chordStart_ = false;
        // The released modifier alone makes a single-modifier hotkey; with others still held
        // the whole set makes a modifier-only hotkey.
        return s_.model.PressedCount() == 0 ? s_.actions.MatchHotkey(e.code, 0, 0)
                                            : s_.actions.MatchHotkey(0, mods.sided, mods.any);
    }
    if (!e.isModifier && !e.isUp) {
        const TKvAction* matched = s_.actions.MatchHotkey(e.code, mods.sided, mods.any);
        if (matched != nullptr && e.code == kApps) appsUpPending_ = true;
        return matched;
    }
    return nullptr;
}

void KeyboardHookProcedure::OnHotkeyDown(const KeyEvent& e, bool posted) noexcept {
    FixLockKey(e.code);
    if (!posted) return;
    // Started here, so the action is for the window in front when its hotkey was pressed.
    s_.scheduler.ScheduleQueuedAction();
    // Releasing Win after the hotkey would open the Start menu.
    if (s_.model.AnyModifierHeld()) Post({.escapeRelease = true});
}

void KeyboardHookProcedure::ReleaseAfterSecureSequence(const KeyEvent& e, const Modifiers& mods) noexcept {
    // The system consumes the key-ups of the secure attention sequence and of locking the
    // workstation, so the model would keep these keys pressed.
    if (e.isUp) return;
    if ((e.code == kDelete && mods.any == kAnyCtrlAlt) || (e.code == kLetterL && mods.any == kAnyWin)) {
        s_.model.ReleaseAll();
    }
}

void KeyboardHookProcedure::EndRunUnlessConverting() noexcept {
    // Another action's hotkey ends the run; only converting the typed text needs it kept.
    const TKvAction* current = s_.mailbox.Current();
    if (current == nullptr) return;
    const bool keepsRun =
        current->Is(ActionKind::LanguageAndCase, static_cast<std::uint8_t>(LangSubAction::ConvertLastTyped)) ||
        current->Is(ActionKind::ProgramFunction, static_cast<std::uint8_t>(ProgramFunction::TemplateManager));
    if (!keepsRun) s_.typed.ResetTypedBuffer();
}

void KeyboardHookProcedure::ScheduleAfterPassedKey(std::uint8_t code) noexcept {
    // Tested before it is cleared: this runs for every key, and a store each time shows in the
    // hook's cost.
    if (!actionAfterPassedKey_) return;
    actionAfterPassedKey_ = false;
    s_.scheduler.ScheduleQueuedAction();
    // Releasing Win after a modifier-only hotkey would open the Start menu.
    if (s_.model.PressedCount() == 0 && (code == vk::kLeftWin || code == vk::kRightWin)) Post({.escapeRelease = true});
}

void KeyboardHookProcedure::FixLockKey(std::uint8_t code) noexcept {
    if (code == vk::kNumLock) {
        Post({.numLockResync = true});
    } else if (code == vk::kCapsLock || code == vk::kScrollLock) {
        // The swallowed press does not toggle the system, so the model's toggle is undone.
        s_.model.ToggleLockState(code);
        s_.model.Redraw();
    }
}

void KeyboardHookProcedure::Post(PostedWork work) noexcept {
    posted_.numLockResync |= work.numLockResync;
    posted_.escapeRelease |= work.escapeRelease;
    s_.loop.PostWork(postedWorkId_);
}

void KeyboardHookProcedure::RunPostedWork() {
    const PostedWork work = std::exchange(posted_, PostedWork{});
    if (work.numLockResync) ResyncNumLock();
    if (work.escapeRelease) s_.keys.SendEscapeRelease();
}

void KeyboardHookProcedure::ResyncNumLock() {
    if (numLockResync_) return;
    // The pair comes back through the hook and is swallowed there; it only brings the system's
    // NumLock back in step with the model.
    numLockResync_ = true;
    try {
        s_.keys.SendKeyEvent(vk::kNumLock, true, true);
        s_.keys.SendKeyEvent(vk::kNumLock, false, true);
    } catch (...) {
    }
    numLockResync_ = false;
}

void KeyboardHookProcedure::SuspendHook() {
    if (hookSuspended_) return;
    hookSuspended_ = true;
    s_.loop.EnableTimer(releaseTimer_, false);
    if (companionWindow_ != kNoWindow) s_.windows.SendToWindow(companionWindow_, msg::kCompanionInputStarts, 0, 0);
}

void KeyboardHookProcedure::ResumeHook() {
    if (!hookSuspended_) return;
    hookSuspended_ = false;
    // Keys held now may be released while nobody listened; the model lets go of them later
    // unless their key-up arrives first.
    for (int code = 0; code < 256; ++code) {
        releasePending_[static_cast<std::size_t>(code)] = s_.model.IsKeyPressed(static_cast<std::uint8_t>(code));
    }
    s_.loop.EnableTimer(releaseTimer_, true);
    if (companionWindow_ != kNoWindow) s_.windows.SendToWindow(companionWindow_, msg::kCompanionInputEnded, 0, 0);
}

void KeyboardHookProcedure::ReleaseMissedKeys() {
    s_.loop.EnableTimer(releaseTimer_, false);
    for (int code = 1; code < 256; ++code) {
        const auto vk = static_cast<std::uint8_t>(code);
        if (releasePending_[vk] && s_.model.IsKeyPressed(vk)) s_.model.SetKeyPressed(vk, false);
        releasePending_[vk] = false;
    }
}

}  // namespace kv
