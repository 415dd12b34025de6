#include "app/application_shell.h"

#include <algorithm>

#include "app/app_message_dispatch.h"
#include "app/app_singletons.h"
#include "app/app_windows.h"
#include "app/keyboard_engine.h"
#include "indicators/caret_flag.h"
#include "indicators/caret_locator.h"
#include "platform/paths.h"
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
constexpr std::uint32_t kPopupActionsMs = 2000;

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
    applicationWindow_ = windows_.CreateApplicationWindow(kProductName);
    app_.messageBoxes.SetOwner(applicationWindow_);
    iconPacks_ = std::make_unique<IconPacks>(app_, windows_.IconDecoder());
    CreateForms();
    CreateDialogs();
    // Nothing up to the system's switch-on needs the companion: it is all done while the
    // companion starts, which on a busy machine takes longer than the program's own work.
    const std::optional<TKvLayoutChars> startLayoutChars = layoutChars.Take();
    CreateKeyboardEngine();
    if (startLayoutChars) engine_->OfferLayoutChars(*startLayoutChars);
    LoadLanguagesAndSettings();
    windows_.RealizeKeyboardFormsOffscreen();
    FinishCompanionStart(std::move(companionStarting));
    engine_->SetCompanionWindow(companionWindow_);
    if (!terminated_) {
        // After the companion, so that a missing companion stays the one error shown. Without
        // any language the program cannot speak; the remaining start-up still runs.
        if (app_.languages.empty()) {
            ShowNoLanguageData(app_.platform.messageBoxes);
            Terminate();
        }
        // A failed activation leaves the program running, switched off; a program already on
        // its way out hooks nothing.
        if (!terminated_) engine_->Switch().Activate();
        // With auto-hide off the keyboard stays up while the program is on.
        if (!terminated_ && engine_->Switch().Active() && !app_.preset.KeyboardAutoHide()) {
            keyboardPort_.ShowKeyboardAndReactivateLayout();
        }
        // Decided before the first-start balloon, which writes the very value it looks for.
        if (!terminated_ && IsFirstStart()) CreateAndShowWizard();
        tray_->ShowBalloon(u"FirstStart", 1, 5000, 35, 34);
        startupCompletionTimer_ = app_.platform.loop.StartTimer(kStartupCompletionMs, [this] { CompleteStartup(); });
    }

    app_.log.WriteLog(u"Run");
    app_.platform.loop.Run();
    app_.log.WriteLog(u"Finalize");
    if (startupCompletionTimer_) app_.platform.loop.StopTimer(*startupCompletionTimer_);
    SetActionsMenuTimer(false);
    // No hook and no library may outlive the program in other processes.
    if (engine_) engine_->Switch().Deactivate();
    if (settingsReleaseTimer_) app_.platform.loop.StopTimer(*settingsReleaseTimer_);
    settingsWindow_.reset();
    if (wizardReleaseTimer_) app_.platform.loop.StopTimer(*wizardReleaseTimer_);
    wizard_.reset();
    DestroyDialogs();
    DestroyCaretFlag();
    // Before the forms: its window goes with them.
    DetachLanguagePanel();
    languagePanel_.reset();
    DetachOnScreenKeyboard();
    DestroyForms();
    SaveSettingsAtExit();
    onScreenKeyboard_.reset();
    windows_.SetFormMessageHandler(AppForm::ClipboardMonitor, {});
    trayPort_.Attach(nullptr);
    tray_.reset();
    links_.reset();
    engine_.reset();
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

