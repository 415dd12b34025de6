#pragma once
// The settings window's unsaved-edits state, apart from its controls. Every edit goes to the
// model at once through its setter, so the program shows it; the window then either keeps the
// edits (Save) or throws them away by reloading the model from what opening the window saved.
// While the window fills its controls nothing counts as an edit.
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kv {

class TPreset;

enum class SaveChangesAnswer { Yes, No, Cancel };

class SettingsEdits {
public:
    struct Services {
        TPreset& preset;
        // Runs the elevated options program for the start-up options; throws KvError on failure.
        std::function<void()> applyStartupOptions;
        // The actions menu shows the new hotkeys the next time it opens.
        std::function<void()> actionsMenuDirty;
    };
    explicit SettingsEdits(Services services) : s_(std::move(services)) {}

    // Opening the window: the model as it is now is what discarding returns to.
    void Open();

    // Held while the controls are filled from the model: handlers see Updating() and return.
    class Filling {
    public:
        explicit Filling(SettingsEdits& edits);
        ~Filling();
        Filling(const Filling&) = delete;
        Filling& operator=(const Filling&) = delete;

    private:
        SettingsEdits& edits_;
        bool wasUpdating_;
    };
    bool Updating() const { return updating_; }
    // Held around work that reloads controls without being a fill (a language change).
    void SetUpdating(bool on) { updating_ = on; }

    // A handler changed an option.
    void Edited() { applyEnabled_ = true; }
    void StartupOptionsClicked() {
        startupOptionsChanged_ = true;
        applyEnabled_ = true;
    }
    bool ApplyEnabled() const { return applyEnabled_; }
    bool StartupOptionsChanged() const { return startupOptionsChanged_; }
    void StartupOptionsApplied() { startupOptionsChanged_ = false; }

    // Saves the model, then the start-up options when they were clicked. The error's text on
    // failure; the edits then stay unsaved.
    std::optional<std::u16string> Save();

    // The close query: with unsaved edits asks; Yes saves (a failure keeps the window open and
    // reports through `showError`), No lets it close (the edits are discarded on close).
    bool MayClose(const std::function<SaveChangesAnswer()>& ask,
                  const std::function<void(const std::u16string&)>& showError);
    // After closing: true when the edits were discarded and the model reloaded, so the caller
    // refills its controls and refreshes the visuals.
    bool Closed(bool stillVisible);

    // Back to every default, saved at once; the caller refills.
    void ResetToDefaults();

private:
    Services s_;
    bool updating_ = false;
    bool applyEnabled_ = false;
    bool startupOptionsChanged_ = false;
};

// The caret flag's boxes: showing it only when the language changes needs the flag, and fast
// tracking needs a flag that shows all the time.
struct CaretFlagBoxes {
    bool onChangeEnabled;
    bool fastEnabled;
    bool operator==(const CaretFlagBoxes&) const = default;
};
CaretFlagBoxes CaretFlagBoxStates(bool showCaretFlag, bool onlyOnChange);

// The sound box of an event over `choices` (the first is "no sound"): the entry that shows the
// stored sound, or -1 for a file elsewhere, whose name then shows as typed text.
struct SoundBoxState {
    int index;
    std::u16string text;
    bool operator==(const SoundBoxState&) const = default;
};
SoundBoxState SoundBoxFor(const std::vector<std::u16string>& choices, const std::u16string& stored);
// The sound an event gets from the box: the chosen entry, or the typed text when no entry is
// chosen; empty (no sound) for the first entry or an empty text.
std::u16string SoundFromBox(const std::vector<std::u16string>& choices, int index, const std::u16string& typed);

}  // namespace kv
