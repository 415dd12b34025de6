#include "indicators/caret_flag.h"

#include <algorithm>

#include "common/foreground_flags.h"
#include "ports/program_state.h"
#include "resources/lang_flags.h"
#include "settings/preset.h"

namespace kv {

CaretFlag::CaretFlag(CaretFlagServices services) : s_(std::move(services)) {}

CaretFlag::~CaretFlag() { FreeCaretFlag(); }

const CaretFlagTiming& CaretFlag::Timing() const { return CaretFlagTimingFor(s_.preset.FastCaretFlag()); }

void CaretFlag::ShowCaretFlag(bool startDisplay) {
    if (!window_) {
        flagIndex_ = LangFlagIndex(static_cast<std::uint32_t>(s_.currentLayout()));
        windowPos_ = Point{0, kHiddenTop};
        const auto opacity = static_cast<std::uint8_t>(std::clamp(s_.preset.CaretFlagAlphaBlend(), 0, 255));
        window_ = s_.windows.CreateCaretFlagWindow(*this, windowPos_, opacity, flagIndex_);
        showTimer_ = s_.loop.StartTimer(kCaretFlagShowDelayMs, [this] { ShowTimerFired(); });
        s_.loop.EnableTimer(*showTimer_, false);
        ResetPositions();
    }
    HideFlag();
    if (startDisplay) RequestShow(true, false);
}

void CaretFlag::FreeCaretFlag() {
    StopTimers();
    window_.reset();
}

void CaretFlag::StopTimers() {
    if (showTimer_) s_.loop.StopTimer(*showTimer_);
    if (checkTimer_) s_.loop.StopTimer(*checkTimer_);
    showTimer_.reset();
    checkTimer_.reset();
    checkRunning_ = false;
}

void CaretFlag::SetCaretFlagOpacity(std::int32_t opacity) {
    if (window_) window_->SetOpacity(static_cast<std::uint8_t>(std::clamp(opacity, 0, 255)));
}

void CaretFlag::CaretFlagOn(bool on) {
    if (!window_) return;
    if (on) {
        RequestShow(true, false);
    } else {
        HideAndStop();
    }
}

void CaretFlag::ShowCaretFlagFor(LayoutHandle layout) {
    if (window_) SetFlag(LangFlagIndex(static_cast<std::uint32_t>(layout)));
}

void CaretFlag::NewForegroundApplication() {
    if (window_ && s_.preset.ShowCaretFlag() && s_.program.ProgramActive()) RequestShow(false, true);
}

void CaretFlag::PokeCaretFlag() {
    if (window_) RequestShow(false, false);
}

void CaretFlag::ResetPositions() noexcept {
    lastPos_ = Point{-1, -1};
    curPos_ = Point{-100, -100};
}

void CaretFlag::RequestShow(bool keepPosition, bool showInOnChangeMode) noexcept {
    if (!window_) return;
    if (s_.preset.ShowCaretFlagOnChange()) {
        ResetPositions();
        if (!showInOnChangeMode) {
            // Stopped too: a check still running from before would bring the flag straight back.
            HideAndStop();
            return;
        }
        s_.loop.EnableTimer(*showTimer_, false);
    }
    if (!keepPosition) ResetPositions();
    StopCheckTimer();
    s_.loop.EnableTimer(*showTimer_, true);
}

void CaretFlag::HideAndStop() noexcept {
    if (showTimer_) s_.loop.EnableTimer(*showTimer_, false);
    StopCheckTimer();
    HideFlag();
}

void CaretFlag::SetFlag(std::int32_t index) {
    flagIndex_ = index;
    if (!window_) return;
    window_->SetFlagImage(index);
    if (s_.preset.ShowCaretFlagOnChange()) UpdatePosition();
}

void CaretFlag::HideFlag() noexcept {
    // Already out of sight: an idle flag costs the hook no window traffic.
    if (Hidden()) return;
    MoveWindow(Point{windowPos_.x, kHiddenTop});
}

void CaretFlag::MoveWindow(Point topLeft) noexcept {
    if (!window_) return;
    windowPos_ = topLeft;
    window_->MoveTo(topLeft);
}

void CaretFlag::UpdatePosition() {
    const bool needsBlink = s_.application.CaretNeedsBlink;
    CaretSpot spot;
    if (!s_.locator.Locate(needsBlink, spot)) {
        HideFlag();
        return;
    }
    curPos_ = Point{spot.point.x, spot.point.y + spot.height};
    if (spot.height == 0) {
        HideFlag();
        return;
    }
    if (curPos_ != lastPos_ || needsBlink) MoveWindow(curPos_);
}

void CaretFlag::ShowTimerFired() {
    s_.loop.EnableTimer(*showTimer_, false);
    UpdatePosition();
    const CaretFlagTiming& timing = Timing();
    if (curPos_ == lastPos_) {
        countdown_ = timing.settleTicks;
        RunCheckTimer(timing.settleMs);
    } else {
        countdown_ = 0;
        lastPos_ = curPos_;
        RunCheckTimer(timing.followMs);
    }
}

void CaretFlag::CheckTimerFired() {
    const CaretFlagTiming& timing = Timing();
    if (countdown_ <= 0) {
        UpdatePosition();
        lastPos_ = curPos_;
        if (s_.preset.ShowCaretFlagOnChange()) {
            StopCheckTimer();
        } else {
            SetCheckInterval(timing.followMs);
        }
        return;
    }
    --countdown_;
    UpdatePosition();
    if (curPos_ != lastPos_) {
        lastPos_ = curPos_;
        countdown_ = 0;
    } else if (countdown_ == 0 && !s_.locator.Blinking()) {
        HideAndStop();
    }
    if (countdown_ == timing.slowDownAt) SetCheckInterval(timing.slowedSettleMs);
}

void CaretFlag::RunCheckTimer(std::uint32_t intervalMs) {
    if (checkTimer_ && checkInterval_ == intervalMs) {
        s_.loop.EnableTimer(*checkTimer_, true);
    } else {
        if (checkTimer_) s_.loop.StopTimer(*checkTimer_);
        checkTimer_ = s_.loop.StartTimer(intervalMs, [this] { CheckTimerFired(); });
        checkInterval_ = intervalMs;
    }
    checkRunning_ = true;
}

void CaretFlag::SetCheckInterval(std::uint32_t intervalMs) {
    // A timer whose interval changes starts counting afresh; one that keeps it runs on.
    if (checkRunning_ && checkInterval_ != intervalMs) RunCheckTimer(intervalMs);
}

void CaretFlag::StopCheckTimer() noexcept {
    if (checkTimer_) s_.loop.EnableTimer(*checkTimer_, false);
    checkRunning_ = false;
}

}  // namespace kv
