#include "dialogs/wizard_steps.h"

namespace kv {

StepImage WizardSteps::Image(int step) const {
    if (step == current_) return StepImage::Selected;
    if (step >= 0 && step < kCount && left_[static_cast<std::size_t>(step)]) return StepImage::Left;
    return StepImage::NotVisited;
}

void WizardSteps::Select(int step) {
    if (step < 0 || step >= kCount || step == current_) return;
    if (current_ >= 0) left_[static_cast<std::size_t>(current_)] = true;
    current_ = step;
}

WizardSteps::Outcome WizardSteps::Next() {
    if (OnLastStep()) return Outcome::Close;
    Select(current_ + 1);
    return Outcome::Moved;
}

WizardSteps::Outcome WizardSteps::Prior() {
    if (current_ <= 0) return Outcome::Stay;
    Select(current_ - 1);
    return Outcome::Moved;
}

WizardSteps::Outcome WizardSteps::RequestClose(const std::function<bool()>& confirm) const {
    if (OnLastStep()) return Outcome::Close;
    return confirm() ? Outcome::Close : Outcome::Stay;
}

}  // namespace kv
