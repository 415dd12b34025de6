#pragma once
// Every port of the program's windows, recording each call as text ("ShowCaretFlag 1"), for
// tests that check which effects an option change, the hook or activation has.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/text.h"
#include "settings/preset_ports.h"
#include "ports/language_panel_port.h"

namespace kv {

class RecordingPorts : public IProgramState,
                       public IKeyboardModelPort,
                       public IOnScreenKeyboardPort,
                       public ITrayPort,
                       public ITrayMenus,
                       public ICaretFlagPort,
                       public ILanguagePanelPort,
                       public IVisualsPort,
                       public IInterfaceLanguagePort,
                       public IWizardPort {
public:
    bool startupComplete = false;
    bool programActive = false;
    bool caretFlagExists = false;
    std::vector<std::string> calls;

    // The ports as the settings model takes them.
    const PresetPorts* Ports() const { return &ports_; }
    int Count(const std::string& call) const {
        int n = 0;
        for (const std::string& c : calls) n += c == call;
        return n;
    }

    bool StartupComplete() const override { return startupComplete; }
    bool ProgramActive() const override { return programActive; }

    void LoadKeyboardDescription(const std::u16string& name) override { Log("LoadKeyboardDescription " + Utf16ToUtf8(name)); }
    void RebuildKeyboardCharacters() override { Log("RebuildKeyboardCharacters"); }

    void RepaintKeyboard() override { Log("RepaintKeyboard"); }
    void RepaintKeyboardAndBackground() override { Log("RepaintKeyboardAndBackground"); }
    void SetKeyboardShowInterval(std::int32_t ms) override { Log("SetKeyboardShowInterval", ms); }
    void ReapplyKeyboardAppearance() override { Log("ReapplyKeyboardAppearance"); }
    void SetAutoHideButtonState(int state) override { Log("SetAutoHideButtonState", state); }
    void ShowKeyboardAndReactivateLayout() override { Log("ShowKeyboardAndReactivateLayout"); }
    void SetKeyboardOpacity(std::uint8_t opacity) override { Log("SetKeyboardOpacity", opacity); }
    void LoadBackgroundImage(const std::u16string& path) override { Log("LoadBackgroundImage " + Utf16ToUtf8(path)); }
    void ClearBackgroundImage() override { Log("ClearBackgroundImage"); }
    void ToggleOnScreenKeyboard() override { Log("ToggleOnScreenKeyboard"); }
    void RefreshHoverHint() override { Log("RefreshHoverHint"); }

    void UpdateTrayIcon() override { Log("UpdateTrayIcon"); }
    void SetTrayIconVisible(bool visible) override { Log("SetTrayIconVisible", visible); }
    void CheckSoundMenuItem(bool checked) override { Log("CheckSoundMenuItem", checked); }
    void ShowActiveState(bool on) override { Log("ShowActiveState", on); }
    void EnableWindowItems(bool enabled) override { Log("EnableWindowItems", enabled); }
    void PopupActionsMenu() override { Log("PopupActionsMenu"); }
    void OnSecondInstance() override { Log("OnSecondInstance"); }

    bool CaretFlagExists() const override { return caretFlagExists; }
    void ShowCaretFlag(bool startDisplay) override { Log("ShowCaretFlag", startDisplay); }
    void FreeCaretFlag() override { Log("FreeCaretFlag"); }
    void SetCaretFlagOpacity(std::int32_t opacity) override { Log("SetCaretFlagOpacity", opacity); }
    void CaretFlagOn(bool on) override { Log("CaretFlagOn", on); }
    void ShowCaretFlagFor(LayoutHandle layout) override { Log("ShowCaretFlagFor", layout); }
    void NewForegroundApplication() override { Log("NewForegroundApplication"); }
    void PokeCaretFlag() override { Log("PokeCaretFlag"); }

    void PanelLayoutChanged(LayoutHandle layout) override { Log("PanelLayoutChanged", layout); }
    void RestorePanelVisibility() override { Log("RestorePanelVisibility"); }
    void ClosePanel() override { Log("ClosePanel"); }
    void RaisePanel() override { Log("RaisePanel"); }
    void RepaintPanel() override { Log("RepaintPanel"); }

    void RefreshVisuals() override { Log("RefreshVisuals"); }
    void ChooseHelpFile(std::int32_t id) override { Log("ChooseHelpFile", id); }
    void ApplyLanguage(std::int32_t id) override { Log("ApplyLanguage", id); }
    void SetWizardAutoHideCheck(bool checked) override { Log("SetWizardAutoHideCheck", checked); }

private:
    void Log(std::string call) { calls.push_back(std::move(call)); }
    void Log(const std::string& call, std::int64_t arg) { calls.push_back(call + " " + std::to_string(arg)); }

    const PresetPorts ports_{*this, *this, *this, *this, *this, *this, *this, *this};
};

}  // namespace kv
