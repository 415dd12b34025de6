// The floating language panel as the composition root wires it: one for the whole run, made
// after the on-screen keyboard and the tray, hidden until activation shows it. Layout changes
// and activation reach it through the deferred panel port; the tray's item toggles it and
// carries its check mark.
#include "app/app_singletons.h"
#include "app/app_windows.h"
#include "app/application_shell.h"
#include "app/keyboard_engine.h"

namespace kv {

void ApplicationShell::CreateLanguagePanel() {
    Platform& os = app_.platform;
    KeyboardEngine& engine = *engine_;
    languagePanel_ = std::make_unique<LanguagePanel>(LanguagePanelServices{
        app_.appIni, *placement_, app_.preset, app_.lang, os.loop, os.layouts, os.windows, os.locales,
        windows_.PopupMenus(),
        dataModule_.PopupMenuStyle() == MenuStyle::Standard ? PopupMenuStyle::Standard : PopupMenuStyle::XpOwnerDrawn,
        windows_.LanguagePanelView(), [&engine] { return engine.Model().Layout(); },
        [&engine](LayoutHandle layout) { engine.Switcher().SwitchLayout(layout); },
        [this](bool shown) {
            if (tray_) tray_->SetLanguagePanelShown(shown);
        }});
    panelPort_.Attach(languagePanel_.get());
    windows_.AttachLanguagePanel(languagePanel_.get());
}

void ApplicationShell::DetachLanguagePanel() {
    if (!languagePanel_) return;
    panelPort_.Attach(nullptr);
    windows_.AttachLanguagePanel(nullptr);
}

void ApplicationShell::ToggleLanguagePanel() {
    if (languagePanel_ && !app_.preset.AccessDenied()) languagePanel_->ToggleFromTray();
}

}  // namespace kv
