#pragma once
// TCaretFlagForm's behaviour: a tiny flag of the input language just below and to the right of the
// text caret of the application in front. A request (a key, a window switch, activation, a
// library notification) looks for the caret 10 ms later; then tmrCheck follows a moving caret, or
// settles on a still one and, when its caret does not blink, hides and stops. In the on-change
// mode the flag shows only after a layout or window change and goes at the next key.
//
// The keyboard hook pokes it: that path only flips fields and re-arms timers made beforehand.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "indicators/caret_flag_timing.h"
#include "indicators/caret_flag_window.h"
#include "indicators/caret_locator.h"
#include "platform/clock_api.h"
#include "ports/caret_flag_port.h"

namespace kv {

class IProgramState;
class TPreset;
struct ForegroundFlags;

struct CaretFlagServices {
    const TPreset& preset;
    IProgramState& program;
    IMessageLoop& loop;
    ICaretLocator& locator;
    ICaretFlagWindows& windows;
    const ForegroundFlags& application;
    // The keyboard model's layout, whose flag a new window shows first.
    std::function<LayoutHandle()> currentLayout;
};

class CaretFlag final : public ICaretFlagPort, private ICaretFlagWindowEvents {
public:
    static constexpr std::int32_t kHiddenTop = -100;

    explicit CaretFlag(CaretFlagServices services);
    ~CaretFlag() override;
    CaretFlag(const CaretFlag&) = delete;
    CaretFlag& operator=(const CaretFlag&) = delete;

    // ICaretFlagPort
    bool CaretFlagExists() const override { return window_ != nullptr; }
    void ShowCaretFlag(bool startDisplay) override;
    void FreeCaretFlag() override;
    void SetCaretFlagOpacity(std::int32_t opacity) override;
    void CaretFlagOn(bool on) override;
    void ShowCaretFlagFor(LayoutHandle layout) override;
    void NewForegroundApplication() override;
    void PokeCaretFlag() override;

    void RequestShow(bool keepPosition, bool showInOnChangeMode) noexcept;
    void HideAndStop() noexcept;
    void SetFlag(std::int32_t index);

    // What the window shows now; for tests and the window's own checks.
    std::int32_t FlagIndex() const { return flagIndex_; }
    Point WindowPosition() const { return windowPos_; }
    bool Hidden() const { return windowPos_.y == kHiddenTop; }

private:
    // ICaretFlagWindowEvents
    void MouseOverFlag() override { HideAndStop(); }
    void CloseRequested() override { HideFlag(); }

    void ResetPositions() noexcept;
    void HideFlag() noexcept;
    void MoveWindow(Point topLeft) noexcept;
    void UpdatePosition();
    void ShowTimerFired();
    void CheckTimerFired();
    // tmrCheck runs with `intervalMs`; a running timer keeps its phase when the interval stays.
    void RunCheckTimer(std::uint32_t intervalMs);
    void SetCheckInterval(std::uint32_t intervalMs);
    void StopCheckTimer() noexcept;
    void StopTimers();
    const CaretFlagTiming& Timing() const;

    CaretFlagServices s_;
    std::unique_ptr<ICaretFlagWindow> window_;
    Point lastPos_{-1, -1};
    Point curPos_{-100, -100};
    Point windowPos_{0, kHiddenTop};
    std::int32_t flagIndex_ = 0;
    std::int32_t countdown_ = 0;
    // Made with the window and kept until it goes, so the hook only re-arms them.
    std::optional<TimerId> showTimer_;
    std::optional<TimerId> checkTimer_;
    std::uint32_t checkInterval_ = 0;
    bool checkRunning_ = false;
};

}  // namespace kv
