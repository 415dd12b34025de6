#include "hook/keyboard_hook_procedure.h"

#include "hotkeys/action_queue.h"
#include "hotkeys/kv_actions.h"
#include "common/messages.h"
#include "common/synthetic_input.h"
#include "hook/typed_key_buffer.h"
#include "keyboard/key_classes.h"
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

// The depth counter follows every return path, exceptions included.
class DepthGuard {
public:
    explicit DepthGuard(std::int32_t& depth) : depth_(depth) { ++depth_; }
    ~DepthGuard() { --depth_; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;

private:
    std::int32_t& depth_;
};

}  // namespace

KeyboardHookProcedure::KeyboardHookProcedure(Services services) : s_(services) {
    releaseTimer_ = s_.loop.StartTimer(kReleaseMissedKeysMs, [this] { ReleaseMissedKeys(); });
    s_.loop.EnableTimer(releaseTimer_, false);
}

KeyboardHookProcedure::~KeyboardHookProcedure() { s_.loop.StopTimer(releaseTimer_); }

bool KeyboardHookProcedure::OnKeyEvent(const LowLevelKeyEvent& event) {
    if (hookDepth_ < 0) hookDepth_ = 0;
    if (hookDepth_ >= kMaxDepth) return true;
    DepthGuard depth(hookDepth_);
    if (hookSuspended_) return false;
    return Process(event);
}

bool KeyboardHookProcedure::Process(const LowLevelKeyEvent& event) {
    std::uint8_t code = static_cast<std::uint8_t>(event.vkCode & 0xFF);
    if (code == 0) return false;
    const bool extended = (event.flags & kLlkhfExtended) != 0;
    if (!extended) code = NumericPadCode(code);

    TKvKeyboard& model = s_.model;
    TKvBtn* key = model.Btn(code);
    if (key != nullptr) {
        bool handled = false;
        bool changed = false;
        const bool isModifier = IsModifierKey(code);
        key->SetExtended(extended);

        const bool isUp = IsKeyUpMessage(event.message);
        std::uint16_t sided = 0;
        std::uint16_t any = 0;
        if (isUp) {
            sided = model.ModsSided();
            any = model.ModsAny();
            if (key->Pressed()) {
                key->SetPressed(false);
                releasePending_[code] = false;
                changed = true;
            }
            if (isModifier) s_.effects.RefreshHoverHint();
        } else {
            if (model.PressedCount() == 0) chordStart_ = true;
            // Lock keys repeat while held; only the first press toggles anything.
            if (IsLockKey(code) && key->Pressed()) return true;
            if (s_.preset.ShowCaretFlag()) s_.effects.PokeCaretFlag();
            if (!key->Pressed()) {
                key->SetPressed(true);
                changed = true;
            }
            sided = model.ModsSided();
            any = model.ModsAny();
            if (changed) {
                if (isModifier) {
                    s_.effects.RefreshHoverHint();
                } else {
                    chordStart_ = false;
                }
            }
            if ((event.flags & kLlkhfInjected) == 0) {
                if (IsPrintableKey(code)) {
                    s_.preset.PlayEventSound(SoundEvent::CharacterKey);
                } else if (code == kBackspace || code == kDelete) {
                    s_.preset.PlayEventSound(SoundEvent::DeleteKey);
                } else if (changed) {
                    s_.preset.PlayEventSound(SoundEvent::OtherKey);
                }
            }
        }
        model.RepaintDisplay();

        if (code == kApps && appsUpPending_) {
            appsUpPending_ = false;
            return true;
        }
        if (code == vk::kNumLock && numLockResync_) return true;

        if (isModifier && isUp && chordStart_) {
            chordStart_ = false;
            // The released modifier alone makes a single-modifier hotkey; with others still held
            // the whole set makes a modifier-only hotkey.
            handled = model.PressedCount() == 0 ? s_.actions.MatchHotkey(code, 0, event.flags, 0)
                                                 : s_.actions.MatchHotkey(0, sided, event.flags, any);
        } else if (!isModifier && !isUp) {
            handled = s_.actions.MatchHotkey(code, sided, event.flags, any);
            if (handled && code == kApps) appsUpPending_ = true;
        }

        if (handled && !isUp) FixLockKey(code);
        if (handled) {
            if (s_.queue.ActionPending) {
                ScheduleAction();
                if (model.AnyModifierHeld()) s_.keys.SendEscapeRelease();
            }
            return true;
        }

        // The system consumes the key-ups of the secure attention sequence and of locking the
        // workstation, so the model would keep these keys pressed.
        if (!isUp && ((code == kDelete && any == kAnyCtrlAlt) || (code == kLetterL && any == kAnyWin))) {
            model.ReleaseAll();
        }

        if (changed && !s_.typed.TypedBusy) RecordTypedKey(code, *key, isUp, event.message == win::kWmSysKeyUp);
    }

    // Another action's hotkey ends the run; only converting the typed text needs it kept.
    if (const TKvAction* current = s_.queue.Current) {
        const bool keepsRun =
            current->Is(ActionKind::LanguageAndCase, static_cast<std::uint8_t>(LangSubAction::ConvertLastTyped)) ||
            current->Is(ActionKind::ProgramFunction, static_cast<std::uint8_t>(ProgramFunction::TemplateManager));
        if (!keepsRun) s_.typed.ResetTypedBuffer();
    }
    if (s_.queue.ActionPending) {
        ScheduleAction();
        // Releasing Win after a modifier-only hotkey would open the Start menu.
        if (model.PressedCount() == 0 && (code == vk::kLeftWin || code == vk::kRightWin)) s_.keys.SendEscapeRelease();
    }
    return false;
}

