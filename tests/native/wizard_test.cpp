// The first-run wizard and the about box: the walk through the wizard's steps and when leaving
// asks, what its pages say, its start-with-Windows box, the try-it box's fresh typed record on a
// click, the first start that opens it (decided before the balloon writes "FirstStart"), and the
// about box's texts and links.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "actions/action_description.h"
#include "actions/model_hotkey_texts.h"
#include "app/app_singletons.h"
#include "app/application_shell.h"
#include "app/keyboard_engine.h"
#include "common/key_classes.h"
#include "dialogs/about_box_content.h"
#include "dialogs/wizard_start_with_windows.h"
#include "dialogs/wizard_steps.h"
#include "dialogs/wizard_texts.h"
#include "indicators/tray_menu.h"
#include "keyboard_engine_fixture.h"
#include "platform/error.h"
#include "platform/win_constants.h"
#include "resources/kv_lang.h"
#include "settings/app_ini.h"
#include "settings/preset.h"
#include "settings/start_with_windows.h"
#include "sim_app_windows.h"
#include "sim_platform.h"

namespace kv {
namespace {

using Outcome = WizardSteps::Outcome;

std::vector<StepImage> Images(const WizardSteps& steps) {
    return {steps.Image(0), steps.Image(1), steps.Image(2)};
}
constexpr StepImage N = StepImage::NotVisited, S = StepImage::Selected, L = StepImage::Left;

TEST(WizardStepsTest, NextAndBackWalkTheStepsAndTheTreeShowsWhereTheUserHasBeen) {
    WizardSteps steps;
    EXPECT_EQ(steps.Current(), -1);
    steps.Select(0);  // the tree's first focus
    EXPECT_EQ(Images(steps), (std::vector<StepImage>{S, N, N}));
    EXPECT_FALSE(steps.PriorVisible());
    EXPECT_EQ(steps.NextButtonText(), 382);
    EXPECT_EQ(steps.HeaderText(), 384);

    EXPECT_EQ(steps.Next(), Outcome::Moved);
    EXPECT_EQ(steps.Current(), 1);
    EXPECT_EQ(Images(steps), (std::vector<StepImage>{L, S, N}));
    EXPECT_TRUE(steps.PriorVisible());
    EXPECT_EQ(steps.HeaderText(), 387);

    EXPECT_EQ(steps.Next(), Outcome::Moved);
    EXPECT_EQ(Images(steps), (std::vector<StepImage>{L, L, S}));
    EXPECT_EQ(steps.NextButtonText(), 383) << "Finish on the last step";
    EXPECT_EQ(steps.HeaderText(), 390);

    EXPECT_EQ(steps.Prior(), Outcome::Moved);
    EXPECT_EQ(steps.Current(), 1);
    EXPECT_EQ(Images(steps), (std::vector<StepImage>{L, S, L})) << "a step left keeps its picture";
    EXPECT_EQ(steps.NextButtonText(), 382);
    EXPECT_EQ(steps.Prior(), Outcome::Moved);
    EXPECT_EQ(steps.Prior(), Outcome::Stay) << "nothing before the first step";
    EXPECT_EQ(steps.Current(), 0);

    // A click in the tree jumps; the same step again changes nothing.
    steps.Select(2);
    steps.Select(2);
    EXPECT_EQ(Images(steps), (std::vector<StepImage>{L, L, S}));
    steps.Select(7);
    EXPECT_EQ(steps.Current(), 2);
}

TEST(WizardStepsTest, LeavingAsksExceptOnTheLastStepAndNextOnTheLastStepCloses) {
    struct Case {
        int step;
        bool answer;
        Outcome expected;
        int questions;
    };
    const Case cases[] = {
        {0, false, Outcome::Stay, 1}, {0, true, Outcome::Close, 1}, {1, false, Outcome::Stay, 1},
        {1, true, Outcome::Close, 1}, {2, false, Outcome::Close, 0}, {2, true, Outcome::Close, 0},
    };
    for (const Case& c : cases) {
        WizardSteps steps;
        for (int s = 0; s <= c.step; ++s) steps.Select(s);
        int questions = 0;
        const Outcome outcome = steps.RequestClose([&] {
            ++questions;
            return c.answer;
        });
        EXPECT_EQ(outcome, c.expected) << "step " << c.step << " answer " << c.answer;
        EXPECT_EQ(questions, c.questions) << "step " << c.step;
        EXPECT_EQ(steps.Current(), c.step) << "a no keeps the wizard on the same step";
    }
    WizardSteps last;
    for (int s = 0; s < WizardSteps::kCount; ++s) last.Select(s);
    EXPECT_EQ(last.Next(), Outcome::Close);

    // The settings button asks on every step, the last one too.
    int asked = 0;
    EXPECT_EQ(WizardSteps::RequestSettings([&] { return ++asked, false; }), Outcome::Stay);
    EXPECT_EQ(WizardSteps::RequestSettings([&] { return ++asked, true; }), Outcome::Close);
    EXPECT_EQ(asked, 2);
}

TEST(WizardTextsTest, StepTwoNamesTheConversionHotkeyOnlyWhenThereIsOne) {
    test::EngineWorld w;
    w.app->lang.LoadLanguage(u"en");
    const ModelHotkeyTexts hotkeys(w.model->keyboard);
    const std::optional<std::u16string> key = ConvertTypedHotkeyText(w.model->actions, hotkeys);
    ASSERT_TRUE(key.has_value()) << "the default hotkeys convert typed text";
    EXPECT_FALSE(key->empty());
    const TKvAction* convert = w.model->actions.FindByKind(ActionKind::LanguageAndCase, 0);
    ASSERT_NE(convert, nullptr);
    EXPECT_EQ(*key, w.model->keyboard.HotkeyText(convert->Key(), convert->Mods()));

    const WizardPageTexts texts = BuildWizardPageTexts(w.app->lang, key);
    ASSERT_TRUE(texts.switcher.has_value());
    EXPECT_NE(texts.switcher->find(u"Just press " + *key + u":"), std::u16string::npos) << std::string(texts.switcher->begin(), texts.switcher->end());
    EXPECT_EQ(texts.switcher->find(u"%1"), std::u16string::npos);
    EXPECT_TRUE(texts.start.starts_with(u"Welcome to Tolvex!\r\n")) << "the product name, and ## as a line break";
    EXPECT_NE(texts.finish.find(u"Finish"), std::u16string::npos);

    w.app->preset.SetSCChangeLang(0);
    EXPECT_EQ(w.model->actions.FindByKind(ActionKind::LanguageAndCase, 0), nullptr);
    EXPECT_FALSE(ConvertTypedHotkeyText(w.model->actions, hotkeys).has_value());
    EXPECT_FALSE(BuildWizardPageTexts(w.app->lang, std::nullopt).switcher.has_value())
        << "without the action the page keeps its text";
}

// Step 2's try-it box: a click there starts a fresh record, so only what is typed after it is
// converted, not the text typed before somewhere else.
class WizardTypingTest : public ::testing::Test {
protected:
    WizardTypingTest() : w({sim::kLayoutUs, sim::kLayoutRu}) {}
    void SetUp() override { ASSERT_TRUE(w.Activate()); }
    void Type(std::u16string_view keys) {
        for (char16_t key : keys) w.os.driver.Tap(static_cast<std::uint8_t>(key));
    }
    void ConvertHotkey() {
        w.os.driver.Press(vk::kLeftWin, true);
        w.os.driver.Press(vk::kLeftShift);
        w.os.driver.Release(vk::kLeftShift);
        w.os.driver.Release(vk::kLeftWin, true);
        w.Settle(50);
    }
    test::EngineWorld w;
};

TEST_F(WizardTypingTest, AClickInTheBoxStartsAFreshWordSoOnlyItIsRetyped) {
    Type(u"XX");
    w.Typed().ResetTypedBuffer();  // what the wizard's host does on a mouse press
    Type(u"GHBDTN");
    ASSERT_EQ(w.document->Text(), u"xxghbdtn");
    ConvertHotkey();
    EXPECT_EQ(w.document->Text(), u"xxпривет");
}

TEST_F(WizardTypingTest, WithoutTheClickTheWholeRunIsRetyped) {
    Type(u"XX");
    Type(u"GHBDTN");
    ConvertHotkey();
    EXPECT_EQ(w.document->Text(), u"ччпривет");
}

struct StartWorld {
    sim::SimPlatform os;
    AppFolders folders = ResolveAppFolders(os.desktop.ExecutablePath(), os.files);
    std::u16string program = os.desktop.ExecutablePath();
    void MachineWritesRunValueAfter(std::uint32_t ms) {
        os.loop.StartTimer(ms, [this] {
            os.registry.MachineKey(kMachineRunKey)[sim::SimRegistry::Normalize(kRunValueName)] = {RegistryType::String,
                                                                                                0, program};
        });
    }
};

TEST(WizardStartWithWindowsTest, TheElevatedProgramGetsTwoForTheContextMenuAndTheBoxShowsTheRealState) {
    EXPECT_EQ(WizardElevoptParameters(u"C:\\P F\\Karmux.exe", true), u"\"C:\\P F\\Karmux.exe\" 1 2");
    EXPECT_EQ(WizardElevoptParameters(u"C:\\P F\\Karmux.exe", false), u"\"C:\\P F\\Karmux.exe\" 0 2");

    StartWorld done;
    done.MachineWritesRunValueAfter(300);
    const std::uint64_t t0 = done.os.loop.NowMs();
    EXPECT_TRUE(ChangeStartWithWindowsFromWizard(done.os.platform, done.folders.appFolder, done.program, true));
    EXPECT_LT(done.os.loop.NowMs() - t0, 1000u) << "stops watching once the state shows";
    ASSERT_EQ(done.os.shell.Elevated().size(), 1u);
    EXPECT_EQ(done.os.shell.Elevated()[0], done.folders.appFolder + u"Elevopt.exe \"" + done.program + u"\" 1 2");

    // Already as wanted: nothing runs.
    EXPECT_TRUE(ChangeStartWithWindowsFromWizard(done.os.platform, done.folders.appFolder, done.program, true));
    EXPECT_EQ(done.os.shell.Elevated().size(), 1u);

    // Refused or too slow: the real state after about 2.2 s.
    StartWorld slow;
    const std::uint64_t t1 = slow.os.loop.NowMs();
    EXPECT_FALSE(ChangeStartWithWindowsFromWizard(slow.os.platform, slow.folders.appFolder, slow.program, true));
    EXPECT_GE(slow.os.loop.NowMs() - t1, 2200u);
    EXPECT_LT(slow.os.loop.NowMs() - t1, 2500u);

    StartWorld refused;
    refused.os.shell.FailElevation(u"The operation was canceled by the user.");
    EXPECT_THROW(ChangeStartWithWindowsFromWizard(refused.os.platform, refused.folders.appFolder, refused.program, true),
                 KvError);

    // Vista and later show the real state; older systems start ticked.
    EXPECT_FALSE(InitialStartWithWindowsCheck({win::kVerPlatformWin32Nt, 6, 0, 6000}, false));
    EXPECT_TRUE(InitialStartWithWindowsCheck({win::kVerPlatformWin32Nt, 6, 1, 7601}, true));
    EXPECT_TRUE(InitialStartWithWindowsCheck({win::kVerPlatformWin32Nt, 5, 1, 2600}, false));
}

TEST(AboutBoxContentTest, VersionsLinksAndTheLanguageVariantOfTheSite) {
    TKvLang lang;
    lang.SetText(322, u"About %1");
    lang.SetText(561, u"%1 is part of the Pondrel family of programs. Learn more");
    AboutBoxInputs in{u"http://www.tolvex.example/", u"support@tolvex.example", 1033, u"0.1.0.0", u"0.1.0.42"};
    const AboutBoxContent english = BuildAboutBoxContent(lang, in);
    EXPECT_EQ(english.caption, u"About Tolvex");
    EXPECT_EQ(english.name, u"Tolvex 0.1.0.0");
    EXPECT_EQ(english.build, u"Build: 0.1.0.42");
    EXPECT_EQ(english.webAddress, u"http://www.tolvex.example/");
    EXPECT_EQ(english.mail, u"support@tolvex.example");
    EXPECT_EQ(english.mailUrl, u"mailto:support@tolvex.example?subject=Tolvex 0.1.0.0");
    EXPECT_EQ(english.familyText, u"Tolvex is part of the Pondrel family of programs. Learn more");
    EXPECT_EQ(english.familyUrl, u"http://www.tolvex.example/hotkey-manager.html");

    for (const std::int32_t german : {7, 1031}) {
        in.language = german;
        const AboutBoxContent c = BuildAboutBoxContent(lang, in);
        EXPECT_EQ(c.webAddress, u"http://de.tolvex.example/") << german;
        EXPECT_EQ(c.familyUrl, u"http://de.tolvex.example/hotkey-manager.html") << german;
    }
    in.language = 1049;
    EXPECT_EQ(BuildAboutBoxContent(lang, in).webAddress, u"http://ru.tolvex.example/");

    // No version resource: the version parts stay empty.
    in.productVersion.clear();
    in.fileVersion.clear();
    const AboutBoxContent bare = BuildAboutBoxContent(lang, in);
    EXPECT_EQ(bare.name, u"Tolvex ");
    EXPECT_EQ(bare.build, u"Build: ");
}

// The whole program on the simulated Windows, for the first start and the tray's About item.
class FirstStartTest : public ::testing::Test {
protected:
    FirstStartTest() {
        os.InstallLanguages();
        os.InstallHookLibrary();
        os.InstallCompanion();
        os.loop.SetRunLimit(20000);
    }
    void Run(std::function<void()> story) {
        app = std::make_unique<AppSingletons>(os.platform);
        shell = std::make_unique<ApplicationShell>(*app, windows);
        windows.UseLanguage(app->lang);
        os.loop.StartTimer(1500, [this, story, done = false]() mutable {
            if (done) return;
            done = true;
            story();
            os.desktop.PostToWindow(os.desktop.FindTopLevelWindow(u"TFirstForm", u"KarmuxFirstForm"), win::kWmClose, 0, 0);
        });
        shell->Run();
    }
    bool FirstStartStored() { return os.registry.Key(kProgramRegistryKey).count(sim::SimRegistry::Normalize(u"FirstStart")) > 0; }

