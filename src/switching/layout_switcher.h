#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/keyboard_api.h"

namespace kv {

struct Platform;
class DebugLog;
class EventSoundPlayer;
class ICaretFlagPort;
class ILanguagePanelPort;
class ITrayPort;
class TPreset;

// The keyboard model's current layout, as the switcher reads and sets it.
class ILayoutModel {
public:
    virtual ~ILayoutModel() = default;
    virtual LayoutHandle Layout() const = 0;
    // Position map, characters and, when shown, a redraw.
    virtual void SetLayout(LayoutHandle layout) = 0;
};

// What shows the language: tray icon, caret flag, floating panel.
struct LayoutIndicators {
    ITrayPort& tray;
    ICaretFlagPort& caretFlag;
    ILanguagePanelPort& panel;
};

// Per-application knowledge of the foreground window.
class IForegroundPolicy {
public:
    virtual ~IForegroundPolicy() = default;
    // Applications that mishandle posted messages get only WM_INPUTLANGCHANGEREQUEST.
    virtual bool PostingTurnedOff() const = 0;
};

// Switches the foreground application's layout and keeps the program in step with layout changes.
class LayoutSwitcher {
public:
    LayoutSwitcher(Platform& platform, const TPreset& preset, EventSoundPlayer& sounds, ILayoutModel& model,
                   LayoutIndicators indicators, const IForegroundPolicy& policy, bool vistaOrLater);

    // kNextLayout (skipping disabled layouts) or a layout handle.
    void SwitchLayout(LayoutHandle target);
    void OnLayoutChanged(LayoutHandle layout);
    // A layout reported by message, which any process can post: followed only when installed.
    void OnLayoutReported(LayoutHandle layout);
    // The library's answer to a switch request; the 32-bit host marks the answers it passes on.
    void OnSwitchAcknowledged(bool throughHost32 = false) {
        switchAcknowledged_ = true;
        acknowledgedThroughHost32_ = throughHost32;
    }
    // Where each posted switch request was answered, for the debug log.
    void LogSwitchesTo(DebugLog* log) { log_ = log; }
    bool SwitchAcknowledged() const { return switchAcknowledged_; }
    int LayoutCount() const;

private:
    LayoutHandle ChooseInOwnThread(LayoutHandle target, LayoutHandle before);
    bool IsInstalled(LayoutHandle layout);

    Platform& platform_;
    const TPreset& preset_;
    EventSoundPlayer& sounds_;
    ILayoutModel& model_;
    LayoutIndicators indicators_;
    const IForegroundPolicy& policy_;
    const bool vistaOrLater_;
    bool switchAcknowledged_ = false;
    bool acknowledgedThroughHost32_ = false;
    DebugLog* log_ = nullptr;
    std::optional<std::uint64_t> lastLayoutTick_;  // empty before the first change
    int rapidLayoutCount_ = 0;
    // Read again only when a reported layout is missing from it.
    std::vector<LayoutHandle> installedLayouts_;
};

}  // namespace kv
