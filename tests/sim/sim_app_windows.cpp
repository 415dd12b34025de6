#include "sim_app_windows.h"

#include "platform/win_constants.h"

namespace kv::sim {

WindowHandle SimAppWindows::CreateApplicationWindow(std::u16string_view title, IApplicationEvents& events) {
    events_ = &events;
    return desktop_.CreateWindow(u"TApplication", std::u16string(title), SimDesktop::kOwnProcessId, false,
                                 [&events](const SimMessage& m) -> std::intptr_t {
                                     return events.OnApplicationMessage(m.message, m.wParam, m.lParam);
                                 });
}

void SimAppWindows::CreateForm(AppForm form) {
    std::u16string className;
    for (const auto& info : kAppFormsInCreationOrder) {
        if (info.form == form) className = std::u16string(info.className);
    }
    const std::u16string caption = form == AppForm::FirstForm ? std::u16string(kMarkerCaption) : std::u16string();
    forms_[form] = desktop_.CreateWindow(className, caption, SimDesktop::kOwnProcessId, false,
                                         [this, form](const SimMessage& m) -> std::intptr_t {
                                             if (auto it = handlers_.find(form); it != handlers_.end()) {
                                                 auto handler = it->second;  // it may detach itself
                                                 std::intptr_t result = 0;
                                                 if (handler(m.message, m.wParam, m.lParam, result)) return result;
                                             }
                                             if (!events_) return 0;
                                             if (form == AppForm::FirstForm && m.message == win::kWmClose) {
                                                 DestroyForm(form);
                                                 events_->OnMainFormClosed();
                                                 return 0;
                                             }
                                             return events_->OnApplicationMessage(m.message, m.wParam, m.lParam);
                                         });
    ApplyCaption(form);  // base forms apply the language as they are created
}

void SimAppWindows::SetFormMessageHandler(AppForm form, FormMessageHandler handler) {
    if (handler) {
        handlers_[form] = std::move(handler);
    } else {
        handlers_.erase(form);
    }
}

void SimAppWindows::DestroyForm(AppForm form) {
    auto it = forms_.find(form);
    if (it == forms_.end()) return;
    // Windows sends WM_DESTROY on the way out; only an attached handler has a use for it here.
    if (handlers_.count(form)) desktop_.SendToWindow(it->second, win::kWmDestroy, 0, 0);
    desktop_.DestroyWindow(it->second);
    forms_.erase(it);
    destroyed_.push_back(form);
}

class SimAppWindows::LocalizedForm : public ILocalizedForm {
public:
    LocalizedForm(SimAppWindows& owner, AppForm form) : owner_(owner), form_(form) {}
    void ApplyLanguage() override {
        ++owner_.languageApplications_;
        owner_.ApplyCaption(form_);
    }
    void Repaint() override {}

private:
    SimAppWindows& owner_;
    AppForm form_;
};

std::vector<ILocalizedForm*> SimAppWindows::OpenLocalizedForms() {
    localized_.clear();
    std::vector<ILocalizedForm*> forms;
    for (const auto& [form, handle] : forms_) {
        if (form == AppForm::FirstForm || form == AppForm::DataDM) continue;  // not base forms
        localized_.push_back(std::make_unique<LocalizedForm>(*this, form));
        forms.push_back(localized_.back().get());
    }
    return forms;
}

void SimAppWindows::ApplyCaption(AppForm form) {
    const std::u16string caption = lang_ ? LocalizedFormCaption(form, *lang_) : std::u16string();
    if (SimWindow* w = desktop_.Find(FormWindow(form)); w && !caption.empty()) w->caption = caption;
}

WindowHandle SimAppWindows::FormWindow(AppForm form) const {
    auto it = forms_.find(form);
    return it != forms_.end() ? it->second : kNoWindow;
}

}  // namespace kv::sim

namespace kv::sim {

std::unique_ptr<ISettingsWindow> SimAppWindows::CreateSettingsWindow(IDialogContext& context, ISettingsHost& host) {
    return std::make_unique<SimSettingsWindow>(context, host, settingsWindow_);
}

std::unique_ptr<IWizardWindow> SimAppWindows::CreateWizardWindow(IDialogContext& context, IWizardHost& host) {
    ++wizardsCreated_;
    if (whenWizardCreated) whenWizardCreated();
    return std::make_unique<SimWizardWindow>(context, host, wizard_);
}

}  // namespace kv::sim
