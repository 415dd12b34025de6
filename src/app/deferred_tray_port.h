#pragma once
#include "ports/tray_port.h"

namespace kv {

// The tray as the keyboard engine's parts see it. The tray is created after the engine, whose
// actions and switch its menus show, so it is attached here once it exists; before that there is
// no icon, and nothing to update: the tray reads the state when it is created.
class DeferredTrayPort final : public ITrayPort {
public:
    // Null detaches, before the tray goes.
    void Attach(ITrayPort* tray) { tray_ = tray; }

    void UpdateTrayIcon() override {
        if (tray_) tray_->UpdateTrayIcon();
    }
    void SetTrayIconVisible(bool visible) override {
        if (tray_) tray_->SetTrayIconVisible(visible);
    }
    void CheckSoundMenuItem(bool checked) override {
        if (tray_) tray_->CheckSoundMenuItem(checked);
    }
    void ShowActiveState(bool on) override {
        if (tray_) tray_->ShowActiveState(on);
    }
    void EnableWindowItems(bool enabled) override {
        if (tray_) tray_->EnableWindowItems(enabled);
    }

private:
    ITrayPort* tray_ = nullptr;
};

}  // namespace kv
