#pragma once
#include <cstdint>

#include "platform/clock_api.h"
#include "platform/types.h"

namespace kv {

class DebugLog;
class EventSoundPlayer;
class IHookSuspension;
class IKeyboardLayouts;
class IOnScreenKeyboardPort;
class IWindowing;
class KeySender;
class LayoutSwitcher;
class TKvAction;
class TKvKeyboard;
class TPreset;
class ActionMailbox;
class TypingRun;

// After the on-screen keyboard shows or hides, the language panel stays above it.
class IPanelOnTop {
public:
    virtual ~IPanelOnTop() = default;
    virtual void KeepPanelOnTop() = 0;
};

// Cutting, transforming and pasting the selection through the clipboard: 1 converts the layout,
// 4..8 change the case. True when text was replaced.
class ISelectionProcessor {
public:
    virtual ~ISelectionProcessor() = default;
    virtual bool ProcessSelection(int mode) = 0;
};

// The program's input goes only to the window in front when the action was asked for: the user
// may click elsewhere, or another window may come up, while the program waits for the application.
class IActionTarget {
public:
    virtual ~IActionTarget() = default;
    virtual bool TargetStillInFront() const = 0;
};

// Carries out the queued action on a 10 ms timer, outside the keyboard hook, with the hook
// suspended so that the program's own input is neither recorded nor matched.
class TKvActionExecute : public IActionTarget {
public:
    static constexpr std::uint32_t kExecIntervalMs = 10;
    // How often key-ups the system refused during an action are tried again.
    static constexpr std::uint32_t kReleaseRetryMs = 100;

    struct Services {
        ActionMailbox& mailbox;
        TypingRun& typed;
        TKvKeyboard& model;
        KeySender& keys;
        LayoutSwitcher& switcher;
        TPreset& preset;
        EventSoundPlayer& sounds;
        IHookSuspension& hook;
        IOnScreenKeyboardPort& keyboard;
        IPanelOnTop& panelOnTop;
        IMessageLoop& loop;
        IKeyboardLayouts& layouts;
        IWindowing& windows;
        DebugLog& log;
    };

    explicit TKvActionExecute(Services services);
    ~TKvActionExecute() override;
    TKvActionExecute(const TKvActionExecute&) = delete;
    TKvActionExecute& operator=(const TKvActionExecute&) = delete;

    // Null until the clipboard side exists; selection functions then do nothing.
    void SetSelectionProcessor(ISelectionProcessor* processor) { selection_ = processor; }

    // Whoever queues an action starts the timer, with the window the action is for in front;
    // allocates nothing.
    void EnableExecTimer();
    bool TargetStillInFront() const override;
    void OnExecTimer();
    void ConvertTypedText();

private:
    void Execute(const TKvAction& action);
    void RunLanguageAction(const TKvAction& action);
    bool ProcessSelection(int mode);
    bool CombinedConversion() const;
    void EraseAndRetype(std::int32_t onScreen);
    void ReplayTypedKeys();
    void RetryRefusedKeyUps();

    Services s_;
    ISelectionProcessor* selection_ = nullptr;
    TimerId execTimer_ = 0;
    WindowHandle target_ = kNoWindow;
    TimerId releaseRetryTimer_ = 0;
};

}  // namespace kv
