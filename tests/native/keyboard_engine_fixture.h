#pragma once
// The running keyboard engine on the simulated Windows: the program switched on, an editor in
// front with the hook library loaded into it, and every key that reached the editor recorded.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/app_message_dispatch.h"
#include "app/app_singletons.h"
#include "app/keyboard_engine.h"
#include "app/program_model.h"
#include "attachable_caret_flag_port.h"
#include "attachable_keyboard_port.h"
#include "attachable_language_panel_port.h"
#include "common/waits.h"
#include "platform/win_constants.h"
#include "no_drawing_canvas.h"
#include "recording_ports.h"
#include "sim_foreground_app.h"
#include "sim_platform.h"
#include "sim_text_editor.h"

namespace kv::test {

struct DeliveredKey {
    std::uint8_t vk;
    bool up;
    friend bool operator==(const DeliveredKey&, const DeliveredKey&) = default;
};

inline std::u16string LayoutText(LayoutHandle layout) {
    const std::string text = std::to_string(static_cast<std::int32_t>(static_cast<std::uint32_t>(layout)));
    return std::u16string(text.begin(), text.end());
}

class EngineWorld {
public:
    static constexpr std::uint32_t kCompanionProcessId = 200;

    // `keyboardPort` and `canvas`, when given, stand for the on-screen keyboard window.
    explicit EngineWorld(std::vector<LayoutHandle> installed = {sim::kLayoutUs, sim::kLayoutRu, sim::kLayoutDe},
                         std::uint32_t windowsMajorVersion = 6, bool is64BitWindows = true,
                         IOnScreenKeyboardPort* keyboardPort = nullptr, IKeyboardCanvas* canvas = nullptr) {
        os.desktop.SetVersion({win::kVerPlatformWin32Nt, windowsMajorVersion, 1, windowsMajorVersion == 5 ? 2600u : 7601u});
        os.desktop.Set64BitWindows(is64BitWindows);
        os.InstallHookLibrary();
        os.InstallShippedLanguages();
        os.keyboard.SetInstalled(std::move(installed));
        keyboardPort_ = keyboardPort ? keyboardPort : &noKeyboardWindow;
        canvas_ = canvas ? canvas : &noDrawing;
        app = std::make_unique<AppSingletons>(os.platform);
        clipboardWindow = os.desktop.CreateWindow(u"TKvClipboardMonitor", u"", sim::SimDesktop::kOwnProcessId, false,
                                                  [this](const sim::SimMessage& m) -> std::intptr_t {
                                                      std::intptr_t result = 0;
                                                      if (engine) {
                                                          engine->ClipboardMonitor().HandleMessage(
                                                              m.message, m.wParam, m.lParam, result);
                                                      }
                                                      return result;
                                                  });
        appWindow = os.desktop.CreateWindow(u"TApplication", u"Tolvex", sim::SimDesktop::kOwnProcessId, false,
                                            [this](const sim::SimMessage& m) -> std::intptr_t {
                                                if (messages) messages->Dispatch(m.message, m.wParam, m.lParam);
                                                return 0;
                                            });
        companion = os.desktop.CreateWindow(u"KarmuxCm", u"KarmuxCm", kCompanionProcessId, false);
        BuildProgram();
        editor = std::make_unique<sim::SimForegroundApp>(os.desktop, os.keyboard, sim::kLayoutUs);
        editor->SetLibraryTarget(appWindow);
        os.desktop.SetForegroundWindow(editor->Window());
        document = std::make_unique<sim::SimTextEditor>(os.keyboard, os.clipboard, os.loop,
                                                        sim::SimForegroundApp::kThreadId,
                                                        editor->Window());
        os.driver.onDelivered = [this](const LowLevelKeyEvent& e) {
            delivered.push_back({static_cast<std::uint8_t>(e.vkCode), (e.flags & kLlkhfUp) != 0});
            document->OnKey(e);
        };
    }
    ~EngineWorld() { os.driver.onDelivered = nullptr; }

    // The model, the engine and the message table, in the order the program makes them.
    void BuildProgram() {
        model = std::make_unique<ProgramModel>(*app, *canvas_);
        engine = std::make_unique<KeyboardEngine>(*app, *model, clipboardWindow,
                                                  EnginePorts{tray, caretFlag, noPanelWindow, *keyboardPort_});
        messages = std::make_unique<ApplicationMessages>(ApplicationMessageTargets{
            engine->Switcher(), model->typed, engine->Foreground(), engine->Switch(), caretFlag, app->preset, tray,
            os.loop});
        // As the program's settings load does: the geometry named by the setting.
        model->keyboard.LoadKeyboard(app->preset.KeyboardName());
        engine->SetApplicationWindow(appWindow);
        engine->SetCompanionWindow(companion);
    }
    // The same again over new process-wide objects, as a new start of the program reads them.
    void RebuildProgram() {
        messages.reset();
        engine.reset();
        model.reset();
        app = std::make_unique<AppSingletons>(os.platform);
        BuildProgram();
    }
    // The program started again with these command-line arguments, which it reads at start
    // ("/debug" turns the debug log on).
    void Restart(std::vector<std::u16string> arguments) {
        os.desktop.SetArguments(std::move(arguments));
        RebuildProgram();
    }
    int LogLinesContaining(std::u16string_view text) const {
        int n = 0;
        for (const std::u16string& line : app->log.Lines()) n += line.find(text) != std::u16string::npos;
        return n;
    }

    bool Activate() { return engine->Switch().Activate(); }
    // Lets the executor's timer and the posted notifications run.
    void Settle(std::uint32_t ms = 500) {
        PumpUntil(os.platform, ms, [] { return false; });
    }
    std::size_t CompanionReceived(std::uint32_t message) {
        std::size_t n = 0;
        for (const auto& m : os.desktop.Find(companion)->received) n += m.message == message;
        return n;
    }
    TPreset& Preset() { return app->preset; }
    TKvKeyboard& Model() { return model->keyboard; }
    TypingRun& Typed() { return model->typed; }

    sim::SimPlatform os;
    // The tray the engine reaches; the other windows' ports reach no window unless a test attaches one.
    RecordingPorts tray;
    sim::NoDrawingCanvas noDrawing;
    // No caret flag unless a test attaches one.
    AttachableCaretFlagPort caretFlag;
    // The program before its keyboard window exists: the hook's calls reach nothing.
    AttachableKeyboardPort noKeyboardWindow;
    // The same for the floating language panel, unless a test attaches one.
    AttachableLanguagePanelPort noPanelWindow;
    std::unique_ptr<AppSingletons> app;
    std::unique_ptr<ProgramModel> model;
    std::unique_ptr<KeyboardEngine> engine;
    std::unique_ptr<ApplicationMessages> messages;
    WindowHandle appWindow = kNoWindow;
    WindowHandle clipboardWindow = kNoWindow;
    WindowHandle companion = kNoWindow;
    std::unique_ptr<sim::SimForegroundApp> editor;
    // The editor's text, typed by every key that reaches it.
    std::unique_ptr<sim::SimTextEditor> document;
    std::vector<DeliveredKey> delivered;

private:
    IOnScreenKeyboardPort* keyboardPort_ = nullptr;
    IKeyboardCanvas* canvas_ = nullptr;
};

}  // namespace kv::test
