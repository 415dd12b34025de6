#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ports/settings_window_port.h"
#include "settings/settings_edits.h"
#include "settings/shortcut_rows.h"
#include "win32/form_window.h"

namespace kv::win32app {

// TMainForm, the settings window: five pages chosen in a tree, a header and an info strip over
// the page, and the bottom buttons. Every control handler sets its option through the model's
// setter at once; SettingsEdits keeps the unsaved-edits state (the Apply button) and decides what
// saving and closing do. The window asks portable code what to list (hotkey rows, layouts,
// sounds) and decides nothing itself.
class SettingsWindow : public KvForm, public ISettingsWindow {
public:
    SettingsWindow(win32::Win32MessageLoop& loop, ISettingsHost& host);
    ~SettingsWindow() override;

    void ShowAndActivate() override;
    bool Visible() const override;
    void ApplyLanguage() override;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    class Controls;

    void CreateControls();
    void LayoutControls();
    void FillControls();
    void FillFromModel();
    void FillLanguageCombo();
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
    LRESULT OnNotify(NMHDR& header);
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
    void PaintFrame(HDC dc);

    std::u16string Text(std::int32_t number, std::u16string_view fallback) const;
    int Scale(int logical) const;
    int SelectedSoundEvent() const;

    ISettingsHost& host_;
    SettingsEdits edits_;
    std::unique_ptr<Controls> controls_;
    std::vector<InstalledLayout> layouts_;
    std::vector<ShortcutRow> rows_;
    std::vector<std::u16string> soundChoices_;
    int page_ = 0;
    int dpi_ = 96;
    int systemDpi_ = 96;
    bool linkHot_ = false;
    bool shown_ = false;
    bool closing_ = false;
};

}  // namespace kv::win32app