void ApplicationShell::CreateKeyboardEngine() {
    engine_ = std::make_unique<KeyboardEngine>(app_, windows_.FormWindow(AppForm::ClipboardMonitor),
                                               EnginePorts{trayPort_, caretFlagPort_, panelPort_, keyboardPort_, keyboardCanvas_});
    windows_.SetFormMessageHandler(AppForm::ClipboardMonitor,
                                   [this](std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam,
                                          std::intptr_t& result) {
                                       return engine_ && engine_->ClipboardMonitor().HandleMessage(message, wParam,
                                                                                                   lParam, result);
                                   });
    engine_->SetApplicationWindow(applicationWindow_);
    engine_->SetCompanionWindow(companionWindow_);
    engine_->Foreground().SetIconSource(iconPacks_.get());
    engine_->Model().SetSystemIcons(iconPacks_->SystemPack());
    tray_ = std::make_unique<TrayController>(TrayController::Services{
        app_.preset, app_.lang, app_.appIni, app_.log, app_.platform, engine_->Actions(), engine_->Model(),
        engine_->Queue(), engine_->Scheduler(), engine_->Switch(), windows_.TrayIcon(), windows_.PopupMenus(),
        dataModule_.ActionKinds(), *this,
        dataModule_.PopupMenuStyle() == MenuStyle::Standard ? PopupMenuStyle::Standard : PopupMenuStyle::XpOwnerDrawn});
    trayPort_.Attach(tray_.get());
    tray_->UpdateTrayIcon();
    links_ = std::make_unique<WebLinks>(app_, applicationWindow_, ReadMakerAddresses(app_.appIni));
    links_->SetWaitDialog(wait_.get());
    CreateOnScreenKeyboard();
    CreateCaretFlag();
    CreateLanguagePanel();
    presetPorts_.emplace(PresetPorts{*this, *onScreenKeyboard_, keyboardPort_, trayPort_, caretFlagPort_, *this, *this,
                                     static_cast<IWizardPort&>(*this)});
}

void ApplicationShell::CreateOnScreenKeyboard() {
    Platform& os = app_.platform;
    placement_.emplace(app_.appIni, os.windows);
    onScreenKeyboard_ = std::make_unique<OnScreenKeyboard>(OnScreenKeyboardServices{
        app_.preset, engine_->Model(), os.loop, os.registry, os.layouts, os.windows, *placement_,
        windows_.KeyboardWindows(),
        [this] {
            if (tray_) tray_->PopupTrayMenu();
        },
        [this] { return SettingsUiVisible(); },
        [this](bool shown) {
            if (languagePanel_) languagePanel_->KeyboardShown(shown);
        },
        [this](std::int32_t dx, std::int32_t dy) {
            if (languagePanel_) languagePanel_->KeyboardMoved(dx, dy);
        }});
    keyboardPort_.Attach(onScreenKeyboard_.get());
    windows_.AttachOnScreenKeyboard(onScreenKeyboard_.get(), &keyboardCanvas_, &dataModule_.Theme(), &app_.preset);
}

void ApplicationShell::DetachOnScreenKeyboard() {
    if (!onScreenKeyboard_) return;
    onScreenKeyboard_->SavePosition();
    keyboardPort_.Attach(nullptr);
    windows_.AttachOnScreenKeyboard(nullptr, &keyboardCanvas_, nullptr, nullptr);
}

bool ApplicationShell::ProgramActive() const { return engine_ != nullptr && engine_->Switch().Active(); }

void ApplicationShell::ApplyLanguage(std::int32_t languageId) {
    SwitchLanguage(app_.lang, app_.languages, languageId, windows_.LanguageTargets());
    LocalizeMenus();
    if (settingsWindow_) settingsWindow_->ApplyLanguage();
    if (languagePanel_) languagePanel_->ApplyLanguage();
    if (wizard_) wizard_->ApplyLanguage();
}

void ApplicationShell::RefreshVisuals() {
    dataModule_.ApplyColorScheme();
    keyboardPort_.RepaintKeyboardAndBackground();
    panelPort_.RepaintPanel();
}

