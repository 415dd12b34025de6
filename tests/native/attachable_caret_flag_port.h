#pragma once
#include "ports/caret_flag_port.h"

namespace kv {

// A test double: the caret flag a test attaches, or none; before that every call reaches nothing.
class AttachableCaretFlagPort final : public ICaretFlagPort {
public:
    // Null detaches, before the flag goes.
    void Attach(ICaretFlagPort* flag) { flag_ = flag; }

    bool CaretFlagExists() const override { return flag_ && flag_->CaretFlagExists(); }
    void ShowCaretFlag(bool startDisplay) override {
        if (flag_) flag_->ShowCaretFlag(startDisplay);
    }
    void FreeCaretFlag() override {
        if (flag_) flag_->FreeCaretFlag();
    }
    void SetCaretFlagOpacity(std::int32_t opacity) override {
        if (flag_) flag_->SetCaretFlagOpacity(opacity);
    }
    void CaretFlagOn(bool on) override {
        if (flag_) flag_->CaretFlagOn(on);
    }
    void ShowCaretFlagFor(LayoutHandle layout) override {
        if (flag_) flag_->ShowCaretFlagFor(layout);
    }
    void NewForegroundApplication() override {
        if (flag_) flag_->NewForegroundApplication();
    }
    void PokeCaretFlag() override {
        if (flag_) flag_->PokeCaretFlag();
    }

private:
    ICaretFlagPort* flag_ = nullptr;
};

}  // namespace kv
