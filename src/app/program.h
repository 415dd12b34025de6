#pragma once
// How the program is put together. The parts are built in the order they depend on each other,
// so every port is real from its first call, and go in the reverse order:
//   1. the model: the keyboard model, the action list, the typed run, the action mailbox;
//   2. the windows' behaviours, each reached through its own small port: the tray, the floating
//      language panel, the on-screen keyboard, the caret flag;
//   3. the engine: hook, executor, layout switching, activation, foreground tracking, the
//      clipboard monitor; it takes the model and the windows' ports by reference;
//   4. the one table of the messages the windows hand to the program.
// Where a behaviour calls a part built after it (the tray switches the system on, the panel
// switches the layout), it calls a small interface this class implements by forwarding to the
// engine; nothing calls it before the engine exists.
//
// Made before the program (by ApplicationShell): the application window and the eight forms, the
// dialogs, web links and help. Made on demand, later than their users, each by ApplicationShell
// when asked and freed when closed: the settings window, the first-run wizard, the about box, the
// shortcut capture dialog and the wait dialog.
#include <functional>

#include "app/app_message_dispatch.h"
#include "app/keyboard_engine.h"
#include "app/program_model.h"
#include "indicators/caret_flag.h"
#include "indicators/caret_locator.h"
#include "indicators/language_panel.h"
#include "indicators/on_screen_keyboard.h"
#include "indicators/tray_controller.h"
#include "settings/form_placement.h"
#include "settings/preset_ports.h"

namespace kv {

class AppSingletons;
class IAppWindows;
class IconPacks;
class KeyRepaintCanvas;
class TDataDM;

// What the program reaches of the shell around it.
struct ProgramContext {
    AppSingletons& app;
    IAppWindows& windows;
    WindowHandle applicationWindow;
    TDataDM& dataModule;
    IconPacks& iconPacks;
    // What the keyboard model draws on.
    KeyRepaintCanvas& keyboardCanvas;
    ITrayCommands& trayCommands;
    IProgramState& programState;
    IVisualsPort& visuals;
    IInterfaceLanguagePort& interfaceLanguage;
    IWizardPort& wizard;
    // The settings window or the wizard shows: the on-screen keyboard does not pop up over them.
    std::function<bool()> settingsUiVisible;
};

class Program : private ISystemSwitch, private IActionScheduler {
public:
    explicit Program(ProgramContext context);
    ~Program() override;
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    ProgramModel model;
    FormPlacement placement;
    TrayController tray;
    LanguagePanel languagePanel;
    OnScreenKeyboard keyboard;
    CaretLocator caretLocator;
    CaretFlag caretFlag;
    KeyboardEngine engine;
    ApplicationMessages messages;
    // Everything an option change reaches; handed to the settings when they load.
    PresetPorts presetPorts;

private:
    // ISystemSwitch, for the tray
    bool Active() const override;
    void SetActive(bool on) override;
    WindowHandle LastForegroundWindow() const override;
    // IActionScheduler, for the tray's actions menu
    void ScheduleQueuedAction() override;

    IAppWindows& windows_;
    KeyRepaintCanvas& keyboardCanvas_;
};

}  // namespace kv
