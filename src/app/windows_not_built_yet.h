#pragma once
// The effects no window takes yet, in one place. Each base of this class is the port of a window
// the program does not have so far; its effects are dropped here, and only here.
//
// When a window arrives, take its port off this class (base and methods) and wire the window in
// ApplicationShell instead: the compiler then points at every place that still hands this object
// out as that port. When the last base goes, delete the file.
#include <cstdint>
#include <string>

#include "keyboard/keyboard_canvas.h"
#include "ports/caret_flag_port.h"
#include "ports/language_panel_port.h"

namespace kv {

class WindowsNotBuiltYet final : public ICaretFlagPort,
                                 public ILanguagePanelPort,
                                 public IKeyboardCanvas {
public:
    // The on-screen keyboard's drawing surface, until the keyboard's renderer comes: its windows
    // exist, the image they show does not yet.
    Point DisplaySize() const override { return {}; }
    void Resize(std::int32_t, std::int32_t) override {}
    bool LoadPicture(const std::u16string&) override { return true; }
    void ClearPicture() override {}
    void DrawKeyboard(TKvKeyboard&) override {}
    void DrawKey(TKvBtn&) override {}
    void CopyToDisplay() override {}

    // Caret flag.
    bool CaretFlagExists() const override { return false; }
    void ShowCaretFlag(bool) override {}
    void FreeCaretFlag() override {}
    void SetCaretFlagOpacity(std::int32_t) override {}
    void CaretFlagOn(bool) override {}
    void ShowCaretFlagFor(LayoutHandle) override {}
    void NewForegroundApplication() override {}
    void PokeCaretFlag() override {}

    // Floating language panel.
    void PanelLayoutChanged(LayoutHandle) override {}
    void RestorePanelVisibility() override {}
    void ClosePanel() override {}
    void RaisePanel() override {}
    void RepaintPanel() override {}
};

}  // namespace kv
