#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "ports/settings_window_port.h"
#include "settings/settings_edits.h"
#include "settings/shortcut_rows.h"
#include "win32/page_dialog.h"

namespace kv::win32app {

// TMainForm, the settings window: five pages chosen in a tree, a header and an info strip over
// the page, and the bottom buttons. Every control handler sets its option through the model's
// setter at once; SettingsEdits keeps the unsaved-edits state (the Apply button) and decides what
// saving and closing do. The window asks portable code what to list (hotkey rows, layouts,
// sounds) and what to enable, and decides nothing itself.
class SettingsWindow : public PageDialog, public ISettingsWindow {
public:
    SettingsWindow(win32::Win32MessageLoop& loop, IDialogContext& context, ISettingsHost& host);

    void ShowAndActivate() override;
    bool Visible() const override;
    void ApplyLanguage() override { PageDialog::ApplyLanguage(); }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ApplyTexts() override;
    void OnPageChosen(int page) override { ShowPage(page); }
    LRESULT OnNotify(NMHDR& header) override;
    void PaintFrame(HDC dc) override;

private:
    void SetUpControls();
    void FillControls();
    void FillFromModel();
    void FillEnabledLayouts();
    void FillShortcutList();
    void ShowShortcutTexts();
    void FillSoundList();
    void FillSoundEvents();
    void ApplyCaretFlagRule();
    void ShowPage(int page);
    void UpdatePageInfo();
    void ShowSelectedSound();

    void OnCommand(int id, int code, HWND control);
    void OnLanguageChosen();
    void OnSetShortcut();
    void OnEnabledLayoutChecked(int item);
    void OnSoundChosen();
    void OnBrowseSound();
    void OnPlaySound();
    bool SaveSettings();
    void ApplyStartupOptions();
    void CloseWindow();
    void ResetToDefaults();
    void ShowSound(const SoundBoxState& state);

    int SelectedSoundEvent() const;

    ISettingsHost& host_;
    SettingsEdits edits_;
    std::vector<InstalledLayout> layouts_;
    std::vector<ShortcutRow> rows_;
    std::vector<std::u16string> soundChoices_;
    int page_ = 0;
    bool linkHot_ = false;
    bool shown_ = false;
    bool closing_ = false;
};

}  // namespace kv::win32app
