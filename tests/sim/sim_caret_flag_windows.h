#pragma once
// The caret flag's window in the simulation: it remembers where it was moved, its opacity and
// its picture, and lets a test move the mouse over it or ask it to close.
#include <memory>
#include <vector>

#include "indicators/caret_flag_window.h"

namespace kv::sim {

class SimCaretFlagWindows final : public ICaretFlagWindows {
public:
    class Window final : public ICaretFlagWindow {
    public:
        Window(SimCaretFlagWindows& owner, ICaretFlagWindowEvents& events, Point at, std::uint8_t opacity,
               std::int32_t flag)
            : owner_(owner), events_(events), at_(at), opacity_(opacity), flag_(flag) {
            owner_.open_ = this;
        }
        ~Window() override { owner_.open_ = nullptr; }
        void MoveTo(Point topLeft) override {
            at_ = topLeft;
            owner_.moves_.push_back(topLeft);
        }
        void SetOpacity(std::uint8_t opacity) override { opacity_ = opacity; }
        void SetFlagImage(std::int32_t index) override { flag_ = index; }

        Point At() const { return at_; }
        std::uint8_t Opacity() const { return opacity_; }
        std::int32_t Flag() const { return flag_; }
        // On screen: below the top edge the flag hides behind.
        bool OnScreen() const { return at_.y > -100; }
        void MouseOver() { events_.MouseOverFlag(); }
        void Close() { events_.CloseRequested(); }

    private:
        SimCaretFlagWindows& owner_;
        ICaretFlagWindowEvents& events_;
        Point at_;
        std::uint8_t opacity_;
        std::int32_t flag_;
    };

    std::unique_ptr<ICaretFlagWindow> CreateCaretFlagWindow(ICaretFlagWindowEvents& events, Point topLeft,
                                                            std::uint8_t opacity, std::int32_t flagIndex) override {
        ++created_;
        return std::make_unique<Window>(*this, events, topLeft, opacity, flagIndex);
    }

    // The window now open, or null.
    Window* Open() const { return open_; }
    int Created() const { return created_; }
    // Every move since the last ForgetMoves, hiding ones included.
    const std::vector<Point>& Moves() const { return moves_; }
    void ForgetMoves() { moves_.clear(); }

private:
    Window* open_ = nullptr;
    int created_ = 0;
    std::vector<Point> moves_;
};

}  // namespace kv::sim
