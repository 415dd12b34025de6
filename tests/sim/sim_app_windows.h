#pragma once
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "app/app_windows.h"
#include "no_drawing_canvas.h"
#include "resources/icon_pack_images.h"
#include "sim_caret_flag_windows.h"
#include "sim_keyboard_windows.h"
#include "sim_language_panel_view.h"
#include "resources/language_apply.h"
#include "sim_desktop.h"
#include "dialogs/error_report.h"
#include "dialogs/wait_dialog.h"
#include "sim_tray.h"
#include "ports/settings_window_port.h"
#include "ports/about_box_port.h"
#include "ports/wizard_port.h"

namespace kv {
class TKvLang;
}

namespace kv::sim {

// Pack images as an image list would cut them: one per whole 16 pixels of the strip's width.
class SimIconDecoder : public IIconImageDecoder {
public:
    std::unique_ptr<IIconImages> DecodeStrip(std::string_view, const BitmapFileInfo& info) override {
        struct Images : IIconImages {
            std::size_t count = 0;
            std::size_t Count() const override { return count; }
        };
        auto images = std::make_unique<Images>();
        images->count = static_cast<std::size_t>(info.width / kIconImageSize);
        return images;
    }
};

// The error report dialog: what it shows, and a modal loop that returns at once.
class SimErrorReportWindow : public IErrorReportWindow {
public:
    bool IsVisible() const override { return false; }
    void SetCaption(std::u16string_view text) override { caption = text; }
    void SetMessageText(std::u16string_view text) override { message = text; }
    void SetCloseButtonText(std::u16string_view) override {}
    void SetSendButtonText(std::u16string_view) override {}
    void SetTerminateButtonText(std::u16string_view) override {}
    void SetNeverAskText(std::u16string_view) override {}
    bool NeverAskChecked() const override { return false; }
    void Repaint() override {}
    void ShowModal() override { ++shown; }
    void CloseModal() override {}
    std::u16string caption, message;
    int shown = 0;
};

// Wait dialogs that only count themselves.
class SimWaitWindows : public IWaitWindows {
public:
    class Window : public IWaitWindow {
    public:
        explicit Window(SimWaitWindows& owner) : owner_(owner) { ++owner_.open; }
        ~Window() override { --owner_.open; }
        void CenterOnWorkArea() override {}
        void SetMessageText(std::u16string_view text) override { owner_.texts.emplace_back(text); }
        void StartRunningLine() override {}
        void ShowModeless() override {}
        void Repaint() override {}
    private:
        SimWaitWindows& owner_;
    };
    std::unique_ptr<IWaitWindow> CreateWaitWindow() override { return std::make_unique<Window>(*this); }
    void RepaintActiveForm() override {}
    int open = 0;
    std::vector<std::u16string> texts;
};

// The program's windows on the simulated desktop, wired to the shell as the Win32 ones are.
// The settings window on the simulated desktop: it records what the program asks of it; tests
// drive the settings model through the context as the window's handlers would.
class SimSettingsWindow : public ISettingsWindow {
public:
    SimSettingsWindow(IDialogContext& context, ISettingsHost& host, SimSettingsWindow*& registration)
        : context_(context), host_(host), registration_(registration) {
        registration_ = this;
    }
    ~SimSettingsWindow() override { registration_ = nullptr; }
    void ShowAndActivate() override {
        ++activations_;
        visible_ = true;
    }
    bool Visible() const override { return visible_; }
    void ApplyLanguage() override { ++languageApplications_; }
    IDialogContext& Context() { return context_; }
    ISettingsHost& Host() { return host_; }
    int Activations() const { return activations_; }
    int LanguageApplications() const { return languageApplications_; }
    // Closing the window: the host hears of it as from the real one.
    void Close() {
        visible_ = false;
        host_.SettingsWindowClosed();
    }

private:
    IDialogContext& context_;
    ISettingsHost& host_;
    SimSettingsWindow*& registration_;
    bool visible_ = false;
    int activations_ = 0;
    int languageApplications_ = 0;
};

// The first-run wizard on the simulated desktop: it records what the program asks of it; tests
// act through the context and the host as the window's handlers would.
class SimWizardWindow : public IWizardWindow {
public:
    SimWizardWindow(IDialogContext& context, IWizardHost& host, SimWizardWindow*& registration)
        : context_(context), host_(host), registration_(registration) {
        registration_ = this;
    }
    ~SimWizardWindow() override { registration_ = nullptr; }
    void ShowAndActivate() override {
        ++activations_;
        visible_ = true;
    }
    bool Visible() const override { return visible_; }
    void ApplyLanguage() override { ++languageApplications_; }
    IDialogContext& Context() { return context_; }
    IWizardHost& Host() { return host_; }
    int Activations() const { return activations_; }
    int LanguageApplications() const { return languageApplications_; }
    void Close() {
        visible_ = false;
        host_.WizardClosed();
    }

private:
    IDialogContext& context_;
    IWizardHost& host_;
    SimWizardWindow*& registration_;
    bool visible_ = false;
    int activations_ = 0;
    int languageApplications_ = 0;
};

class SimAppWindows : public IAppWindows, private ILanguageTargets {
public:
    explicit SimAppWindows(SimDesktop& desktop) : desktop_(desktop) {}
    // The language the forms' captions come from.
    void UseLanguage(const TKvLang& lang) { lang_ = &lang; }

