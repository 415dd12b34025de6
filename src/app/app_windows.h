#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "app/app_forms.h"
#include "platform/html_help_api.h"
#include "platform/tray_api.h"
#include "platform/types.h"

namespace kv {

class KeyRepaintCanvas;
class ICaretFlagWindows;
class ErrorReport;
class IIconImageDecoder;
class IKeyboardCanvas;
class IKeyboardWindowView;
class ILanguagePanelView;
class LanguagePanel;
class OnScreenKeyboard;
class TPreset;
struct TKvTheme;
class IErrorReportWindow;
class ILanguageTargets;
class IWaitWindows;
class IDialogContext;
class ISettingsHost;
class ISettingsWindow;
class ShortcutCapture;
class IWizardHost;
class IWizardWindow;
class IAboutHost;

// A form's messages for a part that lives outside the windows (the clipboard monitor): true when
// handled, with the window procedure's result in the last argument.
using FormMessageHandler = std::function<bool(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam,
                                              std::intptr_t& result)>;

// What the windows hand to the program: the messages for the application (from the hook library,
// the companion, a second start, the system's session and power events), the system's setting
// changes, and the end of the main form.
class IApplicationEvents {
public:
    virtual ~IApplicationEvents() = default;
    // True when handled.
    virtual bool OnApplicationMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
    // WM_SETTINGCHANGE.
    virtual void OnSettingChange() = 0;
    // The marker form was closed: it is the main form, so the application ends.
    virtual void OnMainFormClosed() = 0;
};

// The windows side of the entry sequence: a Win32 implementation, or a simulated one in tests.
class IAppWindows {
public:
    virtual ~IAppWindows() = default;
    // The hidden top-level window that owns the forms and receives the library's notifications.
    // It and every form made after it report to `events`, which outlives them.
    virtual WindowHandle CreateApplicationWindow(std::u16string_view title, IApplicationEvents& events) = 0;
    virtual void CreateForm(AppForm form) = 0;
    virtual void DestroyForm(AppForm form) = 0;
    virtual WindowHandle FormWindow(AppForm form) const = 0;
    // Sees every message of the form before the form does, also one created later; an empty
    // handler detaches. Detach before what the handler refers to goes away.
    virtual void SetFormMessageHandler(AppForm form, FormMessageHandler handler) = 0;
    // Lets the keyboard forms create their window resources without appearing, and hides
    // the application's taskbar button.
    virtual void RealizeKeyboardFormsOffscreen() = 0;
    // The open forms and menus that a change of interface language re-translates.
    virtual ILanguageTargets& LanguageTargets() = 0;
    // The notification-area icon and the popup menus, owned by the windows side.
    virtual ITrayIcon& TrayIcon() = 0;
    virtual IPopupMenus& PopupMenus() = 0;
    // The HTML help viewer, owned by the windows side: its windows must close before it goes.
    virtual IHtmlHelp& HtmlHelp() = 0;
    // The error report dialog is the form BugMessageForm; its buttons go to `report` (null
    // detaches) and the window lives until that form is destroyed.
    virtual IErrorReportWindow& ErrorReportWindow() = 0;
    virtual void AttachErrorReport(ErrorReport* report) = 0;
    virtual IWaitWindows& WaitWindows() = 0;
    // Decodes the image strips of icon packs into the pictures the keyboard draws.
    virtual IIconImageDecoder& IconDecoder() = 0;
    // The on-screen keyboard's image, shown in its window; exists from creation on.
    virtual IKeyboardCanvas& KeyboardCanvas() = 0;
    // The on-screen keyboard's windows (its two forms and the hint).
    virtual IKeyboardWindowView& KeyboardWindows() = 0;
    // Their mouse goes to `keyboard` and their paint draws `canvas`; null detaches, before either goes.
    virtual void AttachOnScreenKeyboard(OnScreenKeyboard* keyboard, KeyRepaintCanvas* canvas,
                                        const TKvTheme* theme, const TPreset* preset) = 0;
    // The floating language panel's window (the form FloatingWindowLangForm).
    virtual ILanguagePanelView& LanguagePanelView() = 0;
    // Its mouse and display changes go to `panel`; null detaches, before the panel goes.
    virtual void AttachLanguagePanel(LanguagePanel* panel) = 0;
    // From now on the application window hears of session changes (WM_WTSSESSION_CHANGE).
    virtual void WatchSessionChanges() = 0;
    // The settings window, made when the tray opens it; `context` and `host` outlive it.
    virtual std::unique_ptr<ISettingsWindow> CreateSettingsWindow(IDialogContext& context, ISettingsHost& host) = 0;
    // The caret flag's window, made and freed by the flag's behaviour.
    virtual ICaretFlagWindows& CaretFlagWindows() = 0;
    // Runs the shortcut capture dialog modally over a begun capture: true when the user confirmed.
    virtual bool RunShortcutCaptureDialog(ShortcutCapture& capture, const std::u16string& oldText) = 0;
    // Language flags from a picture beside the program in place of the built-in ones, for every
    // window that shows flags; an unreadable picture leaves the built-in flags.
    virtual void LoadFlagOverrides(const std::u16string& picturePath) = 0;
    // The first-run wizard, made on a first start; `context` and `host` outlive it.
    virtual std::unique_ptr<IWizardWindow> CreateWizardWindow(IDialogContext& context, IWizardHost& host) = 0;
    // The about box through ShowFormOnce: made when none is open, else the open one comes to the
    // front. It frees itself when closed; `host` outlives it.
    virtual void ShowAboutBox(IAboutHost& host) = 0;
};

}  // namespace kv
