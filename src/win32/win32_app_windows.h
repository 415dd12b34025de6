#pragma once
#include <map>
#include <memory>

#include "app/app_windows.h"
#include "resources/language_apply.h"
#include "win32/caret_flag_form.h"
#include "win32/form_window.h"
#include "platform/win32/win32_html_help.h"
#include "win32/error_report_window.h"
#include "win32/session_notifications.h"
#include "win32/wait_window.h"
#include "win32/about_window.h"
#include "win32/gdi_icon_images.h"
#include "win32/image_strips.h"
#include "win32/res/resource_ids.h"
#include "win32/language_panel_form.h"
#include "win32/win32_keyboard_windows.h"
#include "win32/win32_tray.h"

namespace kv {
class TKvLang;
}

namespace kv::win32app {

// The program's windows on the real desktop. Forms whose features come later are hidden
// windows of their classes, so the single-instance marker and the message routes exist now.
class Win32AppWindows : public IAppWindows, private ILanguageTargets {
public:
    Win32AppWindows(win32::Win32MessageLoop& loop, const TKvLang& lang)
        : loop_(loop), lang_(lang), menus_(loop, commonControls_) {}
    ~Win32AppWindows() override;

    WindowHandle CreateApplicationWindow(std::u16string_view title, IApplicationEvents& events) override;
    void CreateForm(AppForm form) override;
    void DestroyForm(AppForm form) override;
    WindowHandle FormWindow(AppForm form) const override;
    void SetFormMessageHandler(AppForm form, FormMessageHandler handler) override;
    void RealizeKeyboardFormsOffscreen() override;
    ILanguageTargets& LanguageTargets() override { return *this; }
    ITrayIcon& TrayIcon() override;
    IPopupMenus& PopupMenus() override { return menus_; }
    IHtmlHelp& HtmlHelp() override;
    IErrorReportWindow& ErrorReportWindow() override;
    void AttachErrorReport(ErrorReport* report) override;
    IWaitWindows& WaitWindows() override;
    IIconImageDecoder& IconDecoder() override { return iconDecoder_; }
    IKeyboardCanvas& KeyboardCanvas() override { return keyboardWindows_.Canvas(); }
    IKeyboardWindowView& KeyboardWindows() override { return keyboardWindows_; }
    void AttachOnScreenKeyboard(OnScreenKeyboard* keyboard, KeyRepaintCanvas* canvas, const TKvTheme* theme,
                                const TPreset* preset) override {
        keyboardWindows_.Attach(keyboard, canvas, theme, preset);
    }
    ILanguagePanelView& LanguagePanelView() override;
    void AttachLanguagePanel(LanguagePanel* panel) override;
    void WatchSessionChanges() override;
    std::unique_ptr<ISettingsWindow> CreateSettingsWindow(IDialogContext& context, ISettingsHost& host) override;
    bool RunShortcutCaptureDialog(ShortcutCapture& capture, const std::u16string& oldText) override;
    void LoadFlagOverrides(const std::u16string& picturePath) override;
    ICaretFlagWindows& CaretFlagWindows() override { return caretFlagWindows_; }
    std::unique_ptr<IWizardWindow> CreateWizardWindow(IDialogContext& context, IWizardHost& host) override;
    void ShowAboutBox(IAboutHost& host) override;

private:
    void LocalizeMenus() override {}
    std::vector<ILocalizedForm*> OpenLocalizedForms() override;

    win32::Win32MessageLoop& loop_;
    const TKvLang& lang_;
    // Set with the application window; the forms report to it too.
    IApplicationEvents* events_ = nullptr;
    std::unique_ptr<win32app::KvForm> applicationWindow_;
    // Goes before the application window it reports to.
    std::unique_ptr<SessionNotifications> sessionNotifications_;
    std::map<AppForm, std::unique_ptr<win32app::KvForm>> forms_;
    // Shared with the form windows, which look their handler up on every message.
    std::map<AppForm, FormMessageHandler> handlers_;
    // Before the tray and the menus, whose image strips it loads and frees.
    CommonControls commonControls_;
    // The language flags every window shows (ilLangs), each size loaded when first drawn.
    LanguageFlags languageFlags_{commonControls_};
    // Made on first use: it needs the message loop's windows, which exist from start-up on.
    std::unique_ptr<Win32TrayIcon> tray_;
    Win32PopupMenus menus_;
    Win32KeyboardWindows keyboardWindows_{loop_, commonControls_};
    Win32CaretFlagWindows caretFlagWindows_{loop_, languageFlags_};
    // The form FloatingWindowLangForm.
    std::unique_ptr<LanguagePanelForm> languagePanel_;
    GdiIconDecoder iconDecoder_;
    std::unique_ptr<win32::Win32HtmlHelp> help_;
    std::unique_ptr<Win32WaitWindows> waits_;
    // Open about boxes; a closed one is freed once its last message has returned.
    std::vector<std::unique_ptr<AboutWindow>> aboutBoxes_;
};

}  // namespace kv::win32app