void KeyboardHookProcedure::ScheduleAction() noexcept {
    s_.queue.ActionPending = false;
    s_.effects.ScheduleQueuedAction();
}

void KeyboardHookProcedure::FixLockKey(std::uint8_t code) noexcept {
    if (code == vk::kNumLock && !numLockResync_) {
        // The injected pair comes back through the hook and is swallowed there; it only brings
        // the system's NumLock back in step with the model.
        numLockResync_ = true;
        try {
            s_.keys.SendKeyEvent(vk::kNumLock, true, true);
            s_.keys.SendKeyEvent(vk::kNumLock, false, true);
        } catch (...) {
        }
        numLockResync_ = false;
    } else if (code == vk::kCapsLock || code == vk::kScrollLock) {
        // The swallowed press does not toggle the system, so the model's toggle is undone.
        s_.model.ToggleLockState(code);
        s_.model.Redraw();
    }
}

void KeyboardHookProcedure::RecordTypedKey(std::uint8_t code, const TKvBtn& key, bool isUp, bool systemKeyUp) noexcept {
    TypedKeyBuffer& typed = s_.typed;
    const bool printable = IsPrintableKey(code);
    const bool modifier = IsModifierKey(code);
    if (!typed.TypedRecording) {
        if (!isUp && printable) {
            StartTypedRun();
        } else if (!printable && !modifier) {
            typed.TypedCount = 0;
            typed.TypedChars = 0;
        }
    }
    if (!typed.TypedRecording) return;

    const bool ctrlHeld = s_.model.IsKeyPressed(vk::kLeftControl) || s_.model.IsKeyPressed(vk::kRightControl);
    // Ctrl with Alt is AltGr, which types characters; only Ctrl alone makes a shortcut.
    const bool altHeld = s_.model.IsKeyPressed(vk::kLeftMenu) || s_.model.IsKeyPressed(vk::kRightMenu);
    if (!isUp && printable && ctrlHeld && !altHeld) {
        typed.ResetTypedBuffer();
    } else if (printable || modifier || code == kBackspace) {
        if (typed.Full() || systemKeyUp) {
            typed.ResetTypedBuffer();
            return;
        }
        AppendEntry(key, isUp);
        if (!isUp) {
            if (code == kBackspace) {
                if (typed.TypedChars > 0) --typed.TypedChars;
            } else if (printable && TypesCharacter(code)) {
                ++typed.TypedChars;
            }
        }
    } else {
        typed.ResetTypedBuffer();
    }
}

bool KeyboardHookProcedure::TypesCharacter(std::uint8_t code) const noexcept {
    // A dead key, or a key without a character under these modifiers, leaves nothing on screen;
    // counting it would make the conversion erase a character typed before the run.
    const char16_t typed = s_.model.CharOf(code);
    return typed != u' ' || code == ' ';
}

void KeyboardHookProcedure::StartTypedRun() noexcept {
    TypedKeyBuffer& typed = s_.typed;
    typed.TypedCount = 0;
    typed.TypedChars = 0;
    typed.TypedRecording = true;
    // The run replays with the modifiers that were already held when it began.
    for (int code = 1; code <= 255; ++code) {
        const TKvBtn* held = s_.model.Btn(static_cast<std::uint8_t>(code));
        if (held != nullptr && IsModifierKey(static_cast<std::uint32_t>(code)) && held->Pressed() && !typed.Full()) {
            AppendEntry(*held, false);
        }
    }
}

void KeyboardHookProcedure::AppendEntry(const TKvBtn& key, bool isUp) noexcept {
    const TKvBtn& position = key.PositionKey();
    s_.typed.Append(isUp, position.Extended(), position.Vk());
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
