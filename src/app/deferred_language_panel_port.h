#pragma once
#include "ports/language_panel_port.h"

namespace kv {

// The floating language panel as the keyboard engine's parts see it. The panel's behaviour needs
// the engine's model and layout switching, so it is made after the engine and attached here;
// before that there is no panel to reach.
class DeferredLanguagePanelPort final : public ILanguagePanelPort {
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
