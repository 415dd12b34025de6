#pragma once
#include <cstdint>
#include <string>

namespace kv {

// What option changes do to the rest of the program (on-screen keyboard, tray, caret flag,
// wizard, look, language). Each method does nothing when its window does not exist yet.
class IPresetEffects {
public:
    virtual ~IPresetEffects() = default;

    // Start-up has shown everything; before that the tray icon's visibility is left alone.
    virtual bool StartupComplete() const = 0;
    // The program is switched on (it watches the keyboard).
    virtual bool ProgramActive() const = 0;

    // On-screen keyboard.
    virtual void RepaintKeyboard() = 0;
    virtual void RepaintKeyboardAndBackground() = 0;
    // Rebuilds the characters shown on the keys for the current layout, then repaints.
    virtual void RebuildKeyboardCharacters() = 0;
    virtual void SetKeyboardShowInterval(std::int32_t ms) = 0;
    // Re-reads the appearance options (hide delay, theme opacity).
    virtual void ReapplyKeyboardAppearance() = 0;
    // Loads the keyboard description of that name and resizes to it.
    virtual void LoadKeyboardDescription(const std::u16string& name) = 0;
    // 2 = auto-hide on, 1 = off.
    virtual void SetAutoHideButtonState(int state) = 0;
    virtual void SetWizardAutoHideCheck(bool checked) = 0;
    // Shows the keyboard and activates the keyboard model's current layout again.
    virtual void ShowKeyboardAndReactivateLayout() = 0;
    // Layered only below 255.
    virtual void SetKeyboardOpacity(std::uint8_t opacity) = 0;

    // Tray.
    virtual void UpdateTrayIcon() = 0;
    virtual void SetTrayIconVisible(bool visible) = 0;
    virtual void CheckSoundMenuItem(bool checked) = 0;

    // Caret flag: created when missing, moved out of sight and shown; its display starts at once
    // only when asked.
    virtual void ShowCaretFlag(bool startDisplay) = 0;
    virtual void FreeCaretFlag() = 0;
    virtual void SetCaretFlagOpacity(std::int32_t opacity) = 0;

    // Fonts and palette again, then the keyboard, its background and the language panel repaint.
    virtual void RefreshVisuals() = 0;
    // The keyboard's background picture; an unreadable file leaves the previous picture.
    virtual void LoadBackgroundImage(const std::u16string& path) = 0;
    virtual void ClearBackgroundImage() = 0;

    // Interface language: the help file, then the language file and every open form.
    virtual void ChooseHelpFile(std::int32_t languageId) = 0;
    virtual void ApplyLanguage(std::int32_t languageId) = 0;
};

// For a model that nothing is wired to yet (start-up before the forms exist, tests).
class NullPresetEffects : public IPresetEffects {
public:
    bool StartupComplete() const override { return false; }
    bool ProgramActive() const override { return false; }
    void RepaintKeyboard() override {}
    void RepaintKeyboardAndBackground() override {}
    void RebuildKeyboardCharacters() override {}
    void SetKeyboardShowInterval(std::int32_t) override {}
    void ReapplyKeyboardAppearance() override {}
    void LoadKeyboardDescription(const std::u16string&) override {}
    void SetAutoHideButtonState(int) override {}
    void SetWizardAutoHideCheck(bool) override {}
    void ShowKeyboardAndReactivateLayout() override {}
    void SetKeyboardOpacity(std::uint8_t) override {}
    void UpdateTrayIcon() override {}
    void SetTrayIconVisible(bool) override {}
    void CheckSoundMenuItem(bool) override {}
    void ShowCaretFlag(bool) override {}
    void FreeCaretFlag() override {}
    void SetCaretFlagOpacity(std::int32_t) override {}
    void RefreshVisuals() override {}
    void LoadBackgroundImage(const std::u16string&) override {}
    void ClearBackgroundImage() override {}
    void ChooseHelpFile(std::int32_t) override {}
    void ApplyLanguage(std::int32_t) override {}
};

}  // namespace kv
