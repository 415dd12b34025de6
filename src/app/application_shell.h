#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "app/app_forms.h"
#include "app/data_module.h"
#include "app/help_router.h"
#include "app/icon_packs.h"
#include "dialogs/error_report.h"
#include "dialogs/never_ask_list.h"
#include "dialogs/wait_dialog.h"
#include "app/deferred_caret_flag_port.h"
#include "app/deferred_keyboard_port.h"
#include "app/deferred_language_panel_port.h"
#include "app/deferred_tray_port.h"
#include "app/web_links.h"
#include "indicators/deferred_keyboard_canvas.h"
#include "indicators/language_panel.h"
#include "indicators/on_screen_keyboard.h"
#include "indicators/tray_controller.h"
#include "platform/clock_api.h"
#include "platform/process_api.h"
#include "platform/types.h"
#include "ports/settings_window_port.h"
#include "ports/about_box_port.h"
#include "ports/wizard_port.h"
#include "settings/form_placement.h"
#include "settings/preset_ports.h"

namespace kv {

class AppSingletons;
class CaretFlag;
class CaretLocator;
class IAppWindows;
class IErrorReportSink;
class KeyboardEngine;
class TrayController;

// The program's spine: the entry sequence, the companion, the message loop and the way out.
// It is the composition root: it creates the program's parts and wires each window's port.
class ApplicationShell : private ITrayCommands,
                         public IBugReporter,
                         private IApplicationEnd,
                         private IProgramState,
                         private IInterfaceLanguagePort,
                         private IVisualsPort,
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
    // Null before start-up has created it and after the way out has released it.
    KeyboardEngine* Engine() const { return engine_.get(); }
    TrayController* Tray() const { return tray_.get(); }
    // Mails a report of the error, with a description of the system; the program is switched off
    // while the mail dialog is open.
    void ReportBug(std::u16string_view errorText) override;
    WebLinks* Links() const { return links_.get(); }
    HelpRouter& Help() { return help_; }
    // A new interface language: menus and the action-kind names follow.
    void LocalizeMenus();

    // From the windows: the marker form was closed (it is the main form).
    void OnMainFormClosed();
    // A message for the application from the library, the companion or a second instance, or a
    // session change or power event of the system. True when handled.
    bool OnApplicationMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
    // WM_SETTINGCHANGE: colours and metrics follow the system.
    void OnSettingChange();
    // An exception that reached the message loop: logged, then shown by the error report.
    void OnUnhandledException(std::u16string_view message);
    // Null until the error report dialog exists.
    void SetErrorReport(IErrorReportSink* report) { errorReport_ = report; }

private:
    // IProgramState
    bool ProgramActive() const override;
    // IInterfaceLanguagePort
    void ChooseHelpFile(std::int32_t languageId) override { help_.SetHelpFile(languageId); }
    void ApplyLanguage(std::int32_t languageId) override;
    // IVisualsPort
    void RefreshVisuals() override;

    // The settings window (shell_settings_window.cpp): at most one, made by the tray's command.
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
    void CreateKeyboardEngine();
    void RunTrayCommand(TrayItem item) override;
    void TerminateApplication() override { Terminate(); }
    void CreateDialogs();
    void SetActionsMenuTimer(bool on);
    void DestroyDialogs();
    void Exit();
    void LoadLanguagesAndSettings();
    void SaveSettingsAtExit();
    void CreateOnScreenKeyboard();
    // Its place is saved while its window still exists.
    void DetachOnScreenKeyboard();
    // The caret flag (shell_caret_flag.cpp).
    void CreateCaretFlag();
    void DestroyCaretFlag();
    // The library's caret notifications restart the flag's show cycle.
    void OnCaretActivity(std::uint32_t message);
    // The floating language panel (shell_language_panel.cpp), made after the on-screen keyboard.
    void CreateLanguagePanel();
    void DetachLanguagePanel();
    void ToggleLanguagePanel();

    AppSingletons& app_;
    IAppWindows& windows_;
    TDataDM dataModule_;
    // Before the engine, whose keyboard model shows their icons.
    std::unique_ptr<IconPacks> iconPacks_;
    DeferredTrayPort trayPort_;
    DeferredKeyboardPort keyboardPort_;
    DeferredCaretFlagPort caretFlagPort_;
    DeferredLanguagePanelPort panelPort_;
    // What the keyboard model draws on: key changes are marked here and painted by the window.
    DeferredKeyboardCanvas keyboardCanvas_;
    std::optional<FormPlacement> placement_;
    std::unique_ptr<KeyboardEngine> engine_;
    // Wired once the engine and the tray exist.
    std::optional<PresetPorts> presetPorts_;
    std::unique_ptr<TrayController> tray_;
    std::unique_ptr<OnScreenKeyboard> onScreenKeyboard_;
    std::unique_ptr<CaretLocator> caretLocator_;
    std::unique_ptr<CaretFlag> caretFlag_;
    std::unique_ptr<LanguagePanel> languagePanel_;
    std::unique_ptr<WebLinks> links_;
    HelpRouter help_;
    std::unique_ptr<NeverAskList> neverAsk_;
    std::unique_ptr<ErrorReport> errorReportDialog_;
    std::unique_ptr<WaitDialog> wait_;
    WindowHandle applicationWindow_ = kNoWindow;
    WindowHandle companionWindow_ = kNoWindow;
    bool terminated_ = false;
    bool startupComplete_ = false;
    int formsCreated_ = 0;
    std::optional<TimerId> startupCompletionTimer_;
    std::optional<TimerId> popupActionsTimer_;
    IErrorReportSink* errorReport_ = nullptr;
    std::unique_ptr<ISettingsWindow> settingsWindow_;
    // A closed settings window is freed once its last message has returned.
    std::optional<TimerId> settingsReleaseTimer_;
    std::unique_ptr<IWizardWindow> wizard_;
    std::optional<TimerId> wizardReleaseTimer_;
};

}  // namespace kv
