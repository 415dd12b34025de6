#include "app/keyboard_engine.h"

#include "app/app_singletons.h"
#include "app/program_model.h"
#include "platform/paths.h"
#include "platform/win_constants.h"

namespace kv {

namespace {
constexpr std::uint32_t kVistaPollMs = 300;
}  // namespace

KeyboardEngine::KeyboardEngine(AppSingletons& app, ProgramModel& model, WindowHandle clipboardWindow,
                               EnginePorts ports)
    : app_(app),
      model_(model),
      hook_({model.keyboard, model.actions, model.mailbox, model.typed, model.keys, app.preset, app.sounds, ports.caretFlag, ports.keyboard, *this,
             app.platform.windows, app.platform.loop}),
      switcher_(app.platform, app.preset, app.sounds, *this, {ports.tray, ports.caretFlag, ports.panel}, *this, app.isVistaOrLater),
      activation_({app.log, app.messageBoxes, app.lang, app.preset, app.platform.libraries, app.platform.keyboardHook,
                   app.platform.windows, app.platform.layouts, app.platform.clock, app.platform.loop,
                   app.platform.registry, app.platform.processes, app.platform.files, app.folders.appFolder,
                   app.isVistaOrLater},
                  hook_, *this, {ports.tray, ports.caretFlag, ports.panel},
                  [this](LayoutHandle layout) { switcher_.OnLayoutChanged(layout); }),
      executor_({model.mailbox, model.typed, model.keyboard, model.keys, switcher_, app.preset, app.sounds, hook_, ports.keyboard, activation_,
                 app.platform.loop, app.platform.layouts, app.platform.windows, app.log}),
      tracker_(app.platform, model.applicationFlags, model.typed, model.keyboard, ports.caretFlag, activation_,
               std::u16string(FileNameOf(app.platform.processes.ExecutablePath()))),
      clipboard_(app.platform.clipboard, app.platform.loop, app.platform.clock, app.platform.text, app.clipboardFormats,
                 clipboardWindow),
      monitor_({app.platform, app.sounds, clipboard_, model.keys, model.applicationFlags, app.isVistaOrLater},
               clipboardWindow),
      selection_({monitor_, clipboard_, model.keyboard, model.keys, switcher_, model.typed, app.platform.layouts,
                  app.platform.text, executor_}),
      clickEndsRun_(model.typed, app.platform.windows) {
    executor_.SetSelectionProcessor(&selection_);
    switcher_.LogSwitchesTo(&app_.log);
    if (monitor_.FormatListenerMissing()) app_.messageBoxes.ShowWarning(kMissingListenerWarning);
}

KeyboardEngine::~KeyboardEngine() {
    executor_.SetSelectionProcessor(nullptr);
    if (activation_.Active()) activation_.Deactivate();
    VistaForegroundPoll(false);
}

LayoutHandle KeyboardEngine::Layout() const { return model_.keyboard.Layout(); }
void KeyboardEngine::SetLayout(LayoutHandle layout) { model_.keyboard.SetLayout(layout); }
bool KeyboardEngine::PostingTurnedOff() const { return model_.applicationFlags.DirectLayoutSwitch; }

void KeyboardEngine::VistaForegroundPoll(bool on) {
    if (on && !vistaPoll_) {
        vistaPoll_ = app_.platform.loop.StartTimer(kVistaPollMs, [this] { CheckVistaForeground(); });
    } else if (!on && vistaPoll_) {
        app_.platform.loop.StopTimer(*vistaPoll_);
        vistaPoll_.reset();
    }
}

// Vista and later miss foreground changes to some windows; a poll catches them.
void KeyboardEngine::CheckVistaForeground() {
    if (!tracker_.CheckForegroundChanged()) return;
    IWindowing& windows = app_.platform.windows;
    const std::uint32_t thread = windows.WindowThreadProcessId(windows.ForegroundWindow(), nullptr);
    switcher_.OnLayoutChanged(app_.platform.layouts.ThreadLayout(thread));
}

void KeyboardEngine::SetApplicationWindow(WindowHandle window) {
    applicationWindow_ = window;
    activation_.SetApplicationWindow(window);
}

// Showing windows can bring the application's own taskbar button back.
void KeyboardEngine::HideTaskbarWindow() {
    if (applicationWindow_ != kNoWindow) app_.platform.windows.ShowWindow(applicationWindow_, win::kSwHide);
}

void KeyboardEngine::SetCompanionWindow(WindowHandle window) {
    activation_.SetCompanionWindow(window);
    hook_.SetCompanionWindow(window);
}

void KeyboardEngine::ClipboardMonitorOn(bool on) {
    if (!on) {
        monitor_.StopMonitor();
        return;
    }
    monitor_.StartMonitor();
    // Catches up with the clipboard as it is now; the user changed nothing, so nothing sounds.
    const bool handling = monitor_.ChangeHandlingEnabled();
    monitor_.SetChangeHandlingEnabled(false);
    monitor_.OnClipboardChange();
    monitor_.SetChangeHandlingEnabled(handling);
}

void KeyboardEngine::KeyboardModelOn(bool on) {
    if (on) hook_.StartChord();
    model_.keyboard.SetActive(on);
    // The typed run follows the mouse while the model follows the keyboard. Without the hook,
    // clicks still end the run where the hook library reaches.
    if (on && !mouseHook_) mouseHook_ = app_.platform.mouseHook.Install(clickEndsRun_);
    if (!on && mouseHook_ && mouseHook_->Remove()) mouseHook_.reset();
}

void KeyboardEngine::ReinstallMouseHook() {
    std::unique_ptr<IInstalledMouseHook> fresh = app_.platform.mouseHook.Install(clickEndsRun_);
    if (fresh && (!mouseHook_ || mouseHook_->Remove())) mouseHook_ = std::move(fresh);
}

}  // namespace kv
