#include <gtest/gtest.h>

#include <memory>

#include "common/debug_log.h"
#include "common/messages.h"
#include "platform/win_constants.h"
#include "recording_ports.h"
#include "settings/app_ini.h"
#include "settings/preset.h"
#include "sim_foreground_app.h"
#include "sim_platform.h"
#include "switching/layout_switcher.h"

namespace kv {
namespace {

class FakeModel : public ILayoutModel {
public:
    LayoutHandle layout = kUsEnglishLayout;
    LayoutHandle Layout() const override { return layout; }
    void SetLayout(LayoutHandle l) override { layout = l; }
};

class RecordingIndicators : public RecordingPorts {
public:
    int trayUpdates = 0;
    std::vector<LayoutHandle> caretFlags, panel;
    void UpdateTrayIcon() override { ++trayUpdates; }
    void ShowCaretFlagFor(LayoutHandle l) override { caretFlags.push_back(l); }
    void PanelLayoutChanged(LayoutHandle l) override { panel.push_back(l); }
};

class FixedPolicy : public IForegroundPolicy {
public:
    bool postingOff = false;
    bool PostingTurnedOff() const override { return postingOff; }
};

class LayoutSwitcherTest : public ::testing::Test {
protected:
    void Build(bool vista, std::vector<LayoutHandle> installed = {sim::kLayoutUs, sim::kLayoutRu}) {
        os.keyboard.SetInstalled(installed);
        os.desktop.SetVersion({win::kVerPlatformWin32Nt, vista ? 6u : 5u, 1, 2600});
        ini = std::make_unique<TAppIni>(os.registry, os.files, nullptr);
        folders = ResolveAppFolders(os.desktop.ExecutablePath(), os.files);
        os.files.AddFile(folders.soundFolder + u"Switch1.wav", "RIFF");
        sounds = std::make_unique<EventSoundPlayer>(os.platform.sound, os.platform.files, os.platform.version,
                                                    folders.soundFolder);
        preset = std::make_unique<TPreset>(os.platform, *sounds, *ini, folders, os.desktop.ExecutablePath());
        preset->SetSoundEnabled(true);
        switcher = std::make_unique<LayoutSwitcher>(os.platform, *preset, *sounds, model,
                                                    LayoutIndicators{indicators, indicators, indicators}, policy, vista);
        // The application window receives the library's notifications, as the program's does.
        appWindow = os.desktop.CreateWindow(u"TApplication", u"Tolvex", sim::SimDesktop::kOwnProcessId, false,
                                            [this](const sim::SimMessage& m) -> std::intptr_t {
                                                if (m.message == msg::kLayoutChanged)
                                                    switcher->OnLayoutChanged(static_cast<LayoutHandle>(m.lParam));
                                                if (m.message == msg::kSwitchAcknowledged)
                                                    switcher->OnSwitchAcknowledged(m.lParam == msg::kThroughHost32);
                                                return 0;
                                            });
        editor = std::make_unique<sim::SimForegroundApp>(os.desktop, os.keyboard, sim::kLayoutUs);
        editor->SetLibraryTarget(appWindow);
    }
    std::size_t Received(std::uint32_t message) {
        std::size_t n = 0;
        for (const auto& m : os.desktop.Find(editor->Window())->received) n += m.message == message;
        return n;
    }

