#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "app/app_forms.h"
#include "app/data_module.h"
#include "links/help_router.h"
#include "app/icon_packs.h"
#include "dialogs/error_report.h"
#include "dialogs/never_ask_list.h"
#include "dialogs/wait_dialog.h"
#include "app/app_windows.h"
#include "app/program.h"
#include "links/web_links.h"
#include "indicators/key_repaint_canvas.h"
#include "platform/clock_api.h"
#include "platform/process_api.h"
#include "platform/types.h"
#include "ports/settings_window_port.h"
#include "ports/about_box_port.h"
#include "ports/wizard_port.h"
#include "settings/preset_ports.h"

namespace kv {

class AppSingletons;
class IErrorReportSink;

// The program's spine: the entry sequence, the companion, the message loop and the way out.
// It is the composition root: it makes the windows, then the program's parts in the order of
// program.h, and the windows made on demand (settings, wizard, about box) when asked.
class ApplicationShell : private IApplicationEvents,
                         private ITrayCommands,
                         public IBugReporter,
                         private IApplicationEnd,
                         private IProgramState,
                         private IInterfaceLanguagePort,
                         private IVisualsPort,
                         private IDialogContext,
                         private ISettingsHost,
                         private IWizardHost,
                         private IWizardPort,
                         private IAboutHost {
public:
    ApplicationShell(AppSingletons& app, IAppWindows& windows);
    ~ApplicationShell();
    ApplicationShell(const ApplicationShell&) = delete;
    ApplicationShell& operator=(const ApplicationShell&) = delete;

    // The whole life of the process after module initialisation; the exit code is always 0.
    int Run();

    void Terminate();
    bool Terminated() const { return terminated_; }
    bool StartupComplete() const override { return startupComplete_; }
    WindowHandle CompanionWindow() const { return companionWindow_; }
    WindowHandle ApplicationWindow() const { return applicationWindow_; }
    // The program's parts; null before start-up has made them and after the way out has released them.
    Program* Parts() { return program_ ? &*program_ : nullptr; }
    // Mails a report of the error, with a description of the system; the program is switched off
    // while the mail dialog is open.
    void ReportBug(std::u16string_view errorText) override;
    WebLinks* Links() const { return links_.get(); }
    HelpRouter& Help() { return help_; }
    // A new interface language: menus and the action-kind names follow.
    void LocalizeMenus();

    // An exception that reached the message loop: logged, then shown by the error report.
    void OnUnhandledException(std::u16string_view message);
    // Null until the error report dialog exists.
    void SetErrorReport(IErrorReportSink* report) { errorReport_ = report; }

private:
    // IApplicationEvents
    bool OnApplicationMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
    // Colours and metrics follow the system.
    void OnSettingChange() override;
    void OnMainFormClosed() override;
    // IProgramState
    bool ProgramActive() const override;
    // IInterfaceLanguagePort
    void ChooseHelpFile(std::int32_t languageId) override { help_.SetHelpFile(languageId); }
    void ApplyLanguage(std::int32_t languageId) override;
    // IVisualsPort
    void RefreshVisuals() override;

    // The settings window (shell_settings_window.cpp): at most one, made by the tray's command.
    // Preset() to ProgramPath(), ShowHelp() and ActionsMenuDirty() are the IDialogContext that
    // it shares with the wizard.
    void OpenSettingsWindow();
    TPreset& Preset() override;
    EventSoundPlayer& Sounds() override;
    const TKvLang& Lang() const override;
    const std::vector<TKvLangListItem>& Languages() const override;
    KvMessageBoxes& MessageBoxes() override;
    Platform& Os() override;
    const AppFolders& Folders() const override;
    std::u16string ProgramPath() const override;
    std::u16string HotkeyText(HotkeyCode code) const override;
    bool CaptureShortcut(HotkeyCode& code) override;
    void ShowHelp(std::int32_t context) override;
    void OpenLocalizationPage() override;
    void OpenWizard() override;
    void ActionsMenuDirty() override;
    void SettingsWindowClosed() override;

    // The first-run wizard (shell_wizard.cpp): opened on a first start and from the settings
    // window, at most one.
    bool IsFirstStart() const;
    void CreateAndShowWizard();
    std::optional<std::u16string> ConvertHotkeyText() const override;
    void ResetTypedBuffer() override;
    void CheckForUpdate() override;
    void OpenSettingsFromWizard() override;
    void WizardClosed() override;
    void SetWizardAutoHideCheck(bool checked) override;
    bool SettingsUiVisible() const;

    // The about box (shell_about_box.cpp), opened once at a time from the tray.
    void OpenAboutBox();
    AboutBoxContent AboutContent() const override;
    void OpenAddress(const std::u16string& address) override;

    bool PassesOperatingSystemGate();
    void CreateForms();
    void LoadFlagOverrides();
    void DestroyForms();
    // The companion starts before the windows are made and is waited for after them, so that its
    // start-up overlaps theirs. Null when it runs already or could not be started.
    std::unique_ptr<IStartedProcess> BeginCompanionStart();
    void FinishCompanionStart(std::unique_ptr<IStartedProcess> starting);
    void CompleteStartup();
    void CreateProgram();
    void RunTrayCommand(TrayItem item) override;
    void TerminateApplication() override { Terminate(); }
    void CreateDialogs();
    void DestroyDialogs();
    void Exit();
    void LoadLanguagesAndSettings();
    void SaveSettingsAtExit();
    void ToggleLanguagePanel();

    AppSingletons& app_;
    IAppWindows& windows_;
    TDataDM dataModule_;
    // Before the program, whose keyboard model shows their icons.
    std::unique_ptr<IconPacks> iconPacks_;
    // What the keyboard model draws on: key changes are marked here and painted by the window.
    KeyRepaintCanvas keyboardCanvas_;
    HelpRouter help_;
    std::unique_ptr<NeverAskList> neverAsk_;
    std::unique_ptr<ErrorReport> errorReportDialog_;
    std::unique_ptr<WaitDialog> wait_;
    std::unique_ptr<WebLinks> links_;
    // Made once the forms exist and released before they go.
    std::optional<Program> program_;
    WindowHandle applicationWindow_ = kNoWindow;
    WindowHandle companionWindow_ = kNoWindow;
    bool terminated_ = false;
    bool startupComplete_ = false;
    int formsCreated_ = 0;
    std::optional<TimerId> startupCompletionTimer_;
    IErrorReportSink* errorReport_ = nullptr;
    std::unique_ptr<ISettingsWindow> settingsWindow_;
    // A closed settings window is freed once its last message has returned.
    std::optional<TimerId> settingsReleaseTimer_;
    std::unique_ptr<IWizardWindow> wizard_;
    std::optional<TimerId> wizardReleaseTimer_;
};

}  // namespace kv
