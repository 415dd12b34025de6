#include <gtest/gtest.h>

#include <memory>

#include "activation/activation.h"
#include "app/app_singletons.h"
#include "common/messages.h"
#include "ports/caret_flag_port.h"
#include "ports/language_panel_port.h"
#include "ports/tray_port.h"
#include "platform/win_constants.h"
#include "sim_platform.h"

namespace kv {
namespace {

// The parts of the process-wide objects that activation reaches, as the program hands them over.
ActivationServices ServicesOf(AppSingletons& app) {
    Platform& os = app.platform;
    return {app.log,     app.messageBoxes, app.lang,  app.preset, os.libraries, os.keyboardHook,
            os.windows,  os.layouts,       os.clock,  os.loop,    os.registry,  os.processes,
            os.files,    app.folders.appFolder,       app.isVistaOrLater};
}

// The engine's parts and the windows that show the state, in one log so their order shows.
class RecordingEffects : public IActivationEffects, public ITrayPort, public ICaretFlagPort, public ILanguagePanelPort {
public:
    std::vector<std::string> calls;
    void SetTrayIconVisible(bool) override { calls.push_back("tray visibility"); }
    void CheckSoundMenuItem(bool) override { calls.push_back("sound item"); }
    bool CaretFlagExists() const override { return false; }
    void ShowCaretFlag(bool) override { calls.push_back("caret shown"); }
    void FreeCaretFlag() override { calls.push_back("caret freed"); }
    void SetCaretFlagOpacity(std::int32_t) override { calls.push_back("caret opacity"); }
    void ShowCaretFlagFor(LayoutHandle) override { calls.push_back("caret layout"); }
    void NewForegroundApplication() override { calls.push_back("caret new application"); }
    void PokeCaretFlag() override { calls.push_back("caret poked"); }
    void PanelLayoutChanged(LayoutHandle) override { calls.push_back("panel layout"); }
    void RepaintPanel() override { calls.push_back("panel repainted"); }
    void KeyboardModelOn(bool on) override { calls.push_back(on ? "model on" : "model off"); }
    void ClipboardMonitorOn(bool on) override { calls.push_back(on ? "clipboard on" : "clipboard off"); }
    void CaretFlagOn(bool on) override { calls.push_back(on ? "caret on" : "caret off"); }
    void ShowActiveState(bool on) override { calls.push_back(on ? "item on" : "item off"); }
    void UpdateTrayIcon() override { calls.push_back("tray"); }
    void RestorePanelVisibility() override { calls.push_back("panel restore"); }
    void ClosePanel() override { calls.push_back("panel close"); }
    void EnableWindowItems(bool enabled) override { calls.push_back(enabled ? "items enabled" : "items disabled"); }
    void VistaForegroundPoll(bool on) override { calls.push_back(on ? "poll on" : "poll off"); }
    void ReinstallMouseHook() override { calls.push_back("mouse hook reinstalled"); }
    void HideTaskbarWindow() override { calls.push_back("taskbar hidden"); }
    void RaisePanel() override { calls.push_back("panel raised"); }
};

class NullHookProcedure : public IKeyboardHookHandler {
public:
    bool OnKeyEvent(const LowLevelKeyEvent&) override { return false; }
};

class ActivationTest : public ::testing::Test {
protected:
    ActivationTest() {
        os.InstallLanguages();
        os.libraries.Install(kLibrary, {});
        companion = os.desktop.CreateWindow(u"KarmuxCm", u"KarmuxCm", 200);
        foreground = os.desktop.CreateWindow(u"Notepad", u"Untitled", 400, true);
        os.desktop.Find(foreground)->threadId = 4001;
        os.keyboard.SetLayoutOfThread(4001, sim::kLayoutRu);
        os.desktop.SetForeground(foreground);
    }
    Activation& Make() {
        app = std::make_unique<AppSingletons>(os.platform);
        activation = std::make_unique<Activation>(ServicesOf(*app), hookProcedure, effects, ActivationPorts{effects, effects, effects},
                                                  [this](LayoutHandle l) { layoutsReported.push_back(l); });
        activation->SetApplicationWindow(0x777);
        activation->SetCompanionWindow(companion);
        return *activation;
    }
    std::vector<std::u16string> Boxes() const {
        std::vector<std::u16string> texts;
        for (const auto& box : os.desktop.MessageBoxes()) texts.push_back(box.text);
        return texts;
    }
    std::vector<std::uint32_t> CompanionMessages() {
        std::vector<std::uint32_t> out;
        for (const auto& m : os.desktop.Find(companion)->received) out.push_back(m.message);
        return out;
    }

