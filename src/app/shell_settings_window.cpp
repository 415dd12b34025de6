// The settings window as the composition root wires it: at most one, made by the tray's command
// and freed after it closed; while it exists the tray's settings and hotkey-setup items are off.
#include "app/app_singletons.h"
#include "app/app_windows.h"
#include "app/application_shell.h"
#include "app/program.h"
#include "dialogs/shortcut_capture.h"
#include "keyboard/kv_keyboard.h"
#include "platform/text.h"

namespace kv {

namespace {
constexpr std::u16string_view kLocalizationPage = u"translate.html";
}

void ApplicationShell::OpenSettingsWindow() {
    if (app_.preset.AccessDenied()) return;
    if (!settingsWindow_) {
        if (settingsReleaseTimer_) {
            app_.platform.loop.StopTimer(*settingsReleaseTimer_);
            settingsReleaseTimer_.reset();
        }
        if (wait_) wait_->ShowLoadingWait(app_.lang.GetText(316, u"Settings"));
        try {
            settingsWindow_ = windows_.CreateSettingsWindow(*this, *this);
        } catch (...) {
            if (wait_) wait_->CloseWait();
            throw;
        }
        if (wait_) wait_->CloseWait();
        if (program_) program_->tray.SetSettingsWindowOpen(true);
    }
    settingsWindow_->ShowAndActivate();
}

void ApplicationShell::SettingsWindowClosed() {
    if (program_) program_->tray.SetSettingsWindowOpen(false);
    if (!settingsWindow_ || settingsReleaseTimer_) return;
    settingsReleaseTimer_ = app_.platform.loop.StartTimer(0, [this] {
        app_.platform.loop.StopTimer(*settingsReleaseTimer_);
        settingsReleaseTimer_.reset();
        settingsWindow_.reset();
    });
}

TPreset& ApplicationShell::Preset() { return app_.preset; }
EventSoundPlayer& ApplicationShell::Sounds() { return app_.sounds; }
const TKvLang& ApplicationShell::Lang() const { return app_.lang; }
const std::vector<TKvLangListItem>& ApplicationShell::Languages() const { return app_.languages; }
KvMessageBoxes& ApplicationShell::MessageBoxes() { return app_.messageBoxes; }
Platform& ApplicationShell::Os() { return app_.platform; }
const AppFolders& ApplicationShell::Folders() const { return app_.folders; }
std::u16string ApplicationShell::ProgramPath() const { return app_.platform.processes.ExecutablePath(); }

std::u16string ApplicationShell::HotkeyText(HotkeyCode code) const {
    if (!program_) return {};
    const DecodedHotkey hotkey = DecodeHotkey(code);
    return program_->model.keyboard.HotkeyText(hotkey.key, hotkey.modifiers);
}

bool ApplicationShell::CaptureShortcut(HotkeyCode& code) {
    if (!program_) return false;
    KeyboardHookProcedure& programHook = program_->engine.Hook();
    ShortcutCapture capture(program_->model.keyboard, app_.platform.keyboardHook, app_.messageBoxes, app_.lang,
                            program_->keyboard, [&programHook](bool on) { programHook.SetPassThrough(on); });
    const std::u16string oldText = capture.Begin(code);
    const bool confirmed = windows_.RunShortcutCaptureDialog(capture, oldText);
    capture.End();
    if (confirmed) code = capture.Captured();
    return confirmed;
}

void ApplicationShell::ShowHelp(std::int32_t context) { help_.ShowHelp(context); }

void ApplicationShell::OpenLocalizationPage() {
    if (links_) app_.platform.shell.Open(kNoWindow, links_->Addresses().host + std::u16string(kLocalizationPage), u"");
}

void ApplicationShell::ActionsMenuDirty() {
    if (program_) program_->tray.LocalizeMenus();  // marks the actions menu for rebuilding
}

}  // namespace kv