    WindowHandle CreateApplicationWindow(std::u16string_view title, IApplicationEvents& events) override;
    void CreateForm(AppForm form) override;
    void DestroyForm(AppForm form) override;
    WindowHandle FormWindow(AppForm form) const override;
    void SetFormMessageHandler(AppForm form, FormMessageHandler handler) override;
    void RealizeKeyboardFormsOffscreen() override { realizedOffscreen_ = true; }
    ILanguageTargets& LanguageTargets() override { return *this; }
    ITrayIcon& TrayIcon() override { return tray_; }
    IPopupMenus& PopupMenus() override { return menus_; }
    IHtmlHelp& HtmlHelp() override { return help_; }
    SimHtmlHelp& Help() { return help_; }
    IErrorReportWindow& ErrorReportWindow() override { return errorWindow_; }
    void AttachErrorReport(ErrorReport* report) override { errorReport_ = report; }
    IWaitWindows& WaitWindows() override { return waits_; }
    IIconImageDecoder& IconDecoder() override { return iconDecoder_; }
    IKeyboardCanvas& KeyboardCanvas() override { return keyboardCanvas_; }
    IKeyboardWindowView& KeyboardWindows() override { return keyboardWindows_; }
    void AttachOnScreenKeyboard(OnScreenKeyboard* keyboard, KeyRepaintCanvas*, const TKvTheme*,
                                const TPreset*) override {
        onScreenKeyboard_ = keyboard;
    }
    SimKeyboardWindows& Keyboard() { return keyboardWindows_; }
    ICaretFlagWindows& CaretFlagWindows() override { return caretFlag_; }
    SimCaretFlagWindows& CaretFlag() { return caretFlag_; }
    ILanguagePanelView& LanguagePanelView() override { return panelView_; }
    void AttachLanguagePanel(LanguagePanel* panel) override { languagePanel_ = panel; }
    SimLanguagePanelView& Panel() { return panelView_; }
    LanguagePanel* AttachedLanguagePanel() const { return languagePanel_; }
    OnScreenKeyboard* AttachedOnScreenKeyboard() const { return onScreenKeyboard_; }
    void WatchSessionChanges() override { watchingSessions_ = true; }
    std::unique_ptr<ISettingsWindow> CreateSettingsWindow(IDialogContext& context, ISettingsHost& host) override;
    // The capture dialog "runs" `whileCaptureDialogOpen`, which answers for the user; without
    // it the dialog is cancelled.
    bool RunShortcutCaptureDialog(ShortcutCapture& capture, const std::u16string& oldText) override {
        captureOldTexts_.push_back(oldText);
        return whileCaptureDialogOpen ? whileCaptureDialogOpen(capture) : false;
    }
    std::function<bool(ShortcutCapture&)> whileCaptureDialogOpen;
    void LoadFlagOverrides(const std::u16string& picturePath) override { flagOverridePaths.push_back(picturePath); }
    std::vector<std::u16string> flagOverridePaths;
    std::unique_ptr<IWizardWindow> CreateWizardWindow(IDialogContext& context, IWizardHost& host) override;
    // Runs when a wizard is made, before it shows: a test looks at the state of that moment.
    std::function<void()> whenWizardCreated;
    SimWizardWindow* Wizard() const { return wizard_; }
    int WizardsCreated() const { return wizardsCreated_; }
    void ShowAboutBox(IAboutHost& host) override {
        ++aboutRequests_;
        aboutHost_ = &host;
    }
    int AboutRequests() const { return aboutRequests_; }
    IAboutHost* AboutHost() const { return aboutHost_; }
    const std::vector<std::u16string>& CaptureOldTexts() const { return captureOldTexts_; }
    // The settings window now open, or null.
    SimSettingsWindow* SettingsWindow() const { return settingsWindow_; }
    bool WatchingSessions() const { return watchingSessions_; }
    SimErrorReportWindow& ErrorWindow() { return errorWindow_; }
    ErrorReport* AttachedErrorReport() const { return errorReport_; }
    SimWaitWindows& Waits() { return waits_; }

    SimTrayIcon& Tray() { return tray_; }
    SimPopupMenus& Menus() { return menus_; }

    bool RealizedOffscreen() const { return realizedOffscreen_; }
    const std::vector<AppForm>& DestroyedInOrder() const { return destroyed_; }

    int LanguageApplications() const { return languageApplications_; }

private:
    class LocalizedForm;
    void LocalizeMenus() override {}
    std::vector<ILocalizedForm*> OpenLocalizedForms() override;
    void ApplyCaption(AppForm form);

    SimDesktop& desktop_;
    const TKvLang* lang_ = nullptr;
    std::vector<std::unique_ptr<ILocalizedForm>> localized_;
    int languageApplications_ = 0;
    IApplicationEvents* events_ = nullptr;
    std::map<AppForm, WindowHandle> forms_;
    std::map<AppForm, FormMessageHandler> handlers_;
    std::vector<AppForm> destroyed_;
    bool realizedOffscreen_ = false;
    SimSettingsWindow* settingsWindow_ = nullptr;
    SimWizardWindow* wizard_ = nullptr;
    int wizardsCreated_ = 0;
    int aboutRequests_ = 0;
    IAboutHost* aboutHost_ = nullptr;
    std::vector<std::u16string> captureOldTexts_;
    bool watchingSessions_ = false;
    SimTrayIcon tray_;
    SimPopupMenus menus_;
    SimHtmlHelp help_;
    SimErrorReportWindow errorWindow_;
    ErrorReport* errorReport_ = nullptr;
    SimWaitWindows waits_;
    SimKeyboardWindows keyboardWindows_;
    SimCaretFlagWindows caretFlag_;
    SimIconDecoder iconDecoder_;
    NoDrawingCanvas keyboardCanvas_;
    OnScreenKeyboard* onScreenKeyboard_ = nullptr;
    SimLanguagePanelView panelView_;
    LanguagePanel* languagePanel_ = nullptr;
};

}  // namespace kv::sim