    const std::u16string kLibrary = u"C:\\Program Files\\Karmux\\KarmuxH.dll";
    sim::SimPlatform os;
    RecordingEffects effects;
    NullHookProcedure hookProcedure;
    std::vector<LayoutHandle> layoutsReported;
    WindowHandle companion = kNoWindow, foreground = kNoWindow;
    std::unique_ptr<AppSingletons> app;
    std::unique_ptr<Activation> activation;
};

TEST_F(ActivationTest, TurningOnBindsTheLibraryAndTheHookThenStartsTheWatchers) {
    Activation& a = Make();
    ASSERT_TRUE(a.Activate());

    EXPECT_EQ(os.libraries.calls, (std::vector<std::string>{"load", "Hook"}));
    EXPECT_EQ(os.libraries.HookedWindow(), 0x777u);
    EXPECT_TRUE(os.driver.Installed());
    EXPECT_EQ(CompanionMessages(), std::vector<std::uint32_t>{msg::kCompanionHookInstalled});
    EXPECT_EQ(layoutsReported, std::vector<LayoutHandle>{sim::kLayoutRu}) << "the foreground thread's layout";
    EXPECT_EQ(effects.calls, (std::vector<std::string>{"item on", "model on", "clipboard on", "caret on", "tray",
                                                       "panel restore", "items enabled", "poll on", "taskbar hidden"}))
        << "the panel is not raised again within 5 ms of turning on";
    EXPECT_EQ(a.LastForegroundWindow(), foreground);
    EXPECT_FALSE(a.Activate()) << "twice in a row: false, no message";
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(ActivationTest, TurningOffUndoesItInReverse) {
    Activation& a = Make();
    ASSERT_TRUE(a.Activate());
    effects.calls.clear();
    ASSERT_TRUE(a.Deactivate());
    EXPECT_EQ(os.libraries.calls, (std::vector<std::string>{"load", "Hook", "UnHook", "free"}));
    EXPECT_FALSE(os.driver.Installed());
    EXPECT_EQ(CompanionMessages(),
              (std::vector<std::uint32_t>{msg::kCompanionHookInstalled, msg::kCompanionHookRemoved}));
    EXPECT_EQ(effects.calls, (std::vector<std::string>{"model off", "clipboard off", "caret off", "item off", "tray",
                                                       "panel close", "items disabled", "poll off"}));
    EXPECT_FALSE(a.Deactivate()) << "off already: false, no message";
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(ActivationTest, LibraryProblemsAreReportedWithTheirTexts) {
    struct Case {
        const char* name;
        bool present, hook, unhook;
        std::vector<std::u16string> boxesAfterTwoAttempts;
    };
    const Case cases[] = {
        {"missing", false, true, true,
         {u"The hook library KarmuxH.dll could not be loaded.", u"The hook library KarmuxH.dll could not be loaded."}},
        {"no Hook export", true, false, true,
         {u"The hook library has no \"Hook\" function.",
          u"The hook library is still loaded. Please restart Tolvex."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        sim::SimPlatform fresh;
        fresh.InstallLanguages();
        fresh.files.AddFile(u"C:\\Program Files\\Karmux\\Lang\\en.txt",
                            "\xEF\xBB\xBF;\r\n000026=The hook library is still loaded. Please restart Tolvex.\r\n"
                            "000027=The hook library has no \"%1\" function.\r\n"
                            "000028=The hook library KarmuxH.dll could not be loaded.\r\n100000=English\r\n100001=1033\r\n");
        if (c.present) fresh.libraries.Install(kLibrary, {c.hook, c.unhook});
        AppSingletons singletons(fresh.platform);
        RecordingEffects sink;
        Activation a(ServicesOf(singletons), hookProcedure, sink, {sink, sink, sink}, {});
        EXPECT_FALSE(a.Activate());
        EXPECT_FALSE(a.Activate());
        std::vector<std::u16string> texts;
        for (const auto& box : fresh.desktop.MessageBoxes()) texts.push_back(box.text);
        EXPECT_EQ(texts, c.boxesAfterTwoAttempts);
        EXPECT_FALSE(a.Active());
        EXPECT_FALSE(fresh.driver.Installed());
        EXPECT_TRUE(sink.calls.empty());
    }
}

TEST_F(ActivationTest, RefusingHookIsReportedAndLeavesTheSystemOffWithNothingBound) {
    os.libraries.Install(kLibrary, {.hookSucceeds = false});
    Activation& a = Make();
    EXPECT_FALSE(a.Activate());
    EXPECT_FALSE(a.Active());
    EXPECT_EQ(os.libraries.calls, (std::vector<std::string>{"load", "Hook", "free"}));
    EXPECT_EQ(os.libraries.Loaded(), 0);
    EXPECT_FALSE(os.driver.Installed());
    EXPECT_EQ(CompanionMessages(),
              (std::vector<std::uint32_t>{msg::kCompanionHookInstalled, msg::kCompanionHookRemoved}));
    EXPECT_TRUE(effects.calls.empty()) << "no watcher started, the tray item still says off";
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_NE(Boxes()[0].find(u"refused"), std::u16string::npos);

    os.libraries.Install(kLibrary, {});
    EXPECT_TRUE(a.Activate()) << "the next attempt starts afresh, not with the library still loaded";
    EXPECT_EQ(Boxes().size(), 1u);
}

TEST_F(ActivationTest, MissingUnHookKeepsTheSystemOn) {
    os.libraries.Install(kLibrary, {true, false});
    Activation& a = Make();
    ASSERT_TRUE(a.Activate());
    EXPECT_FALSE(a.Deactivate());
    EXPECT_TRUE(a.Active());
    EXPECT_TRUE(os.driver.Installed());
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_NE(Boxes()[0].find(u"UnHook"), std::u16string::npos);
}

TEST_F(ActivationTest, RefusedKeyboardHookIsReportedAndActivationGoesOn) {
    os.driver.RefuseHook(true);
    Activation& a = Make();
    EXPECT_TRUE(a.Activate());
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0], u"The keyboard hook could not be installed.");
    EXPECT_TRUE(CompanionMessages().empty()) << "no hook, nothing to tell the companion";
}

TEST_F(ActivationTest, RefusedRemovalOfTheKeyboardHookIsReportedAndTheHookIsKeptForTheNextTurnOn) {
    Activation& a = Make();
    ASSERT_TRUE(a.Activate());
    os.driver.RefuseRemoval(true);
    effects.calls.clear();

    EXPECT_TRUE(a.Deactivate());
    EXPECT_EQ(Boxes(), std::vector<std::u16string>{u"The keyboard hook could not be removed."});
    EXPECT_FALSE(a.Active()) << "turning off goes on";
    EXPECT_EQ(effects.calls.front(), "model off");
    EXPECT_EQ(os.libraries.calls, (std::vector<std::string>{"load", "Hook", "UnHook", "free"}));
    EXPECT_TRUE(os.driver.Installed()) << "the system kept it";
    EXPECT_EQ(CompanionMessages(),
              (std::vector<std::uint32_t>{msg::kCompanionHookInstalled, msg::kCompanionHookRemoved}));

    os.driver.RefuseRemoval(false);
    ASSERT_TRUE(a.Activate());
    EXPECT_EQ(os.driver.InstalledHooks(), 1u) << "the kept hook serves again; no second one";
    EXPECT_EQ(CompanionMessages().back(), msg::kCompanionHookInstalled);
    ASSERT_TRUE(a.Deactivate());
    EXPECT_FALSE(os.driver.Installed());
    EXPECT_EQ(Boxes().size(), 1u);
}

TEST_F(ActivationTest, TheProgramsHookLeavesAnotherHookOfTheProgramInPlace) {
    // As the shortcut capture's own hook, installed and removed while the system is on.
    NullHookProcedure capture;
    Activation& a = Make();
    ASSERT_TRUE(a.Activate());
    auto captureHook = os.platform.keyboardHook.Install(capture);
    ASSERT_TRUE(captureHook);
    EXPECT_EQ(os.driver.InstalledHooks(), 2u);
    ASSERT_TRUE(a.Deactivate());
    EXPECT_EQ(os.driver.InstalledHooks(), 1u);
    ASSERT_TRUE(a.Activate());
    EXPECT_TRUE(captureHook->Remove());
    EXPECT_EQ(os.driver.InstalledHooks(), 1u) << "the program's hook stays";
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(ActivationTest, PanelIsRaisedAtMostOnceInFiveMs) {
    Activation& a = Make();
    a.Activate();
    effects.calls.clear();
    a.KeepPanelOnTop();
    os.loop.Sleep(5);
    a.KeepPanelOnTop();
    a.KeepPanelOnTop();
    EXPECT_EQ(effects.calls, std::vector<std::string>{"panel raised"});
}


// The 64-bit build runs the 32-bit hook host while the system is on; time passes on the virtual
// clock so that the watchdog's beats can find a host that ended.
class HookHost32Test : public ActivationTest {
protected:
    const std::u16string kHost = u"C:\\Program Files\\Karmux\\KarmuxHost32.exe";
    const std::u16string kHostStart = kHost + u" 1911";  // the application window 0x777
    void Pass(std::uint64_t ms) {
        const std::uint64_t end = os.loop.NowMs() + ms;
        while (os.loop.NowMs() < end) {
            os.loop.WaitForMessages(static_cast<std::uint32_t>(end - os.loop.NowMs()));
            os.loop.ProcessPendingMessages();
        }
    }
    std::size_t Starts() const { return os.desktop.HelperStarts().size(); }
    void InstallHost() {
        os.desktop.InstallHelper(kHost);
        os.files.AddFile(kHost, "MZ");
    }
};

TEST_F(HookHost32Test, TheHostRunsExactlyWhileThe64BitBuildIsOn) {
    os.desktop.SetProgramBits(64);
    InstallHost();
    Activation& a = Make();
    ASSERT_TRUE(a.Activate());
    EXPECT_EQ(os.desktop.HelperStarts(), std::vector<std::u16string>{kHostStart}) << "by full path, with the window";
    EXPECT_EQ(os.desktop.RunningHelpers(), 1);
    Pass(2000);
    EXPECT_EQ(Starts(), 1u) << "a running host is left alone";
    ASSERT_TRUE(a.Deactivate());
    EXPECT_EQ(os.desktop.RunningHelpers(), 0);
    ASSERT_TRUE(a.Activate());
    EXPECT_EQ(os.desktop.RunningHelpers(), 1) << "on again: a new host";
    activation.reset();
    EXPECT_EQ(os.desktop.RunningHelpers(), 0) << "the program's end ends the host";
}

TEST_F(HookHost32Test, The32BitBuildRunsAlone) {
    InstallHost();
    Activation& a = Make();
    ASSERT_TRUE(a.Activate());
    Pass(2000);
    EXPECT_EQ(Starts(), 0u);
}

TEST_F(HookHost32Test, TheWatchdogRestartsAHostThatEndedAFewTimesAtMost) {
    os.desktop.SetProgramBits(64);
    InstallHost();
    Activation& a = Make();
    ASSERT_TRUE(a.Activate());
    os.desktop.CrashHelpers();
    Pass(1000);
    EXPECT_EQ(Starts(), 2u);
    EXPECT_EQ(os.desktop.RunningHelpers(), 1) << "started again within a second";
    for (int i = 0; i < 10; ++i) {
        os.desktop.CrashHelpers();
        Pass(1000);
    }
    EXPECT_EQ(Starts(), 6u) << "five restarts, then it is given up";
    EXPECT_EQ(os.desktop.RunningHelpers(), 0);
    EXPECT_TRUE(a.Active()) << "the 64-bit applications are still reached";
}

TEST_F(HookHost32Test, AHostThatEndsAfterSwitchingOffStaysEnded) {
    os.desktop.SetProgramBits(64);
    InstallHost();
    Activation& a = Make();
    ASSERT_TRUE(a.Activate());
    ASSERT_TRUE(a.Deactivate());
    Pass(2000);
    EXPECT_EQ(Starts(), 1u);
}

TEST_F(HookHost32Test, AMissingHostLeavesTheSystemOnWithoutAMessage) {
    os.desktop.SetProgramBits(64);
    Activation& a = Make();
    ASSERT_TRUE(a.Activate());
    Pass(3000);
    EXPECT_TRUE(a.Active());
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(Starts(), 0u) << "no file, no start";
}

TEST_F(HookHost32Test, AHostThatCannotStartIsTriedAFewTimesAtMost) {
    os.desktop.SetProgramBits(64);
    os.files.AddFile(kHost, "MZ");  // there, but the system refuses to run it
    Activation& a = Make();
    ASSERT_TRUE(a.Activate());
    Pass(3000);
    EXPECT_TRUE(a.Active());
    EXPECT_EQ(Starts(), 6u) << "tried once and restarted five times, then no more";
}

}  // namespace
}  // namespace kv
