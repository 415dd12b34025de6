#pragma once
#include "ports/language_panel_port.h"

namespace kv {

// A test double: the floating language panel a test attaches, or none; before that every call reaches nothing.
class AttachableLanguagePanelPort final : public ILanguagePanelPort {
public:
    // Null detaches, before the panel goes.
    void Attach(ILanguagePanelPort* panel) { panel_ = panel; }

    void PanelLayoutChanged(LayoutHandle layout) override {
        if (panel_) panel_->PanelLayoutChanged(layout);
    }
    void RestorePanelVisibility() override {
        if (panel_) panel_->RestorePanelVisibility();
    }
    void ClosePanel() override {
        if (panel_) panel_->ClosePanel();
    }
    void RaisePanel() override {
        if (panel_) panel_->RaisePanel();
    }
    void RepaintPanel() override {
        if (panel_) panel_->RepaintPanel();
    }

private:
    ILanguagePanelPort* panel_ = nullptr;
};

}  // namespace kv
