#pragma once
// The first-run wizard's three steps as the user walks them: which step shows, what the header
// and the Next button say, the picture of each step in the tree, and when leaving needs the
// user's yes. Leaving before the last step throws away the guided start, so it asks (text 311);
// on the last step there is nothing left to lose and Finish closes at once.
#include <array>
#include <cstdint>
#include <functional>

namespace kv {

// The pictures of the step tree (`ilProcess`).
enum class StepImage : int { NotVisited = 0, Selected = 1, Left = 2 };

class WizardSteps {
public:
    static constexpr int kCount = 3;
    // Tree texts of the steps, which the header repeats.
    static constexpr std::array<std::int32_t, kCount> kStepTexts{384, 387, 390};

    // -1 until the tree first selects a step.
    int Current() const { return current_; }
    bool OnLastStep() const { return current_ == kCount - 1; }
    StepImage Image(int step) const;
    // The tree's selection moved to `step`; the step left keeps the "left" picture.
    void Select(int step);
    bool PriorVisible() const { return current_ > 0; }
    std::int32_t NextButtonText() const { return OnLastStep() ? 383 : 382; }
    std::int32_t HeaderText() const { return kStepTexts[static_cast<std::size_t>(current_ < 0 ? 0 : current_)]; }

    enum class Outcome { Stay, Moved, Close };
    // Next: on the last step the wizard closes, elsewhere the next step shows.
    Outcome Next();
    Outcome Prior();
    // The close box, Close or Escape: `confirm` asks text 311, except on the last step.
    Outcome RequestClose(const std::function<bool()>& confirm) const;
    // The settings button always asks, since the wizard closes for the settings window.
    static Outcome RequestSettings(const std::function<bool()>& confirm) {
        return confirm() ? Outcome::Close : Outcome::Stay;
    }

private:
    int current_ = -1;
    std::array<bool, kCount> left_{};
};

}  // namespace kv