    sim::SimPlatform os;
    sim::SimAppWindows windows{os.desktop};
    std::unique_ptr<AppSingletons> app;
    std::unique_ptr<ApplicationShell> shell;
};

TEST_F(FirstStartTest, TheWizardIsDecidedBeforeTheBalloonWritesFirstStartAndOpensOnlyOnce) {
    std::vector<bool> storedWhenCreated;
    windows.whenWizardCreated = [&] { storedWhenCreated.push_back(FirstStartStored()); };
    bool ran = false;
    Run([&] {
        ran = true;
        sim::SimWizardWindow* wizard = windows.Wizard();
        ASSERT_NE(wizard, nullptr) << "a first start opens the wizard";
        EXPECT_EQ(wizard->Activations(), 1);
        EXPECT_TRUE(wizard->Visible());
        EXPECT_TRUE(FirstStartStored()) << "the first-start balloon came after the wizard";
        EXPECT_EQ(windows.Tray().Balloons().size(), 1u);

        // A click in the program's windows: the host starts a fresh typed record.
        TypingRun& typed = shell->Parts()->model.typed;
        TKvKeyboard& model = shell->Parts()->model.keyboard;
        typed.RecordKey(model, 'G', *model.Btn('G'), false, false);
        ASSERT_EQ(typed.Keys().size(), 1u);
        wizard->Host().ResetTypedBuffer();
        EXPECT_TRUE(typed.Keys().empty());
        EXPECT_EQ(typed.CharsOnScreen(), 0);

        wizard->Context().Preset().SetLanguage(1049);
        EXPECT_GE(wizard->LanguageApplications(), 1) << "a language change re-captions the wizard";
        wizard->Close();
        os.loop.WaitForMessages(10);
        os.loop.ProcessPendingMessages();
        EXPECT_EQ(windows.Wizard(), nullptr) << "freed after closing";
    });
    ASSERT_TRUE(ran);
    EXPECT_EQ(storedWhenCreated, std::vector<bool>{false});

    // The next start finds "FirstStart" and opens no wizard.
    windows.whenWizardCreated = nullptr;
    shell.reset();
    app.reset();
    Run([&] { EXPECT_EQ(windows.Wizard(), nullptr); });
    EXPECT_EQ(windows.WizardsCreated(), 1);
}

TEST_F(FirstStartTest, TheSettingsButtonOpensTheSettingsWindowAndItsWizardButtonTheWizardAgain) {
    Run([&] {
        sim::SimWizardWindow* wizard = windows.Wizard();
        ASSERT_NE(wizard, nullptr);
        // The wizard's settings button (after the user's yes): the settings window, then the wizard closes.
        wizard->Host().OpenSettingsFromWizard();
        wizard->Close();
        os.loop.WaitForMessages(10);
        os.loop.ProcessPendingMessages();
        ASSERT_NE(windows.SettingsWindow(), nullptr);
        EXPECT_EQ(windows.SettingsWindow()->Activations(), 1);
        EXPECT_EQ(windows.Wizard(), nullptr);

        // The settings window's wizard button: a new wizard, shown under the loading message.
        const std::size_t waitTexts = windows.Waits().texts.size();
        windows.SettingsWindow()->Host().OpenWizard();
        ASSERT_NE(windows.Wizard(), nullptr);
        EXPECT_EQ(windows.WizardsCreated(), 2);
        EXPECT_EQ(windows.Wizard()->Activations(), 1);
        ASSERT_GT(windows.Waits().texts.size(), waitTexts);
        EXPECT_EQ(windows.Waits().texts.back(), u"Loading Setup Wizard.\r\nPlease wait...");
        EXPECT_EQ(windows.Waits().open, 0) << "the wait closes once the wizard shows";
        // Asked again while it is open: the same wizard comes to the front.
        windows.SettingsWindow()->Host().OpenWizard();
        EXPECT_EQ(windows.WizardsCreated(), 2);
        EXPECT_EQ(windows.Wizard()->Activations(), 2);
    });
}

TEST_F(FirstStartTest, TheTrayAboutItemAsksForTheAboutBoxWithTheProgramsVersion) {
    os.files.SetFileVersion(os.desktop.ExecutablePath(), u"FileVersion", u"0.1.0.7");
    os.files.SetFileVersion(os.desktop.ExecutablePath(), u"ProductVersion", u"0.1.0.0");
    Run([&] {
        windows.Menus().Choose(static_cast<int>(TrayItem::About));
        windows.Tray().Events()->OnIconClick(true);
        os.loop.ProcessPendingMessages();
        windows.Menus().Choose(static_cast<int>(TrayItem::About));
        windows.Tray().Events()->OnIconClick(true);
        os.loop.ProcessPendingMessages();
        EXPECT_EQ(windows.AboutRequests(), 2) << "each request reaches ShowFormOnce of the windows side";
        ASSERT_NE(windows.AboutHost(), nullptr);
        const AboutBoxContent content = windows.AboutHost()->AboutContent();
        EXPECT_EQ(content.build, u"Build: 0.1.0.7");
        EXPECT_EQ(content.name.substr(0, 7), u"Tolvex ");
        windows.AboutHost()->OpenAddress(content.mailUrl);
        ASSERT_FALSE(os.shell.Opened().empty());
        EXPECT_EQ(os.shell.Opened().back(), content.mailUrl + u" ");
    });
}

}  // namespace
}  // namespace kv
