#include "app/keyboard_engine.h"

#include "app/app_singletons.h"
#include "platform/paths.h"
#include "platform/win_constants.h"

namespace kv {

namespace {
constexpr std::uint32_t kVistaPollMs = 300;
}  // namespace

KeyboardEngine::KeyboardEngine(AppSingletons& app, WindowHandle clipboardWindow, EnginePorts ports)
    : app_(app),
      keys_(app.platform.keyInput, app.platform.layouts, app.platform.clock),
      model_(std::make_unique<TKvKeyboard>(
          ports.canvas,
          KeyboardServices{app.platform.layouts, app.platform.keyInput, app.platform.files, keys_, app.busyCursor,
                           app.messageBoxes, app.lang, app.preset.KeyNames(), charCache_, app.folders.appFolder,
                           app.is64BitWindows},
          app.platform.layouts.ThreadLayout(0))),
      actions_(queue_),
      langTarget_(actions_),
      hook_({*model_, actions_, queue_, typed_, keys_, app.preset, ports.caretFlag, ports.keyboard, *this,
             app.platform.windows, app.platform.loop}),
      switcher_(app.platform, app.preset, *this, {ports.tray, ports.caretFlag, ports.panel}, *this, app.isVistaOrLater),
      activation_(app, hook_, *this, {ports.tray, ports.caretFlag, ports.panel},
                  [this](LayoutHandle layout) { switcher_.OnLayoutChanged(layout); }),
      executor_({queue_, typed_, *model_, keys_, switcher_, app.preset, hook_, ports.keyboard, activation_,
                 app.platform.loop, app.platform.layouts, app.platform.windows}),
      tracker_(app.platform, flags_, typed_, *model_, ports.caretFlag, activation_,
               std::u16string(FileNameOf(app.platform.processes.ExecutablePath()))),
      clipboard_(app.platform.clipboard, app.platform.loop, app.platform.clock, app.platform.text, app.clipboardFormats,
                 clipboardWindow),
      monitor_({app.platform, app.preset, clipboard_, keys_, flags_, app.isVistaOrLater}, clipboardWindow),
      selection_({monitor_, clipboard_, *model_, keys_, switcher_, typed_, app.platform.layouts, app.platform.text,
                  executor_}),
      clickEndsRun_(typed_, app.platform.windows) {
    executor_.SetSelectionProcessor(&selection_);
    switcher_.LogSwitchesTo(&app_.log);
    if (monitor_.FormatListenerMissing()) app_.messageBoxes.ShowWarning(kMissingListenerWarning);
    app_.preset.SetLangActionTarget(&langTarget_);
    app_.preset.RebuildLangActions();
}

KeyboardEngine::~KeyboardEngine() {
    executor_.SetSelectionProcessor(nullptr);
    app_.preset.SetLangActionTarget(nullptr);
    if (activation_.Active()) activation_.Deactivate();
    VistaForegroundPoll(false);
}

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
    model_->SetActive(on);
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
