#include "activation/activation.h"

#include "common/debug_log.h"
#include "common/message_boxes.h"
#include "common/messages.h"
#include "ports/caret_flag_port.h"
#include "ports/language_panel_port.h"
#include "ports/tray_port.h"
#include "platform/text.h"
#include "platform/win_constants.h"
#include "resources/kv_lang.h"
#include "settings/preset.h"

namespace kv {

namespace {
constexpr std::uint64_t kTopmostPauseMs = 5;
}

Activation::Activation(ActivationServices services, IKeyboardHookHandler& hookProcedure,
                       IActivationEffects& effects, ActivationPorts ports,
                       std::function<void(LayoutHandle)> onLayoutChanged)
    : s_(std::move(services)),
      hookProcedure_(hookProcedure),
      effects_(effects),
      ports_(ports),
      onLayoutChanged_(std::move(onLayoutChanged)),
      hookHost32_(s_.processes, s_.files, s_.log, s_.appFolder),
      watchdog_(s_.loop, s_.clock, [this](HookWatchdog::Cause cause) { ReinstallHooks(cause); }) {
    watchdog_.CheckOnEachBeat([this] { hookHost32_.RestartIfEnded(); });
}

bool Activation::Activate() {
    if (active_) return false;
    s_.log.WriteLog(u"Start");
    if (library_) {
        s_.messageBoxes.ShowError(s_.lang.GetText(26, u"The hook library is still loaded. Please restart Tolvex."));
        return false;
    }
    // By full path from the program folder: a bare name would load a planted copy.
    library_ = s_.libraries.LoadHookLibrary(s_.appFolder + std::u16string(kHookLibraryFileName));
    if (!library_) {
        s_.messageBoxes.ShowError(s_.lang.GetText(28, u"The hook library KarmuxH.dll cannot be loaded."));
        return false;
    }
    if (!library_->HasExport("Hook")) {
        // The library stays loaded; later attempts report it as still loaded.
        s_.messageBoxes.ShowError(
            TKvLang::FormatText(s_.lang.GetText(27, u"The hook library has no function %1."), {u"Hook"}));
        return false;
    }
    InstallKeyboardHook();
    if (!library_->CallHook(applicationWindow_)) {
        // Nothing would report the applications' layouts: stay off, with nothing left bound.
        RemoveKeyboardHook();
        library_.reset();
        s_.messageBoxes.ShowError(s_.lang.GetText(
            651, u"The hook library refused to start, perhaps because another copy of Tolvex is running. Tolvex stays off."));
        return false;
    }

    hookHost32_.Start(applicationWindow_);
    ports_.tray.ShowActiveState(true);
    active_ = true;
    lastTopmostTick_ = s_.clock.NowMs();

    IWindowing& windows = s_.windows;
    const WindowHandle foreground = windows.ForegroundWindow();
    if (onLayoutChanged_) {
        onLayoutChanged_(s_.layouts.ThreadLayout(windows.WindowThreadProcessId(foreground, nullptr)));
    }
    effects_.KeyboardModelOn(true);
    effects_.ClipboardMonitorOn(true);
    ports_.caretFlag.CaretFlagOn(true);
    ports_.tray.UpdateTrayIcon();
    lastForegroundWindow_ = windows.ForegroundWindow();
    ports_.panel.RestorePanelVisibility();
    KeepPanelOnTop();
    if (!s_.preset.AccessDenied()) ports_.tray.EnableWindowItems(true);
    if (s_.isVistaOrLater) effects_.VistaForegroundPoll(true);
    effects_.HideTaskbarWindow();
    watchdog_.Start(ReadLowLevelHookTimeout(s_.registry));
    return true;
}

bool Activation::Deactivate() {
    if (!active_) return false;
    s_.log.WriteLog(u"Stop");
    watchdog_.Stop();
    hookHost32_.Stop();
    if (library_) {
        if (!library_->HasExport("UnHook")) {
            s_.messageBoxes.ShowError(
                TKvLang::FormatText(s_.lang.GetText(27, u"The hook library has no function %1."), {u"UnHook"}));
            return false;
        }
        library_->CallUnHook();
        RemoveKeyboardHook();
        library_.reset();
    }
    effects_.KeyboardModelOn(false);
    effects_.ClipboardMonitorOn(false);
    ports_.caretFlag.CaretFlagOn(false);
    ports_.tray.ShowActiveState(false);
    active_ = false;
    ports_.tray.UpdateTrayIcon();
    ports_.panel.ClosePanel();
    ports_.tray.EnableWindowItems(false);
    effects_.VistaForegroundPoll(false);
    return true;
}

void Activation::SetActive(bool on) {
    if (on) {
        Activate();
    } else {
        Deactivate();
    }
}

void Activation::KeepPanelOnTop() {
    const std::uint64_t now = s_.clock.NowMs();
    if (now - lastTopmostTick_ < kTopmostPauseMs) return;
    ports_.panel.RaisePanel();
    lastTopmostTick_ = now;
}

void Activation::InstallKeyboardHook() {
    // A hook whose removal failed is still installed and is used again.
    if (!keyboardHook_) keyboardHook_ = s_.keyboardHook.Install(hookProcedure_);
    if (!keyboardHook_) {
        s_.messageBoxes.ShowError(s_.lang.GetText(1, u"The keyboard hook could not be installed."));
        return;
    }
    if (companionWindow_ != kNoWindow) {
        s_.windows.SendToWindow(companionWindow_, msg::kCompanionHookInstalled, 0, 0);
    }
}

void Activation::ReinstallHooks(HookWatchdog::Cause cause) {
    if (!active_) return;
    // The new hook goes in before the old one goes out, so the chain is never without ours; no
    // key can reach both, as the system calls hooks only while this thread waits for messages.
    std::unique_ptr<IInstalledKeyboardHook> fresh = s_.keyboardHook.Install(hookProcedure_);
    if (fresh) {
        // A hook the system dropped goes without a word; one it refuses to remove stays in use.
        if (!keyboardHook_ || keyboardHook_->Remove()) keyboardHook_ = std::move(fresh);
    } else if (!keyboardHook_) {
        InstallKeyboardHook();  // reports that it cannot
    }
    effects_.ReinstallMouseHook();
    // The library's hooks are no low-level hooks: no time-out drops them, but a session change
    // or a sleep may. Called again, "Hook" starts over.
    if (cause != HookWatchdog::Cause::LoopStalled && library_ && !library_->CallHook(applicationWindow_)) {
        s_.log.WriteLog(u"The hook library refused to hook again");
    }
    std::u16string line = u"Keyboard hook reinstalled: " + std::u16string(CauseText(cause));
    if (cause == HookWatchdog::Cause::LoopStalled) {
        line += u" for " + Utf8ToUtf16(std::to_string(watchdog_.LastStallMs())) + u" ms";
    }
    s_.log.WriteLog(line);
}

void Activation::RemoveKeyboardHook() {
    if (keyboardHook_) {
        if (keyboardHook_->Remove()) {
            keyboardHook_.reset();
        } else {
            // The hook stays; turning off goes on.
            s_.messageBoxes.ShowError(s_.lang.GetText(2, u"The keyboard hook could not be removed."));
        }
    }
    if (companionWindow_ != kNoWindow) {
        s_.windows.SendToWindow(companionWindow_, msg::kCompanionHookRemoved, 0, 0);
    }
}

}  // namespace kv
