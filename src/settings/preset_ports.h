#pragma once
#include "ports/caret_flag_port.h"
#include "ports/interface_language_port.h"
#include "ports/keyboard_model_port.h"
#include "ports/on_screen_keyboard_port.h"
#include "ports/program_state.h"
#include "ports/tray_port.h"
#include "ports/visuals_port.h"
#include "ports/wizard_port.h"

namespace kv {

// Everything an option change reaches beyond the settings themselves, wired all at once by the
// composition root when the program's parts exist.
struct PresetPorts {
    IProgramState& program;
    IKeyboardModelPort& model;
    IOnScreenKeyboardPort& keyboard;
    ITrayPort& tray;
    ICaretFlagPort& caretFlag;
    IVisualsPort& visuals;
    IInterfaceLanguagePort& language;
    IWizardPort& wizard;
};

}  // namespace kv
