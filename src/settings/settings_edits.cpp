#include "settings/settings_edits.h"

#include <algorithm>

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

CaretFlagBoxes CaretFlagBoxStates(bool showCaretFlag, bool onlyOnChange) {
    return {showCaretFlag, showCaretFlag && !onlyOnChange};
}

SoundBoxState SoundBoxFor(const std::vector<std::u16string>& choices, const std::u16string& stored) {
    if (stored.empty()) return {0, {}};
    if (!choices.empty()) {
        const auto found = std::find(choices.begin() + 1, choices.end(), stored);
        if (found != choices.end()) return {static_cast<int>(found - choices.begin()), {}};
    }
    return {-1, stored};
}

std::u16string SoundFromBox(const std::vector<std::u16string>& choices, int index, const std::u16string& typed) {
    if (index == 0) return {};
    if (index > 0 && index < static_cast<int>(choices.size())) return choices[static_cast<std::size_t>(index)];
    return typed;
}

}  // namespace kv
