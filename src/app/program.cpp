#include "app/program.h"

#include "app/app_singletons.h"
#include "app/app_windows.h"
#include "app/data_module.h"
#include "app/icon_packs.h"
#include "indicators/key_repaint_canvas.h"

namespace kv {

namespace {

PopupMenuStyle MenuStyleOf(const TDataDM& dataModule) {
    return dataModule.PopupMenuStyle() == MenuStyle::Standard ? PopupMenuStyle::Standard
                                                              : PopupMenuStyle::XpOwnerDrawn;
}

}  // namespace

Program::Program(ProgramContext c)
    : model(c.app, c.keyboardCanvas),
      placement(c.app.appIni, c.app.platform.windows),
      tray(TrayController::Services{c.app.preset, c.app.lang, c.app.appIni, c.app.log, c.app.platform, model.actions,
                                    model.keyboard, model.mailbox, *this, *this, c.windows.TrayIcon(),
                                    c.windows.PopupMenus(), c.dataModule.ActionKinds(), c.trayCommands,
                                    MenuStyleOf(c.dataModule)}),
      languagePanel(LanguagePanelServices{
          c.app.appIni, placement, c.app.preset, c.app.lang, c.app.platform.loop, c.app.platform.layouts,
          c.app.platform.windows, c.app.platform.locales, c.windows.PopupMenus(), MenuStyleOf(c.dataModule),
          c.windows.LanguagePanelView(), [this] { return model.keyboard.Layout(); },
          [this](LayoutHandle layout) { engine.Switcher().SwitchLayout(layout); },
          [this](bool shown) { tray.SetLanguagePanelShown(shown); }}),
      keyboard(OnScreenKeyboardServices{
          c.app.preset, c.app.sounds, model.keyboard, c.app.platform.loop, c.app.platform.registry, c.app.platform.layouts,
          c.app.platform.windows, placement, c.windows.KeyboardWindows(), [this] { tray.PopupTrayMenu(); },
          std::move(c.settingsUiVisible), [this](bool shown) { languagePanel.KeyboardShown(shown); },
          [this](std::int32_t dx, std::int32_t dy) { languagePanel.KeyboardMoved(dx, dy); }}),
      caretLocator(c.app.platform, c.app.platform.accessibleCaret),
      caretFlag(CaretFlagServices{c.app.preset, c.programState, c.app.platform.loop, caretLocator,
                                  c.windows.CaretFlagWindows(), model.applicationFlags,
                                  [this] { return model.keyboard.Layout(); }}),
      engine(c.app, model, c.windows.FormWindow(AppForm::ClipboardMonitor),
             EnginePorts{tray, caretFlag, languagePanel, keyboard}),
      messages(ApplicationMessageTargets{engine.Switcher(), model.typed, engine.Foreground(), engine.Switch(),
                                         caretFlag, c.app.preset, tray, c.app.platform.loop}),
      presetPorts{c.programState, keyboard, keyboard, tray, caretFlag, c.visuals, c.interfaceLanguage, c.wizard},
      windows_(c.windows),
      keyboardCanvas_(c.keyboardCanvas) {
    engine.SetApplicationWindow(c.applicationWindow);
    engine.Foreground().SetIconSource(&c.iconPacks);
    model.keyboard.SetSystemIcons(c.iconPacks.SystemPack());
    // The windows' input reaches the behaviours from now on, and no longer once they go.
    windows_.SetFormMessageHandler(AppForm::ClipboardMonitor,
                                   [this](std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam,
                                          std::intptr_t& result) {
                                       return engine.ClipboardMonitor().HandleMessage(message, wParam, lParam, result);
                                   });
    windows_.AttachOnScreenKeyboard(&keyboard, &c.keyboardCanvas, &c.dataModule.Theme(), &c.app.preset);
    windows_.AttachLanguagePanel(&languagePanel);
    tray.UpdateTrayIcon();
}

Program::~Program() {
    // Its place is saved while its window still exists.
    keyboard.SavePosition();
    windows_.AttachLanguagePanel(nullptr);
    windows_.AttachOnScreenKeyboard(nullptr, &keyboardCanvas_, nullptr, nullptr);
    windows_.SetFormMessageHandler(AppForm::ClipboardMonitor, {});
}

bool Program::Active() const { return engine.Switch().Active(); }
void Program::SetActive(bool on) { engine.Switch().SetActive(on); }
WindowHandle Program::LastForegroundWindow() const { return engine.Switch().LastForegroundWindow(); }
void Program::ScheduleQueuedAction() { engine.Scheduler().ScheduleQueuedAction(); }

}  // namespace kv
