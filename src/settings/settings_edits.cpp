#include "settings/settings_edits.h"

#include "platform/error.h"
#include "settings/preset.h"

namespace kv {

void SettingsEdits::Open() { s_.preset.Save(); }

SettingsEdits::Filling::Filling(SettingsEdits& edits) : edits_(edits), wasUpdating_(edits.updating_) {
    edits_.updating_ = true;
    edits_.startupOptionsChanged_ = false;
}

SettingsEdits::Filling::~Filling() {
    edits_.applyEnabled_ = false;
    edits_.updating_ = wasUpdating_;
}

std::optional<std::u16string> SettingsEdits::Save() {
    try {
        s_.preset.Save();
        if (startupOptionsChanged_ && s_.applyStartupOptions) s_.applyStartupOptions();
    } catch (const KvError& e) {
        return e.Message();
    }
    applyEnabled_ = false;
    if (s_.actionsMenuDirty) s_.actionsMenuDirty();
    return std::nullopt;
}

bool SettingsEdits::MayClose(const std::function<SaveChangesAnswer()>& ask,
                             const std::function<void(const std::u16string&)>& showError) {
    if (!applyEnabled_) return true;
    switch (ask()) {
        case SaveChangesAnswer::Cancel:
            return false;
        case SaveChangesAnswer::No:
            return true;
        case SaveChangesAnswer::Yes:
            if (auto error = Save()) {
                showError(*error);
                return false;
            }
            return true;
    }
    return false;
}

bool SettingsEdits::Closed(bool stillVisible) {
    const bool discard = stillVisible && applyEnabled_;
    if (discard) {
        s_.preset.Load();
        s_.preset.RefreshVisuals();
    }
    applyEnabled_ = false;
    return discard;
}

void SettingsEdits::ResetToDefaults() {
    s_.preset.SetDefaults();
    s_.preset.Save();
    s_.preset.Load();
    s_.preset.RefreshVisuals();
    applyEnabled_ = false;
}

}  // namespace kv