    sim::SimPlatform os;
    std::unique_ptr<TAppIni> ini;
    AppFolders folders;
    std::unique_ptr<EventSoundPlayer> sounds;
    std::unique_ptr<TPreset> preset;
    FakeModel model;
    RecordingIndicators indicators;
    FixedPolicy policy;
    std::unique_ptr<LayoutSwitcher> switcher;
    WindowHandle appWindow = kNoWindow;
    std::unique_ptr<sim::SimForegroundApp> editor;
};

TEST_F(LayoutSwitcherTest, AcknowledgedSwitchEndsAsSoonAsTheLibraryAnswers) {
    Build(false);
    switcher->SwitchLayout(kNextLayout);

    EXPECT_EQ(editor->Layout(), sim::kLayoutRu);
    EXPECT_EQ(model.layout, sim::kLayoutRu) << "the change is seen before the switch returns";
    EXPECT_TRUE(switcher->SwitchAcknowledged());
    EXPECT_EQ(Received(msg::kSwitchLayout), 1u);
    EXPECT_EQ(Received(win::kWmInputLangChangeRequest), 0u);
    EXPECT_LT(os.loop.NowMs(), 100u);
    EXPECT_EQ(os.keyboard.ThreadLayout(0), sim::kLayoutRu) << "the program's thread follows";
    EXPECT_EQ(os.sound.Played().size(), 1u);
    EXPECT_EQ(indicators.trayUpdates, 1);
    EXPECT_EQ(indicators.caretFlags, std::vector<LayoutHandle>{sim::kLayoutRu});
}

TEST_F(LayoutSwitcherTest, WithoutAnAnswerTheRequestMessageSwitchesAfterTheWait) {
    Build(false);
    editor->SetAnswersSwitchRequests(false);
    switcher->SwitchLayout(sim::kLayoutRu);

    EXPECT_EQ(Received(msg::kSwitchLayout), 1u);
    EXPECT_EQ(Received(win::kWmInputLangChangeRequest), 1u);
    EXPECT_EQ(editor->Layout(), sim::kLayoutRu);
    EXPECT_EQ(model.layout, sim::kLayoutRu);
    EXPECT_GE(os.loop.NowMs(), 100u);
    EXPECT_LT(os.loop.NowMs(), 300u) << "the second wait ends when the change arrives";
}

// The debug log tells who answered a posted request: the program's own library, the 32-bit
// library through the host (which passes the notifications on, marking its answers), or nobody
// within 100 ms.
enum class Answer { OwnLibrary, ThroughHost32, None };
struct AnswerCase {
    Answer answer;
    std::u16string line;
};

class SwitchAnswerLogTest : public LayoutSwitcherTest, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(SwitchAnswerLogTest, TheLogSaysWhichLibraryAnsweredOrThatNoneDid) {
    Build(true);
    DebugLog log(true, folders.appFolder + u"Log.txt", os.files, os.loop);
    switcher->LogSwitchesTo(&log);
    if (GetParam().answer == Answer::None) editor->SetAnswersSwitchRequests(false);
    if (GetParam().answer == Answer::ThroughHost32) {
        const WindowHandle host = os.desktop.CreateWindow(
            u"KarmuxHost32", u"KarmuxHost32", 300, false, [this](const sim::SimMessage& m) -> std::intptr_t {
                os.desktop.PostToWindow(appWindow, m.message, m.wParam,
                                        m.message == msg::kSwitchAcknowledged ? msg::kThroughHost32 : m.lParam);
                return 0;
            });
        editor->SetLibraryTarget(host);
    }
    switcher->SwitchLayout(sim::kLayoutRu);
    ASSERT_EQ(log.Lines().size(), 1u);
    const std::u16string& line = log.Lines()[0];
    const std::u16string& wanted = GetParam().line;
    ASSERT_GE(line.size(), wanted.size());
    EXPECT_EQ(line.substr(line.size() - wanted.size()), wanted);
    EXPECT_EQ(model.layout, sim::kLayoutRu) << "switched either way";
}

INSTANTIATE_TEST_SUITE_P(
    Answers, SwitchAnswerLogTest,
    ::testing::Values(AnswerCase{Answer::OwnLibrary, u"Layout switch answered by the hook library"},
                      AnswerCase{Answer::ThroughHost32, u"Layout switch answered by the 32-bit hook library"},
                      AnswerCase{Answer::None, u"Layout switch not answered within 100 ms: falling back"}));

TEST_F(LayoutSwitcherTest, ApplicationThatNeverReportsIsWaitedForAtMostThreeHundredMs) {
    Build(false);
    editor->SetLibraryTarget(kNoWindow);  // no library in that application
    switcher->SwitchLayout(kNextLayout);
    EXPECT_EQ(editor->Layout(), sim::kLayoutRu) << "WM_INPUTLANGCHANGEREQUEST still switches it";
    EXPECT_EQ(model.layout, sim::kLayoutUs) << "the next notification or poll brings the model along";
    EXPECT_EQ(os.loop.NowMs(), 300u);
}

TEST_F(LayoutSwitcherTest, VistaNextLayoutPostsNothingAndUpdatesTheModelDirectly) {
    Build(true);
    switcher->SwitchLayout(kNextLayout);
    EXPECT_EQ(Received(msg::kSwitchLayout), 0u);
    EXPECT_EQ(Received(win::kWmInputLangChangeRequest), 1u);
    EXPECT_EQ(model.layout, sim::kLayoutRu);
    EXPECT_EQ(editor->Layout(), sim::kLayoutRu);
    EXPECT_EQ(os.sound.Played().size(), 1u) << "the editor's own report of the same layout changes nothing";
}

TEST_F(LayoutSwitcherTest, PostingTurnedOffSendsOnlyTheRequestAndDoesNotWait) {
    Build(false);
    policy.postingOff = true;
    switcher->SwitchLayout(kNextLayout);
    EXPECT_EQ(Received(msg::kSwitchLayout), 0u);
    EXPECT_EQ(Received(win::kWmInputLangChangeRequest), 1u);
    EXPECT_EQ(os.loop.NowMs(), 0u);
}

TEST_F(LayoutSwitcherTest, DisabledLayoutsAreSkipped) {
    Build(false, {sim::kLayoutUs, sim::kLayoutRu, sim::kLayoutDe});
    preset->DisableLang(sim::kLayoutRu);
    switcher->SwitchLayout(kNextLayout);
    EXPECT_EQ(editor->Layout(), sim::kLayoutDe);

    Build(false, {sim::kLayoutUs, sim::kLayoutRu});
    preset->DisableLang(sim::kLayoutRu);
    model.layout = sim::kLayoutUs;
    switcher->SwitchLayout(kNextLayout);
    EXPECT_EQ(os.keyboard.ThreadLayout(0), sim::kLayoutUs) << "through the disabled second back to the first";
    EXPECT_EQ(model.layout, sim::kLayoutUs);
}

TEST_F(LayoutSwitcherTest, SameLayoutTwiceDoesNothing) {
    Build(false);
    switcher->OnLayoutChanged(sim::kLayoutUs);
    switcher->OnLayoutChanged(0);
    EXPECT_TRUE(os.sound.Played().empty());
    EXPECT_EQ(indicators.trayUpdates, 0);
}

TEST_F(LayoutSwitcherTest, AStormOfChangesUpdatesOnlyTheModelAfterTenUntilAPause) {
    Build(false);
    const LayoutHandle layouts[] = {sim::kLayoutRu, sim::kLayoutUs};
    for (int i = 0; i < 14; ++i) {
        os.loop.Sleep(10);
        switcher->OnLayoutChanged(layouts[i % 2]);
    }
    EXPECT_EQ(model.layout, sim::kLayoutUs) << "the model follows every change";
    EXPECT_EQ(indicators.panel.size(), 11u) << "the first and ten rapid ones";
    os.loop.Sleep(50);
    switcher->OnLayoutChanged(sim::kLayoutRu);
    EXPECT_EQ(indicators.panel.size(), 12u) << "after a pause everything follows again";
    EXPECT_EQ(os.keyboard.ThreadLayout(0), sim::kLayoutRu);
}

TEST_F(LayoutSwitcherTest, LayoutCountIsTheInstalledList) {
    Build(false, {sim::kLayoutUs});
    EXPECT_EQ(switcher->LayoutCount(), 1);
    os.keyboard.SetInstalled({sim::kLayoutUs, sim::kLayoutRu, sim::kLayoutDe, sim::kLayoutFr});
    EXPECT_EQ(switcher->LayoutCount(), 4);
}

}  // namespace
}  // namespace kv
