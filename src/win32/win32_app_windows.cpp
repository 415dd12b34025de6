#include "win32/win32_app_windows.h"

#include "win32/settings_window.h"
#include "win32/shortcut_capture_dialog.h"
#include "win32/win32_forms.h"
#include "platform/win32/win32_message_loop.h"
#include "win32/wizard_window.h"

#include "dialogs/error_report.h"
#include "platform/error.h"
#include "win32/message_window.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_text.h"
#include "resources/flag_overrides.h"

namespace kv::win32app {

namespace {

// Hands the program's own messages (from the library, the companion, a second start) to the
// program, and takes its caption from the language table.
class RoutingWindow : public KvForm, public ILocalizedForm {
public:
    RoutingWindow(win32::Win32MessageLoop& loop, std::u16string className, IApplicationEvents& events,
                  std::function<std::u16string()> localizedCaption = {}, const FormMessageHandler* handler = nullptr)
        : KvForm(loop, std::move(className)),
          events_(events),
          localizedCaption_(std::move(localizedCaption)),
          handler_(handler) {}

    void ApplyLanguage() override {
        KvForm::ApplyLanguage();
        if (!localizedCaption_ || !Handle()) return;
        const std::u16string caption = localizedCaption_();
        if (!caption.empty()) SetWindowTextW(Handle(), win32::W(caption));
    }
    void Repaint() override {
        if (Handle()) InvalidateRect(Handle(), nullptr, TRUE);
    }
    void RouteSessionAndPower() { routesSessionAndPower_ = true; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (handler_ && *handler_) {
            const FormMessageHandler handler = *handler_;  // it may detach itself
            std::intptr_t result = 0;
            if (handler(message, wParam, static_cast<std::intptr_t>(lParam), result)) return static_cast<LRESULT>(result);
        }
        if (message >= WM_USER && message < 0x8000 &&
            events_.OnApplicationMessage(message, wParam, static_cast<std::intptr_t>(lParam))) {
            return 0;
        }
        // Top-level windows all get these; the application window alone passes them on.
        if (routesSessionAndPower_ && (message == WM_WTSSESSION_CHANGE || message == WM_POWERBROADCAST)) {
            events_.OnApplicationMessage(message, wParam, static_cast<std::intptr_t>(lParam));
        }
        if (message == WM_SETTINGCHANGE) events_.OnSettingChange();
        return KvForm::HandleMessage(message, wParam, lParam);
    }

private:
    IApplicationEvents& events_;
    std::function<std::u16string()> localizedCaption_;
    const FormMessageHandler* handler_;
    bool routesSessionAndPower_ = false;
};

std::u16string ClassNameOf(AppForm form) {
    for (const auto& info : kAppFormsInCreationOrder) {
        if (info.form == form) return std::u16string(info.className);
    }
    return {};
}

}  // namespace

Win32AppWindows::~Win32AppWindows() {
    keyboardWindows_.DestroyKeyboardForm();
    keyboardWindows_.DestroyBackgroundForm();
    languagePanel_.reset();
    sessionNotifications_.reset();
    help_.reset();
    tray_.reset();
    for (auto& [form, window] : forms_) window->onDestroyed = nullptr;
    forms_.clear();
    applicationWindow_.reset();
}

IErrorReportWindow& Win32AppWindows::ErrorReportWindow() {
    auto it = forms_.find(AppForm::BugMessageForm);
    if (it == forms_.end()) throw KvError(u"The error report window does not exist");
    return static_cast<win32app::ErrorReportWindow&>(*it->second);
}

void Win32AppWindows::AttachErrorReport(ErrorReport* report) {
    auto it = forms_.find(AppForm::BugMessageForm);
    if (it == forms_.end()) return;
    auto& window = static_cast<win32app::ErrorReportWindow&>(*it->second);
    if (!report) {
        window.onSend = window.onTerminate = window.onLanguageChanged = nullptr;
        return;
    }
    window.onSend = [report] { report->SendReport(); };
    window.onTerminate = [report] { report->TerminateApplication(); };
    window.onLanguageChanged = [report] { report->ApplyLanguage(); };
}

std::unique_ptr<ISettingsWindow> Win32AppWindows::CreateSettingsWindow(IDialogContext& context, ISettingsHost& host) {
    return std::make_unique<SettingsWindow>(loop_, context, host);
}

bool Win32AppWindows::RunShortcutCaptureDialog(ShortcutCapture& capture, const std::u16string& oldText) {
    ShortcutCaptureDialog dialog(loop_, lang_, capture);
    // The capture presses its keys in the keyboard model, which draws into the keyboard image.
    dialog.paintPreview = [this](HDC dc, const RECT& box) {
        POINT origin{};
        SetViewportOrgEx(dc, box.left + 1, box.top + 1, &origin);
        keyboardWindows_.PaintScaled(dc, box.right - box.left - 2, box.bottom - box.top - 2);
        SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
    };
    return dialog.Run(oldText);
}

std::unique_ptr<IWizardWindow> Win32AppWindows::CreateWizardWindow(IDialogContext& context, IWizardHost& host) {
    return std::make_unique<WizardWindow>(loop_, commonControls_, context, host);
}

void Win32AppWindows::ShowAboutBox(IAboutHost& host) {
    Win32Forms forms([this, &host](const std::u16string& className) {
        if (className != u"TAboutForm") return;
        auto box = std::make_unique<AboutWindow>(loop_, host);
        AboutWindow* made = box.get();
        made->onDestroyed = [this, made] {
            auto release = std::make_shared<TimerId>();
            *release = loop_.StartTimer(0, [this, made, release] {
                loop_.StopTimer(*release);
                std::erase_if(aboutBoxes_, [made](const auto& open) { return open.get() == made; });
            });
        };
        aboutBoxes_.push_back(std::move(box));
        made->ShowAndActivate();
    });
    ShowFormOnce(forms, u"TAboutForm");
}

IWaitWindows& Win32AppWindows::WaitWindows() {
    if (!waits_) waits_ = std::make_unique<Win32WaitWindows>(loop_, applicationWindow_ ? applicationWindow_->Handle() : nullptr);
    return *waits_;
}

ILanguagePanelView& Win32AppWindows::LanguagePanelView() {
    if (!languagePanel_) throw KvError(u"The language panel's window does not exist");
    return *languagePanel_;
}

void Win32AppWindows::AttachLanguagePanel(LanguagePanel* panel) {
    if (languagePanel_) languagePanel_->Attach(panel);
}

void Win32AppWindows::WatchSessionChanges() {
    if (applicationWindow_ && applicationWindow_->Handle() && !sessionNotifications_) {
        sessionNotifications_ = std::make_unique<SessionNotifications>(applicationWindow_->Handle());
    }
}

void Win32AppWindows::LoadFlagOverrides(const std::u16string& picturePath) {
    if (const auto strip = keyboardWindows_.Pictures().Decode(picturePath)) {
        languageFlags_.ReplaceImages(1, FlagOverrideImages(*strip));
    }
}

IHtmlHelp& Win32AppWindows::HtmlHelp() {
    if (!help_) help_ = std::make_unique<win32::Win32HtmlHelp>(applicationWindow_ ? applicationWindow_->Handle() : nullptr);
    return *help_;
}

ITrayIcon& Win32AppWindows::TrayIcon() {
    if (!tray_) tray_ = std::make_unique<Win32TrayIcon>(loop_, commonControls_, languageFlags_.ForSystemScale());
    return *tray_;
}

WindowHandle Win32AppWindows::CreateApplicationWindow(std::u16string_view title, IApplicationEvents& events) {
    events_ = &events;
    auto window = std::make_unique<RoutingWindow>(loop_, u"TApplication", events);
    window->RouteSessionAndPower();
    applicationWindow_ = std::move(window);
    applicationWindow_->Create(nullptr, std::u16string(title));
    menus_.SetOwner(applicationWindow_->Handle());
    return win32::FromHwnd(applicationWindow_->Handle());
}

void Win32AppWindows::CreateForm(AppForm form) {
    HWND owner = applicationWindow_ ? applicationWindow_->Handle() : nullptr;
    if (form == AppForm::BugMessageForm) {
        forms_[form] = std::make_unique<win32app::ErrorReportWindow>(loop_, owner);
        return;
    }
    if (form == AppForm::MessageForm) {
        forms_[form] = std::make_unique<MessageWindow>(loop_, owner, lang_);
        return;
    }
    if (form == AppForm::MainKeyboardForm) {
        keyboardWindows_.CreateKeyboardForm([this] { return LocalizedFormCaption(AppForm::MainKeyboardForm, lang_); },
                                            lang_);
        return;
    }
    if (form == AppForm::MainKeyboardBackgroundForm) {
        keyboardWindows_.CreateBackgroundForm();
        return;
    }
    if (form == AppForm::FloatingWindowLangForm) {
        languagePanel_ = std::make_unique<LanguagePanelForm>(loop_, commonControls_, languageFlags_);
        languagePanel_->Create();
        return;
    }
    if (!events_) throw KvError(u"The forms come after the application window");
    IApplicationEvents& events = *events_;
    auto window = std::make_unique<RoutingWindow>(
        loop_, ClassNameOf(form), events, [this, form] { return LocalizedFormCaption(form, lang_); }, &handlers_[form]);
    if (form == AppForm::FirstForm) {
        // The main form: when it goes, the application goes.
        window->onDestroyed = [&events] { events.OnMainFormClosed(); };
    }
    const std::u16string caption = form == AppForm::FirstForm ? std::u16string(kMarkerCaption) : std::u16string();
    window->Create(applicationWindow_ ? applicationWindow_->Handle() : nullptr, caption);
    forms_[form] = std::move(window);
}

void Win32AppWindows::SetFormMessageHandler(AppForm form, FormMessageHandler handler) {
    handlers_[form] = std::move(handler);  // the entry stays: a form window points at it
}

void Win32AppWindows::DestroyForm(AppForm form) {
    if (form == AppForm::MainKeyboardForm) return keyboardWindows_.DestroyKeyboardForm();
    if (form == AppForm::MainKeyboardBackgroundForm) return keyboardWindows_.DestroyBackgroundForm();
    if (form == AppForm::FloatingWindowLangForm) return languagePanel_.reset();
    auto it = forms_.find(form);
    if (it == forms_.end()) return;
    it->second->onDestroyed = nullptr;
    forms_.erase(it);
}

std::vector<ILocalizedForm*> Win32AppWindows::OpenLocalizedForms() {
    std::vector<ILocalizedForm*> forms;
    for (auto& [form, window] : forms_) {
        if (form == AppForm::FirstForm || form == AppForm::DataDM) continue;  // not base forms
        // The dialogs take their texts from their own logic.
        if (auto* routing = dynamic_cast<RoutingWindow*>(window.get())) forms.push_back(routing);
    }
    if (MainKeyboardForm* keyboard = keyboardWindows_.KeyboardForm()) forms.push_back(keyboard);
    for (const auto& about : aboutBoxes_) {
        if (about->Handle()) forms.push_back(about.get());
    }
    return forms;
}

WindowHandle Win32AppWindows::FormWindow(AppForm form) const {
    if (form == AppForm::MainKeyboardForm) return win32::FromHwnd(keyboardWindows_.KeyboardHandle());
    if (form == AppForm::MainKeyboardBackgroundForm) return win32::FromHwnd(keyboardWindows_.BackgroundHandle());
    if (form == AppForm::FloatingWindowLangForm) {
        return languagePanel_ ? win32::FromHwnd(languagePanel_->Handle()) : kNoWindow;
    }
    auto it = forms_.find(form);
    return it != forms_.end() ? win32::FromHwnd(it->second->Handle()) : kNoWindow;
}

void Win32AppWindows::RealizeKeyboardFormsOffscreen() {
    // Showing the keyboard form once above the screen makes its window resources exist
    // before the user first asks for it, without anything appearing.
    HWND keyboard = win32::ToHwnd(FormWindow(AppForm::MainKeyboardForm));
    HWND background = win32::ToHwnd(FormWindow(AppForm::MainKeyboardBackgroundForm));
    RECT r{};
    GetWindowRect(keyboard, &r);
    const int height = r.bottom - r.top;
    const UINT flags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(keyboard, nullptr, r.left, -height, 0, 0, flags);
    SetWindowPos(background, nullptr, r.left, -height, 0, 0, flags);
    ShowWindow(keyboard, SW_SHOWNOACTIVATE);
    if (applicationWindow_) ShowWindow(applicationWindow_->Handle(), SW_HIDE);
    ShowWindow(keyboard, SW_HIDE);
    SetWindowPos(keyboard, nullptr, r.left, r.top, 0, 0, flags);
    SetWindowPos(background, nullptr, r.left, r.top, 0, 0, flags);
}

}  // namespace kv::win32app
