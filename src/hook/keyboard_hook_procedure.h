#pragma once
#include <array>
#include <cstdint>

#include "platform/clock_api.h"
#include "platform/hook_api.h"
#include "platform/types.h"

namespace kv {

class EventSoundPlayer;
class ICaretFlagPort;
class IActionScheduler;
class IOnScreenKeyboardPort;
class IWindowing;
class KeySender;
class TKvAction;
class TKvActions;
class TKvBtn;
class TKvKeyboard;
class TPreset;
class ActionMailbox;
class TypingRun;

// The program's own input must pass the hook untouched; callers bracket it with these.
class IHookSuspension {
public:
    virtual ~IHookSuspension() = default;
    virtual void SuspendHook() = 0;
    virtual void ResumeHook() = 0;
};

// The low-level keyboard hook's procedure: keeps the keyboard model in step with the real
// keyboard, recognises hotkeys, records the typing run and plays typing sounds. The callback only
// classifies and posts: the input it needs sent (the NumLock fix-up, the Escape release after a
// hotkey) goes to the GUI thread as posted work, because Windows drops a low-level hook whose
// callback takes too long; the action itself runs on the executor's timer.
class KeyboardHookProcedure : public IKeyboardHookHandler, public IHookSuspension {
public:
    // Deep enough for the program's own synthetic input re-entering the hook; events beyond it
    // are swallowed rather than recursing further.
    static constexpr std::int32_t kMaxDepth = 6;
    static constexpr std::uint32_t kReleaseMissedKeysMs = 15000;

    struct Services {
        TKvKeyboard& model;
        TKvActions& actions;
        ActionMailbox& mailbox;
        TypingRun& typed;
        KeySender& keys;
        TPreset& preset;
        EventSoundPlayer& sounds;
        // Poked from inside the hook: a key went down (only with the caret flag on), a modifier
        // changed, an action was posted.
        ICaretFlagPort& caretFlag;
        IOnScreenKeyboardPort& keyboard;
        IActionScheduler& scheduler;
        IWindowing& windows;
        IMessageLoop& loop;
    };

    explicit KeyboardHookProcedure(Services services);
    ~KeyboardHookProcedure() override;
    KeyboardHookProcedure(const KeyboardHookProcedure&) = delete;
    KeyboardHookProcedure& operator=(const KeyboardHookProcedure&) = delete;

    bool OnKeyEvent(const LowLevelKeyEvent& event) override;

    // Tells the companion process around the program's own input.
    void SetCompanionWindow(WindowHandle window) { companionWindow_ = window; }
    void SuspendHook() override;
    void ResumeHook() override;
    bool HookSuspended() const { return hookSuspended_; }
    // While a hotkey is being captured every key belongs to the capture: passed on untouched,
    // also where this hook was put back in front of the capture's.
    void SetPassThrough(bool on) { passThrough_ = on; }
    // A freshly installed hook starts a new chord.
    void StartChord() { chordStart_ = true; }

private:
    // One event as every step sees it, worked out once.
    struct KeyEvent {
        std::uint8_t code = 0;     // numeric-pad keys already told apart
        std::uint32_t flags = 0;   // LLKHF_*
        bool extended = false;
        bool isUp = false;
        bool systemKeyUp = false;
        bool injected = false;
        bool isModifier = false;
        TKvBtn* key = nullptr;     // null for codes the model does not know
    };
    struct Modifiers {
        std::uint16_t sided = 0;
        std::uint16_t any = 0;
    };

    KeyEvent Classify(const LowLevelKeyEvent& event) noexcept;
    bool Process(const LowLevelKeyEvent& event);
    void NoteKeyUpWhileSuspended(const LowLevelKeyEvent& event);
    // The steps, in the order they run; true from a step swallows the event.
    bool HandleModelKey(const KeyEvent& e);
    bool TrackKeyUp(const KeyEvent& e, Modifiers& mods) noexcept;
    bool TrackKeyDown(const KeyEvent& e, Modifiers& mods) noexcept;
    void PlayTypingSound(const KeyEvent& e, bool changed);
    bool SwallowsFollowUp(const KeyEvent& e) noexcept;
    const TKvAction* MatchHotkey(const KeyEvent& e, const Modifiers& mods) noexcept;
    void OnHotkeyDown(const KeyEvent& e, bool posted) noexcept;
    void ReleaseAfterSecureSequence(const KeyEvent& e, const Modifiers& mods) noexcept;
    bool TypesAgain(const KeyEvent& e) noexcept;
    void EndRunUnlessConverting() noexcept;
    void ScheduleAfterPassedKey(std::uint8_t code) noexcept;
    void FixLockKey(std::uint8_t code) noexcept;
    void ReleaseMissedKeys();

    // What the callback leaves to the GUI thread, run there in this order.
    struct PostedWork {
        bool numLockResync = false;
        bool escapeRelease = false;
    };
    void Post(PostedWork work) noexcept;
    void RunPostedWork();
    void ResyncNumLock();

    Services s_;
    WindowHandle companionWindow_ = kNoWindow;
    TimerId releaseTimer_ = 0;
    PostedWorkId postedWorkId_ = 0;
    PostedWork posted_;
    // A key-up made the hotkey: the action is scheduled once the key has passed.
    bool actionAfterPassedKey_ = false;
    std::int32_t hookDepth_ = 0;
    bool hookSuspended_ = false;
    bool passThrough_ = false;
    bool chordStart_ = true;
    bool appsUpPending_ = false;
    bool numLockResync_ = false;
    std::array<bool, 256> releasePending_{};
};

}  // namespace kv
