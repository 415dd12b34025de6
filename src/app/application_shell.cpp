#include "app/application_shell.h"

#include <algorithm>

#include "app/app_singletons.h"
#include "links/help_contexts.h"
#include "platform/paths.h"
#include "app/app_windows.h"
#include "app/keyboard_engine.h"
#include "indicators/caret_flag.h"
#include "indicators/caret_locator.h"
#include "common/system_services.h"
#include "common/messages.h"
#include "common/product.h"
#include "keyboard/layout_chars_ahead.h"
#include "dialogs/error_report.h"
#include "platform/text.h"
#include "platform/win_constants.h"
#include "resources/lang_flags.h"
#include "resources/language_apply.h"

namespace kv {

namespace {

std::u16string UnsupportedSystemText() {
    const std::u16string name(kProductName);
    return name + u" works only on Windows 2000/XP/2003/Vista based operating systems.\r\n\r\n" + name +
           u" requires features present only in these operating systems.\r\n"
           u"All older versions of Windows are not supported!";
}

// The companion's window is looked for during 51 pauses of 100 ms at most.
constexpr std::uint32_t kCompanionLookupPauseMs = 100;
constexpr std::uint64_t kCompanionWaitMs = 51 * kCompanionLookupPauseMs;
constexpr std::uint32_t kStartupCompletionMs = 800;

WindowHandle FindCompanionWindow(const IWindowing& windows) {
    return windows.FindTopLevelWindow(kCompanionClassAndCaption, kCompanionClassAndCaption);
}

// Looks for the companion's window until the time is up. While the companion is starting, a wait
// ends the moment it is up instead of at the end of a pause; once it is up (or when it could not
// be started), the window is looked for after each pause.
WindowHandle WaitForCompanionWindow(const IWindowing& windows, IClock& clock,
                                    std::unique_ptr<IStartedProcess> starting) {
    const std::uint64_t deadline = clock.NowMs() + kCompanionWaitMs;
    WindowHandle found = kNoWindow;
    for (std::uint64_t now = clock.NowMs(); found == kNoWindow && now < deadline; now = clock.NowMs()) {
        const auto pause = static_cast<std::uint32_t>(std::min<std::uint64_t>(kCompanionLookupPauseMs, deadline - now));
        if (!starting) {
            clock.Sleep(pause);
        } else if (starting->WaitUntilStarted(pause)) {
            starting.reset();
        }
        found = FindCompanionWindow(windows);
    }
    return found;
}

}  // namespace

ApplicationShell::ApplicationShell(AppSingletons& app, IAppWindows& windows)
    : app_(app),
      windows_(windows),
      dataModule_(app),
      keyboardCanvas_(windows.KeyboardCanvas()),
      help_(app.platform.files, windows.HtmlHelp(), app.folders.appFolder) {}

ApplicationShell::~ApplicationShell() = default;

int ApplicationShell::Run() {
    if (!PassesOperatingSystemGate()) return 0;
    app_.log.WriteLog(u"Initialize");

    const WindowHandle marker = app_.platform.windows.FindTopLevelWindow(kMarkerClassName, kMarkerCaption);
    if (marker != kNoWindow) {
        app_.platform.windows.PostToWindow(marker, msg::kSecondInstance, 0, 0);
        return 0;
    }

    std::unique_ptr<IStartedProcess> companionStarting = BeginCompanionStart();
    // The keyboard's characters are computed while the companion starts: both take a while.
    LayoutCharsAhead layoutChars(app_.platform.layouts, app_.platform.layouts.ThreadLayout(0));
    applicationWindow_ = windows_.CreateApplicationWindow(kProductName, *this);
    app_.messageBoxes.SetOwner(applicationWindow_);
    iconPacks_ = std::make_unique<IconPacks>(app_, windows_.IconDecoder());
    CreateForms();
    CreateDialogs();
    // Nothing up to the system's switch-on needs the companion: it is all done while the
    // companion starts, which on a busy machine takes longer than the program's own work.
    const std::optional<TKvLayoutChars> startLayoutChars = layoutChars.Take();
    CreateProgram();
    if (startLayoutChars) program_->model.charCache.Offer(*startLayoutChars);
    LoadLanguagesAndSettings();
    windows_.RealizeKeyboardFormsOffscreen();
    FinishCompanionStart(std::move(companionStarting));
    program_->engine.SetCompanionWindow(companionWindow_);
    if (!terminated_) {
        // After the companion, so that a missing companion stays the one error shown. Without
        // any language the program cannot speak; the remaining start-up still runs.
        if (app_.languages.empty()) {
            ShowNoLanguageData(app_.platform.messageBoxes);
            Terminate();
        }
        // A failed activation leaves the program running, switched off; a program already on
        // its way out hooks nothing.
        if (!terminated_) program_->engine.Switch().Activate();
        // With auto-hide off the keyboard stays up while the program is on.
        if (!terminated_ && program_->engine.Switch().Active() && !app_.preset.KeyboardAutoHide()) {
            program_->keyboard.ShowKeyboardAndReactivateLayout();
        }
        // Decided before the first-start balloon, which writes the very value it looks for.
        if (!terminated_ && IsFirstStart()) CreateAndShowWizard();
        program_->tray.ShowBalloon(u"FirstStart", 1, 5000, 35, 34);
        startupCompletionTimer_ = app_.platform.loop.StartTimer(kStartupCompletionMs, [this] { CompleteStartup(); });
    }

    app_.log.WriteLog(u"Run");
    app_.platform.loop.Run();
    app_.log.WriteLog(u"Finalize");
    if (startupCompletionTimer_) app_.platform.loop.StopTimer(*startupCompletionTimer_);
    // No hook and no library may outlive the program in other processes.
    if (program_) program_->engine.Switch().Deactivate();
    if (settingsReleaseTimer_) app_.platform.loop.StopTimer(*settingsReleaseTimer_);
    settingsWindow_.reset();
    if (wizardReleaseTimer_) app_.platform.loop.StopTimer(*wizardReleaseTimer_);
    wizard_.reset();
    // The settings' effects reach the program's parts no more.
    app_.preset.SetPorts(nullptr);
    // Before the forms, whose windows its behaviours show.
    program_.reset();
    links_.reset();
    DestroyDialogs();
    DestroyForms();
    SaveSettingsAtExit();
    return 0;
}

void ApplicationShell::CreateDialogs() {
    neverAsk_ = std::make_unique<NeverAskList>(app_.platform.files, app_.platform.text,
                                               JoinPath(app_.appIni.DataFolder(), kNeverAskFileName));
    neverAsk_->Load();
    errorReportDialog_ = std::make_unique<ErrorReport>(windows_.ErrorReportWindow(), app_.lang, app_.platform.loop,
                                                       *neverAsk_, static_cast<IBugReporter&>(*this),
                                                       static_cast<IApplicationEnd&>(*this));
    errorReportDialog_->ApplyLanguage();
    windows_.AttachErrorReport(errorReportDialog_.get());
    SetErrorReport(errorReportDialog_.get());
    wait_ = std::make_unique<WaitDialog>(windows_.WaitWindows(), app_.lang);
}

// Before the forms: the report's window is one of them.
void ApplicationShell::DestroyDialogs() {
    SetErrorReport(nullptr);
    windows_.AttachErrorReport(nullptr);
    if (links_) links_->SetWaitDialog(nullptr);
    wait_.reset();
    errorReportDialog_.reset();
}

void ApplicationShell::CreateProgram() {
    Platform& os = app_.platform;
    links_ = std::make_unique<WebLinks>(
        WebLinkServices{os.shell, os.internet, os.loop, os.clock, os.text, os.files, os.processes, os.version,
                        os.registry, os.windows, app_.preset, app_.lang, app_.messageBoxes},
        applicationWindow_, ReadMakerAddresses(app_.appIni));
    links_->SetWaitDialog(wait_.get());
    program_.emplace(ProgramContext{app_, windows_, applicationWindow_, dataModule_, *iconPacks_, keyboardCanvas_,
                                    *this, *this, *this, *this, static_cast<IWizardPort&>(*this),
                                    [this] { return SettingsUiVisible(); }});
}

bool ApplicationShell::ProgramActive() const { return program_ && program_->engine.Switch().Active(); }

void ApplicationShell::ApplyLanguage(std::int32_t languageId) {
    SwitchLanguage(app_.lang, app_.languages, languageId, windows_.LanguageTargets());
    LocalizeMenus();
    if (settingsWindow_) settingsWindow_->ApplyLanguage();
    if (program_) program_->languagePanel.ApplyLanguage();
    if (wizard_) wizard_->ApplyLanguage();
}

void ApplicationShell::RefreshVisuals() {
    dataModule_.ApplyColorScheme();
    if (!program_) return;
    program_->keyboard.RepaintKeyboardAndBackground();
    program_->languagePanel.RepaintPanel();
}

void ApplicationShell::LocalizeMenus() {
    dataModule_.BuildActionKinds();
    if (errorReportDialog_) errorReportDialog_->ApplyLanguage();
    if (program_) program_->tray.LocalizeMenus();
}

void ApplicationShell::RunTrayCommand(TrayItem item) {
    switch (item) {
        case TrayItem::Close:
            Exit();
            break;
        case TrayItem::Settings:
            OpenSettingsWindow();
            break;
        case TrayItem::ShowMainKeyboard:
            program_->keyboard.ToggleOnScreenKeyboard();
            // A panel shown with the keyboard stays above it.
            program_->engine.Switch().KeepPanelOnTop();
            break;
        case TrayItem::FloatingWindowLang:
            ToggleLanguagePanel();
            break;
        case TrayItem::Help:
            help_.ShowHelp(help_context::kContents);
            break;
        case TrayItem::WWW:
            links_->OpenProductPage();
            break;
        case TrayItem::Forum:
            links_->OpenForum();
            break;
        case TrayItem::RequestFeature:
            links_->OpenFeatureRequest();
            break;
        case TrayItem::Mail:
            links_->MailToMaker();
            break;
        case TrayItem::CheckNewVersion:
            links_->CheckForUpdate(true);
            break;
        case TrayItem::ReportBug:
            ReportBug(u"");
            break;
        case TrayItem::About:
            OpenAboutBox();
            break;
        // The tray handles these itself.
        case TrayItem::Active:
        case TrayItem::SoundEnabled:
        // Items this product keeps hidden, separators and the submenu: no menu returns them.
        case TrayItem::FloatingWindowKb:
        case TrayItem::ShowClipboardManager:
        case TrayItem::ShowTemplatesManager:
        case TrayItem::ActionSetup:
        case TrayItem::OpenActionFile:
        case TrayItem::RecordMacro:
        case TrayItem::Sepr1:
        case TrayItem::Sepr2:
        case TrayItem::Sepr3:
        case TrayItem::Sepr4:
        case TrayItem::Sepr5:
        case TrayItem::AddInfo:
            break;
    }
}

// The panel's tray item toggles it and carries its check mark.
void ApplicationShell::ToggleLanguagePanel() {
    if (!app_.preset.AccessDenied()) program_->languagePanel.ToggleFromTray();
}

void ApplicationShell::ReportBug(std::u16string_view errorText) {
    if (!links_ || !program_) return;
    // Someone about to download the newer version needs no report of the old one.
    if (links_->CheckForUpdate(false)) return;
    const std::u16string body =
        links_->BugReportBody(errorText, static_cast<std::uint32_t>(program_->model.keyboard.Layout()));
    Activation& activation = program_->engine.Switch();
    const bool wasActive = activation.Active();
    activation.SetActive(false);
    try {
        SendMail(app_.platform.shell, app_.messageBoxes, app_.lang, applicationWindow_,
                 {links_->Addresses().supportMail, links_->BugReportSubject(), body, {}});
    } catch (...) {
        activation.SetActive(wasActive);
        throw;
    }
    activation.SetActive(wasActive);
}

void ApplicationShell::Exit() {
    // Unsaved edits of an open settings window are not kept by the final save.
    if (settingsWindow_ && settingsWindow_->Visible()) app_.preset.Load();
    if (program_) program_->engine.Switch().Deactivate();
    Terminate();
}

void ApplicationShell::LoadLanguagesAndSettings() {
    app_.languages = BuildLanguageList(app_.platform.files, LanguageFolder(app_.folders.appFolder),
                                       [](std::int32_t id) { return LangFlagIndex(static_cast<std::uint32_t>(id)); });
    if (program_) app_.preset.SetPorts(&program_->presetPorts);
    app_.preset.Load();
}

void ApplicationShell::SaveSettingsAtExit() {
    try {
        app_.preset.Save();
    } catch (const std::exception& e) {
        OnUnhandledException(Utf8ToUtf16(e.what()));
    }
}

bool ApplicationShell::PassesOperatingSystemGate() {
    const OsVersion version = app_.platform.version.Version();
    if (version.platformId == win::kVerPlatformWin32Nt && version.major >= 5) return true;
    app_.platform.messageBoxes.Show(kNoWindow, UnsupportedSystemText(), kProductName,
                                    win::kMbOk | win::kMbIconExclamation);
    return false;
}

void ApplicationShell::LoadFlagOverrides() {
    const std::u16string path = app_.folders.appFolder + u"Flags.bmp";
    if (app_.platform.files.FileExists(path)) windows_.LoadFlagOverrides(path);
}

void ApplicationShell::CreateForms() {
    for (const auto& info : kAppFormsInCreationOrder) {
        if (info.form == AppForm::DataDM) {
            windows_.CreateForm(info.form);
            dataModule_.DataModuleCreate();
            LoadFlagOverrides();
        } else {
            app_.log.WriteLog(info.logName);
            windows_.CreateForm(info.form);
        }
        ++formsCreated_;
    }
}

void ApplicationShell::DestroyForms() {
    for (int i = formsCreated_ - 1; i >= 0; --i) {
        const AppForm form = kAppFormsInCreationOrder[static_cast<std::size_t>(i)].form;
        if (form == AppForm::DataDM) dataModule_.DataModuleDestroy(companionWindow_);
        windows_.DestroyForm(form);
    }
    formsCreated_ = 0;
}

std::unique_ptr<IStartedProcess> ApplicationShell::BeginCompanionStart() {
    companionWindow_ = FindCompanionWindow(app_.platform.windows);
    if (companionWindow_ != kNoWindow) return nullptr;
    // By full path: a bare name would run whatever "KarmuxCm.exe" sits in the current folder.
    return app_.platform.processes.StartHidden(app_.folders.appFolder + std::u16string(kCompanionFileName));
}

void ApplicationShell::FinishCompanionStart(std::unique_ptr<IStartedProcess> starting) {
    if (terminated_) return;
    auto& windows = app_.platform.windows;
    if (companionWindow_ == kNoWindow) {
        companionWindow_ = WaitForCompanionWindow(windows, app_.platform.clock, std::move(starting));
    }

    if (companionWindow_ != kNoWindow) {
        windows.PostToWindow(companionWindow_, msg::kCompanionStartup, 0, 0);
        for (WindowHandle window : windows.TopLevelWindows()) {
            if (windows.IsWindowVisible(window)) windows.PostToWindow(window, msg::kCompanionStartup, 0, 0);
        }
        return;
    }
    app_.messageBoxes.ShowError(u"File " + std::u16string(kCompanionFileName) + u" is not found!");
    windows.PostToWindow(applicationWindow_, msg::kCompanionStartup, 0, 0);
    Terminate();
}

void ApplicationShell::CompleteStartup() {
    if (startupCompletionTimer_) app_.platform.loop.StopTimer(*startupCompletionTimer_);
    startupCompletionTimer_.reset();
    startupComplete_ = true;
    if (program_) program_->tray.ApplyHideTrayIcon();
    // Not with the first window: its library costs start-up time, and an unlock can wait.
    windows_.WatchSessionChanges();
}

void ApplicationShell::Terminate() {
    terminated_ = true;
    app_.platform.loop.Quit();
}

void ApplicationShell::OnMainFormClosed() { Terminate(); }

bool ApplicationShell::OnApplicationMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    return program_ && program_->messages.Dispatch(message, wParam, lParam);
}

void ApplicationShell::OnSettingChange() {
    dataModule_.ApplyColorScheme();
    // The keyboard's metrics follow the system's; the renderer measures them on the redraw.
    if (!program_) return;
    program_->model.keyboard.Redraw();
    program_->languagePanel.DisplayChanged();
}

void ApplicationShell::OnUnhandledException(std::u16string_view message) {
    app_.log.WriteLog(u"Exception : " + std::u16string(message));
    if (errorReport_) errorReport_->ShowErrorReport(message);
}

}  // namespace kv