void ApplicationShell::LocalizeMenus() {
    dataModule_.BuildActionKinds();
    if (errorReportDialog_) errorReportDialog_->ApplyLanguage();
    if (tray_) tray_->LocalizeMenus();
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
            keyboardPort_.ToggleOnScreenKeyboard();
            // A panel shown with the keyboard stays above it.
            if (engine_) engine_->Switch().KeepPanelOnTop();
            break;
        case TrayItem::FloatingWindowLang:
            ToggleLanguagePanel();
            break;
        case TrayItem::Help:
            help_.ShowHelp(0);
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
        default:
            app_.log.WriteLog(u"Tray command " + Utf8ToUtf16(std::to_string(static_cast<int>(item))) +
                              u" has nothing to open in this build yet");
            break;
    }
}

void ApplicationShell::ReportBug(std::u16string_view errorText) {
    if (!links_ || !engine_) return;
    // Someone about to download the newer version needs no report of the old one.
    if (links_->CheckForUpdate(false)) return;
    const std::u16string body =
        links_->BugReportBody(errorText, static_cast<std::uint32_t>(engine_->Model().Layout()));
    Activation& activation = engine_->Switch();
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

// The library asks for the actions menu after a pause (1192) or takes the request back (1193).
void ApplicationShell::SetActionsMenuTimer(bool on) {
    if (popupActionsTimer_) app_.platform.loop.StopTimer(*popupActionsTimer_);
    popupActionsTimer_.reset();
    if (!on) return;
    popupActionsTimer_ = app_.platform.loop.StartTimer(kPopupActionsMs, [this] {
        SetActionsMenuTimer(false);
        if (tray_) tray_->PopupActionsMenu();
    });
}

void ApplicationShell::Exit() {
    // Unsaved edits of an open settings window are not kept by the final save.
    if (settingsWindow_ && settingsWindow_->Visible()) app_.preset.Load();
    if (engine_) engine_->Switch().Deactivate();
    Terminate();
}

void ApplicationShell::LoadLanguagesAndSettings() {
    app_.languages = BuildLanguageList(app_.platform.files, LanguageFolder(app_.folders.appFolder),
                                       [](std::int32_t id) { return LangFlagIndex(static_cast<std::uint32_t>(id)); });
    if (presetPorts_) app_.preset.SetPorts(&*presetPorts_);
    app_.preset.Load();
}

void ApplicationShell::SaveSettingsAtExit() {
    app_.preset.SetPorts(nullptr);  // the windows its effects reach are gone
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
    if (tray_) tray_->ApplyHideTrayIcon();
    // Not with the first window: its library costs start-up time, and an unlock can wait.
    windows_.WatchSessionChanges();
}

void ApplicationShell::Terminate() {
    terminated_ = true;
    app_.platform.loop.Quit();
}

void ApplicationShell::OnMainFormClosed() { Terminate(); }

bool ApplicationShell::OnApplicationMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    // The running instance answers a second start; its tray reaction grows with the tray.
    if (message == msg::kSecondInstance) {
        if (tray_) tray_->OnSecondInstance();
        return true;
    }
    if (message == win::kWmWtsSessionChange || message == win::kWmPowerBroadcast) {
        if (engine_) engine_->Switch().Watchdog().OnSystemNotification(message, wParam);
        return false;  // the system's own handling goes on
    }
    OnCaretActivity(message);
    if (message == msg::kActionsMenuTimerStart || message == msg::kActionsMenuTimerStop) {
        SetActionsMenuTimer(message == msg::kActionsMenuTimerStart);
        return true;
    }
    return engine_ != nullptr && DispatchLibraryMessage(*engine_, message, wParam, lParam);
}

void ApplicationShell::OnSettingChange() {
    dataModule_.ApplyColorScheme();
    // The keyboard's metrics follow the system's; the renderer measures them on the redraw.
    if (engine_) engine_->Model().Redraw();
    if (languagePanel_) languagePanel_->DisplayChanged();
}

void ApplicationShell::OnUnhandledException(std::u16string_view message) {
    app_.log.WriteLog(u"Exception : " + std::u16string(message));
    if (errorReport_) errorReport_->ShowErrorReport(message);
}

}  // namespace kv
