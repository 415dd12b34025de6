#include "switching/layout_switcher.h"

#include <algorithm>

#include "common/debug_log.h"
#include "common/messages.h"
#include "common/waits.h"
#include "ports/caret_flag_port.h"
#include "ports/language_panel_port.h"
#include "ports/tray_port.h"
#include "platform/platform.h"
#include "platform/win_constants.h"
#include "settings/preset.h"

namespace kv {

namespace {
constexpr std::uint32_t kAcknowledgeWaitMs = 100;
constexpr std::uint32_t kChangeWaitMs = 200;
constexpr int kNextLayoutTries = 10;
constexpr std::uint64_t kRapidChangeMs = 50;
constexpr int kRapidChangesFollowed = 10;
constexpr int kLayoutListCapacity = 40;
}  // namespace

LayoutSwitcher::LayoutSwitcher(Platform& platform, const TPreset& preset, EventSoundPlayer& sounds, ILayoutModel& model,
                               LayoutIndicators indicators, const IForegroundPolicy& policy, bool vistaOrLater)
    : platform_(platform),
      preset_(preset),
      sounds_(sounds),
      model_(model),
      indicators_(indicators),
      policy_(policy),
      vistaOrLater_(vistaOrLater) {}

LayoutHandle LayoutSwitcher::ChooseInOwnThread(LayoutHandle target, LayoutHandle before) {
    IKeyboardLayouts& layouts = platform_.layouts;
    if (target != kNextLayout) {
        layouts.ActivateLayout(target);
        return layouts.ThreadLayout(0);
    }
    // Start from what the user sees, then step over disabled layouts (the tenth is taken anyway).
    layouts.ActivateLayout(before);
    LayoutHandle chosen = before;
    for (int attempt = 0; attempt < kNextLayoutTries; ++attempt) {
        layouts.ActivateLayout(kNextLayout);
        chosen = layouts.ThreadLayout(0);
        if (!preset_.IsLangDisabled(chosen)) break;
    }
    return chosen;
}

void LayoutSwitcher::SwitchLayout(LayoutHandle target) {
    const LayoutHandle before = model_.Layout();
    switchAcknowledged_ = false;
    const LayoutHandle chosen = ChooseInOwnThread(target, before);
    const bool posting = !policy_.PostingTurnedOff();

    if (posting && !(vistaOrLater_ && target == kNextLayout)) {
        platform_.windows.PostToWindow(platform_.windows.ForegroundWindow(), msg::kSwitchLayout, chosen, 0);
        const bool answered = PumpUntil(platform_, kAcknowledgeWaitMs, [this] { return switchAcknowledged_; });
        if (log_) {
            log_->WriteLog(!answered ? u"Layout switch not answered within 100 ms: falling back"
                           : acknowledgedThroughHost32_ ? u"Layout switch answered by the 32-bit hook library"
                                                        : u"Layout switch answered by the hook library");
        }
        if (answered) return;
    }
    if (vistaOrLater_) OnLayoutChanged(chosen);
    platform_.windows.SendToWindow(platform_.windows.ForegroundWindow(), win::kWmInputLangChangeRequest, 0,
                                   static_cast<std::intptr_t>(chosen));
    if (posting) PumpUntil(platform_, kChangeWaitMs, [this, before] { return model_.Layout() != before; });
}

void LayoutSwitcher::OnLayoutChanged(LayoutHandle layout) {
    if (layout == 0 || layout == model_.Layout()) return;
    sounds_.PlayEventSound(SoundEvent::LayoutSwitched);
    model_.SetLayout(layout);

    const std::uint64_t now = platform_.clock.NowMs();
    if (!lastLayoutTick_ || now - *lastLayoutTick_ >= kRapidChangeMs) {
        lastLayoutTick_ = now;
        rapidLayoutCount_ = 0;
    } else {
        lastLayoutTick_ = now;
        // A storm of changes: the model keeps following, the rest waits for a pause.
        if (rapidLayoutCount_ >= kRapidChangesFollowed) return;
        ++rapidLayoutCount_;
    }
    platform_.layouts.ActivateLayout(model_.Layout());
    if (preset_.ShowLangIcon()) indicators_.tray.UpdateTrayIcon();
    if (preset_.ShowCaretFlag()) indicators_.caretFlag.ShowCaretFlagFor(layout);
    indicators_.panel.PanelLayoutChanged(layout);
}

bool LayoutSwitcher::IsInstalled(LayoutHandle layout) {
    const auto known = [&] {
        return std::find(installedLayouts_.begin(), installedLayouts_.end(), layout) != installedLayouts_.end();
    };
    if (known()) return true;
    // The user may have added a layout since the list was read.
    installedLayouts_ = platform_.layouts.InstalledLayouts();
    return known();
}

void LayoutSwitcher::OnLayoutReported(LayoutHandle layout) {
    if (layout == 0 || layout == model_.Layout()) return;
    if (IsInstalled(layout)) OnLayoutChanged(layout);
}

int LayoutSwitcher::LayoutCount() const {
    const auto installed = platform_.layouts.InstalledLayouts();
    return static_cast<int>(installed.size() < kLayoutListCapacity ? installed.size() : kLayoutListCapacity);
}

}  // namespace kv
