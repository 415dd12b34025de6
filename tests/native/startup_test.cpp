#include <gtest/gtest.h>

#include <memory>

#include "app/app_singletons.h"
#include "app/application_shell.h"
#include "app/keyboard_engine.h"
#include "keyboard/layout_char_cache.h"
#include "common/messages.h"
#include "platform/win_constants.h"
#include "resources/lang_flags.h"
#include "../fuzz/icon_pack_fakes.h"
#include "indicators/on_screen_keyboard.h"
#include "resources/icon_pack_list.h"
#include "sim_app_windows.h"
#include "sim_platform.h"

namespace kv {
namespace {

constexpr std::uint32_t kOtherInstancePid = 300;

std::vector<std::u16string> LoggedTexts(const DebugLog& log) {
    std::vector<std::u16string> texts;
    for (const auto& line : log.Lines()) texts.push_back(line.substr(line.find(u" : ") + 3));
    return texts;
}

std::size_t CountMessages(const sim::SimWindow& window, std::uint32_t message) {
    std::size_t n = 0;
    for (const auto& m : window.received) n += m.message == message;
    return n;
}

class StartupTest : public ::testing::Test {
protected:
    StartupTest() {
        os.desktop.SetArguments({u"/debug"});
        os.InstallLanguages();
        os.InstallHookLibrary();
    }

    // Module initialisation and the entry sequence, as the program's main does them.
    int Start() {
        app = std::make_unique<AppSingletons>(os.platform);
        shell = std::make_unique<ApplicationShell>(*app, windows);
        windows.UseLanguage(app->lang);
        return shell->Run();
    }
    std::vector<std::u16string> Log() const { return LoggedTexts(app->log); }
    const std::u16string logPath = std::u16string(sim::SimPlatform::kAppFolder) + u"Log.txt";

    sim::SimPlatform os;
    sim::SimAppWindows windows{os.desktop};
    std::unique_ptr<AppSingletons> app;
    std::unique_ptr<ApplicationShell> shell;
};

TEST_F(StartupTest, NormalStartCreatesTheWindowsInOrderRunsAndEndsWhenTheMarkerCloses) {
    os.InstallCompanion();
    const WindowHandle bystander = os.desktop.CreateWindow(u"Notepad", u"Untitled - Notepad", 400, true);
    const WindowHandle hiddenBystander = os.desktop.CreateWindow(u"Hidden", u"", 400, false);
    os.loop.SetRunLimit(5000);
    os.loop.StartTimer(2000, [&] {
        os.desktop.PostToWindow(os.desktop.FindTopLevelWindow(u"TFirstForm", u"KarmuxFirstForm"), win::kWmClose, 0, 0);
    });
    WindowHandle companion = kNoWindow;
    os.loop.StartTimer(1000, [&] {
        companion = shell->CompanionWindow();
        EXPECT_TRUE(shell->StartupComplete());  // 800 ms into the loop
    });

    EXPECT_EQ(Start(), 0);

    EXPECT_EQ(Log(), (std::vector<std::u16string>{u"Initialize", u"FirstForm", u"KvBugMessageForm", u"DataDM",
                                                  u"KvMessageForm", u"MainKeyboardForm", u"MainKeyboardBackgroundForm",
                                                  u"KvClipboardDM", u"FloatingWindowLangForm", u"Start", u"Run", u"Finalize",
                                                  u"Stop"}));
    EXPECT_EQ(os.libraries.calls, (std::vector<std::string>{"load", "Hook", "UnHook", "free"}));
    EXPECT_EQ(os.libraries.Loaded(), 0) << "the library is released at exit";
    EXPECT_FALSE(os.driver.Installed()) << "no keyboard hook outlives the program";
    ASSERT_EQ(os.desktop.StartedPrograms(), std::vector<std::u16string>{u"C:\\Program Files\\Karmux\\KarmuxCm.exe"});
    EXPECT_NE(companion, kNoWindow);
    EXPECT_EQ(os.CompanionWindow(), kNoWindow) << "the companion ends on the WM_DESTROY sent at exit";
    EXPECT_TRUE(windows.RealizedOffscreen());
    EXPECT_TRUE(os.desktop.MessageBoxes().empty());
    ASSERT_EQ(app->languages.size(), 2u);
    for (const auto& language : app->languages) {
        EXPECT_EQ(language.FlagIndex, LangFlagIndex(static_cast<std::uint32_t>(language.Id))) << language.Id;
        EXPECT_NE(language.FlagIndex, 0) << "English and Russian have flags";
    }
    EXPECT_EQ(CountMessages(*os.desktop.Find(bystander), msg::kCompanionStartup), 1u);
    EXPECT_EQ(CountMessages(*os.desktop.Find(hiddenBystander), msg::kCompanionStartup), 0u);
    EXPECT_TRUE(os.desktop.WindowsOfProcess(sim::SimDesktop::kOwnProcessId).size() <= 1u)
        << "only the application window may outlive the forms";
    EXPECT_EQ(windows.DestroyedInOrder().back(), AppForm::BugMessageForm);
}

TEST_F(StartupTest, TheMarkerWindowIsFoundByClassAndCaption) {
    os.InstallCompanion();
    os.loop.SetRunLimit(100);
    Start();
    EXPECT_EQ(windows.FormWindow(AppForm::FirstForm), os.desktop.FindTopLevelWindow(u"TFirstForm", u"KarmuxFirstForm"));
}

TEST_F(StartupTest, SecondInstancePostsToTheRunningOneAndCreatesNoWindow) {
    const WindowHandle running = os.desktop.CreateWindow(u"TFirstForm", u"KarmuxFirstForm", kOtherInstancePid);
    os.InstallCompanion();

    EXPECT_EQ(Start(), 0);

    const auto& received = os.desktop.Find(running)->received;
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].message, msg::kSecondInstance);
    EXPECT_FALSE(received[0].sent);
    EXPECT_TRUE(os.desktop.WindowsOfProcess(sim::SimDesktop::kOwnProcessId).empty());
    EXPECT_TRUE(os.desktop.StartedPrograms().empty());
    EXPECT_TRUE(os.desktop.MessageBoxes().empty());
    EXPECT_EQ(Log(), std::vector<std::u16string>{u"Initialize"});
    EXPECT_EQ(os.loop.NowMs(), 0u);
}

TEST_F(StartupTest, MissingCompanionWaitsAboutFiveSecondsReportsTheFileAndEnds) {
    EXPECT_EQ(Start(), 0);

    EXPECT_EQ(os.desktop.StartedPrograms(), std::vector<std::u16string>{u"C:\\Program Files\\Karmux\\KarmuxCm.exe"});
    ASSERT_EQ(os.desktop.MessageBoxes().size(), 1u);
    const auto& box = os.desktop.MessageBoxes()[0];
    EXPECT_EQ(box.text, u"File KarmuxCm.exe is not found!");
    EXPECT_EQ(box.caption, u"Error");
    EXPECT_EQ(box.flags, win::kMbOk | win::kMbIconError);
    EXPECT_EQ(box.atMs, 5100u);
    EXPECT_EQ(os.loop.NowMs(), 5100u) << "the loop returns at once once terminated";
    EXPECT_TRUE(shell->Terminated());
    EXPECT_FALSE(shell->StartupComplete());
    // Switched on never: the hook library was not even loaded.
    EXPECT_TRUE(os.libraries.calls.empty());
    EXPECT_EQ(CountMessages(*os.desktop.Find(shell->ApplicationWindow()), msg::kCompanionStartup), 1u);
    auto log = Log();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[log.size() - 2], u"Run");
    EXPECT_EQ(log.back(), u"Finalize");
}

TEST_F(StartupTest, ACompanionSlowToStartIsFoundTheMomentItIsUpNotAtTheEndOfAPause) {
    os.InstallCompanion(350);
    os.loop.SetRunLimit(0);

    Start();

    EXPECT_NE(shell->CompanionWindow(), kNoWindow);
    EXPECT_TRUE(os.desktop.MessageBoxes().empty());
    EXPECT_EQ(os.loop.NowMs(), 350u) << "the message loop runs from the moment the companion is up";
}

TEST_F(StartupTest, CompanionAlreadyRunningIsNotStartedAgain) {
    os.InstallCompanion();
    os.desktop.StartHidden(u"C:\\Program Files\\Karmux\\KarmuxCm.exe");
    const WindowHandle companion = os.CompanionWindow();
    os.loop.SetRunLimit(100);

    Start();

    EXPECT_EQ(os.desktop.StartedPrograms().size(), 1u);
    EXPECT_EQ(shell->CompanionWindow(), companion);
    EXPECT_EQ(os.loop.NowMs(), 100u) << "no waiting for a companion that is there";
}

TEST_F(StartupTest, AFlagPictureBesideTheProgramReachesTheWindowsOnlyWhenThere) {
    os.InstallCompanion();
    os.loop.SetRunLimit(100);
    Start();
    EXPECT_TRUE(windows.flagOverridePaths.empty());

    const std::u16string picture = std::u16string(sim::SimPlatform::kAppFolder) + u"Flags.bmp";
    os.files.AddFile(picture, "BM");
    windows.flagOverridePaths.clear();
    shell.reset();
    Start();
    EXPECT_EQ(windows.flagOverridePaths, std::vector<std::u16string>{picture});
}

TEST_F(StartupTest, AStartComputesTheCharactersOfTheLayoutOnce) {
    // 64-bit Windows keeps one record and recomputes it on every request, so every request counts.
    os.desktop.Set64BitWindows(true);
    os.InstallCompanion();
    os.loop.SetRunLimit(100);
    sim::SimKeyboard reference;
    TKvLayoutChars oneLayout;
    ComputeLayoutChars(reference, sim::kLayoutUs, oneLayout);
    ASSERT_GT(reference.Translations(), 0u);

    Start();

    EXPECT_EQ(windows.FormWindow(AppForm::FirstForm), os.desktop.FindTopLevelWindow(u"TFirstForm", u"KarmuxFirstForm"));
    EXPECT_GE(os.keyboard.Translations(), reference.Translations()) << "the keys loaded at start have their characters";
    EXPECT_LT(os.keyboard.Translations(), 2 * reference.Translations());
}

TEST_F(StartupTest, UnsupportedSystemsSeeOnlyTheGateMessage) {
    struct Case {
        const char* name;
        OsVersion version;
    };
    for (const Case& c : {Case{"Windows 98", {win::kVerPlatformWin32Windows, 4, 10, 2222}},
                          Case{"Windows NT 4", {win::kVerPlatformWin32Nt, 4, 0, 1381}}}) {
        SCOPED_TRACE(c.name);
        sim::SimPlatform system;
        system.desktop.SetArguments({u"-DEBUG"});
        system.desktop.SetVersion(c.version);
        system.InstallCompanion();
        system.InstallLanguages();
        AppSingletons singletons(system.platform);
        sim::SimAppWindows appWindows(system.desktop);
        ApplicationShell appShell(singletons, appWindows);

        EXPECT_EQ(appShell.Run(), 0);

        ASSERT_EQ(system.desktop.MessageBoxes().size(), 1u);
        const auto& box = system.desktop.MessageBoxes()[0];
        EXPECT_EQ(box.caption, u"Tolvex");
        EXPECT_EQ(box.flags, win::kMbOk | win::kMbIconExclamation);
        EXPECT_EQ(box.text,
                  u"Tolvex works only on Windows 2000/XP/2003/Vista based operating systems.\r\n\r\n"
                  u"Tolvex requires features present only in these operating systems.\r\n"
                  u"All older versions of Windows are not supported!");
        EXPECT_TRUE(singletons.log.Lines().empty());
        EXPECT_FALSE(system.files.FileExists(logPath));
        EXPECT_TRUE(system.desktop.StartedPrograms().empty());
        EXPECT_TRUE(system.desktop.WindowsOfProcess(sim::SimDesktop::kOwnProcessId).empty());
    }
}

TEST_F(StartupTest, WindowsTwoThousandPassesTheGate) {
    os.desktop.SetVersion({win::kVerPlatformWin32Nt, 5, 0, 2195});
    os.InstallCompanion();
    os.loop.SetRunLimit(100);
    Start();
    EXPECT_TRUE(os.desktop.MessageBoxes().empty());
    EXPECT_EQ(Log().front(), u"Initialize");
}

TEST_F(StartupTest, LogFileIsRewrittenAfterEveryLineAndHoldsOnlyThisRun) {
    os.files.AddFile(logPath, "old run\r\n");
    os.InstallCompanion();
    os.loop.SetRunLimit(100);
    Start();
    const auto lines = app->log.Lines();
    EXPECT_EQ(os.files.WriteCount(logPath), static_cast<int>(lines.size()));
    const std::string file = *os.files.ReadWholeFile(logPath);
    EXPECT_EQ(file.find("old run"), std::string::npos);
    EXPECT_EQ(file.rfind("10.12.2026 00:00:00 : Initialize\r\n", 0), 0u);
    EXPECT_NE(file.find(" : Run\r\n"), std::string::npos);
}

TEST_F(StartupTest, WithoutLanguageFilesTheFixedMessageShowsAndTheProgramEnds) {
    os.InstallCompanion();
    os.files.RemoveFile(u"C:\\Program Files\\Karmux\\Lang\\en.txt");
    os.files.RemoveFile(u"C:\\Program Files\\Karmux\\Lang\\ru.txt");

    EXPECT_EQ(Start(), 0);

    ASSERT_EQ(os.desktop.MessageBoxes().size(), 1u);
    EXPECT_EQ(os.desktop.MessageBoxes()[0].text, u"Cannot load language data!\r\n\r\nCheck folder 'Lang'.");
    EXPECT_EQ(os.desktop.MessageBoxes()[0].caption, u"Error");
    EXPECT_EQ(os.desktop.MessageBoxes()[0].flags, win::kMbOk | win::kMbIconError);
    EXPECT_TRUE(shell->Terminated());
    EXPECT_TRUE(app->preset.Loaded()) << "the rest of the start-up still runs";
    EXPECT_TRUE(os.libraries.calls.empty()) << "a program on its way out hooks nothing";
    EXPECT_EQ(Log().back(), u"Finalize");
}

TEST_F(StartupTest, TheRegistryLanguageRecaptionsTheFormsAndSettingsAreSavedAtExit) {
    os.InstallCompanion();
    os.registry.Key(u"SOFTWARE\\OrlentaSoftware\\Karmux")[u"LANGUAGE"] = RegistryValue{RegistryType::Dword, 1049, {}};
    os.loop.SetRunLimit(1000);
    std::u16string captionWhileRunning;
    os.loop.StartTimer(900, [&] {
        captionWhileRunning = os.desktop.Find(windows.FormWindow(AppForm::MainKeyboardForm))->caption;
    });

    Start();

    EXPECT_EQ(captionWhileRunning, u"Клавиатура");
    EXPECT_EQ(app->lang.Name(), u"ru");
    EXPECT_GT(windows.LanguageApplications(), 0);
    EXPECT_TRUE(app->appIni.ValueExists(u"SCSwitchLang")) << "the settings were written at exit";
    EXPECT_FALSE(app->appIni.ValueExists(u"AccessDenied"));
}

TEST(DebugSwitchTest, OnlyDebugAfterDashOrSlashInAnyCase) {
    struct Case {
        std::vector<std::u16string> args;
        bool on;
    };
    const Case cases[] = {
        {{u"/debug"}, true},  {{u"-DEBUG"}, true},  {{u"/DeBuG"}, true}, {{u"x", u"-debug"}, true},
        {{u"debug"}, false},  {{u"--debug"}, false}, {{u"/debugx"}, false}, {{}, false},
    };
    for (const auto& c : cases) EXPECT_EQ(DebugLog::SwitchGiven(c.args), c.on) << c.args.size();
}

TEST(DebugSwitchTest, WithoutTheSwitchNothingIsWritten) {
    sim::SimPlatform os;
    os.InstallCompanion();
    os.InstallLanguages();
    os.loop.SetRunLimit(100);
    AppSingletons app(os.platform);
    sim::SimAppWindows windows(os.desktop);
    ApplicationShell shell(app, windows);
    windows.UseLanguage(app.lang);
    shell.Run();
    EXPECT_TRUE(app.log.Lines().empty());
    EXPECT_FALSE(os.files.FileExists(std::u16string(sim::SimPlatform::kAppFolder) + u"Log.txt"));
}

TEST(CharsetTest, LanguageChoosesTheFontCharset) {
    struct Case {
        int language;
        int charset;
    };
    for (const Case& c : {Case{4, 136}, Case{1028, 136}, Case{17, 128}, Case{1041, 128}, Case{2052, 134},
                          Case{1049, 1}, Case{1033, 1}, Case{0, 1}}) {
        EXPECT_EQ(CharsetForLanguage(c.language), c.charset) << c.language;
    }
}

}  // namespace
}  // namespace kv

namespace kv {
namespace {

TEST_F(StartupTest, AnExceptionThatReachesTheLoopIsLoggedAndShownInTheErrorReport) {
    os.InstallCompanion();
    os.loop.SetRunLimit(3000);
    bool raised = false;
    os.loop.StartTimer(1000, [&] {
        if (!raised) shell->OnUnhandledException(u"Access violation at 0042");
        raised = true;
    });
    os.loop.StartTimer(2000, [&] {
        os.desktop.PostToWindow(os.desktop.FindTopLevelWindow(u"TFirstForm", u"KarmuxFirstForm"), win::kWmClose, 0, 0);
    });
    Start();
    EXPECT_EQ(windows.ErrorWindow().shown, 1);
    EXPECT_NE(windows.ErrorWindow().message.find(u"Access violation at 0042"), std::u16string::npos);
    const auto log = Log();
    EXPECT_NE(std::find(log.begin(), log.end(), u"Exception : Access violation at 0042"), log.end());
    EXPECT_EQ(windows.AttachedErrorReport(), nullptr) << "detached before its window goes";
}

}  // namespace
}  // namespace kv

namespace kv {
namespace {

TEST_F(StartupTest, LibraryAsksForTheActionsMenuAfterTwoSecondsUnlessItTakesItBack) {
    os.InstallCompanion();
    os.loop.SetRunLimit(9000);
    int step = 0;
    os.loop.StartTimer(1000, [&] {
        const WindowHandle app = os.desktop.FindTopLevelWindow(u"TApplication", u"Tolvex");
        if (step == 0) os.desktop.PostToWindow(app, msg::kActionsMenuTimerStart, 0, 0);  // at 1 s
        if (step == 4) os.desktop.PostToWindow(app, msg::kActionsMenuTimerStart, 0, 0);  // at 5 s
        if (step == 5) os.desktop.PostToWindow(app, msg::kActionsMenuTimerStop, 0, 0);   // at 6 s
        if (step == 8) {
            os.desktop.PostToWindow(os.desktop.FindTopLevelWindow(u"TFirstForm", u"KarmuxFirstForm"), win::kWmClose,
                                    0, 0);
        }
        ++step;
    });
    Start();
    ASSERT_EQ(windows.Menus().Popups().size(), 1u) << "the second request was taken back in time";
    EXPECT_EQ(windows.Menus().Popups()[0].images, MenuImageList::ActLang);
}

}  // namespace
}  // namespace kv

namespace kv {
namespace {

TEST_F(StartupTest, BugReportSwitchesTheSystemOffWhileTheMailDialogIsOpen) {
    os.InstallCompanion();
    os.loop.SetRunLimit(4000);
    bool activeDuringMail = true;
    os.shell.whileMailDialogOpen = [&] { activeDuringMail = shell->Parts()->engine.Switch().Active(); };
    bool reported = false;
    bool activeAfter = false;
    os.loop.StartTimer(1000, [&] {
        if (reported) return;
        reported = true;
        shell->ReportBug(u"Access violation");
        activeAfter = shell->Parts()->engine.Switch().Active();
        os.desktop.PostToWindow(os.desktop.FindTopLevelWindow(u"TFirstForm", u"KarmuxFirstForm"), win::kWmClose, 0, 0);
    });
    Start();
    ASSERT_EQ(os.shell.Mails().size(), 1u);
    EXPECT_EQ(os.shell.Mails()[0].to, u"support@tolvex.example");
    EXPECT_NE(os.shell.Mails()[0].body.find(u"Access violation"), std::u16string::npos);
    EXPECT_FALSE(activeDuringMail);
    EXPECT_TRUE(activeAfter) << "on again afterwards";
}

}  // namespace
}  // namespace kv

namespace kv {
namespace {

// The on-screen keyboard and the icon packs in the running program.
class KeyboardStartupTest : public StartupTest {
protected:
    KeyboardStartupTest() {
        os.InstallCompanion();
        os.desktop.SetVersion({win::kVerPlatformWin32Nt, 6, 1, 7601});
        fuzz::PackLayout windowsPack;
        windowsPack.entries = {{0x80, 'E', "Explorer"}};
        windowsPack.strip = fuzz::BitmapFile(16);
        os.files.AddFile(IconFolder(sim::SimPlatform::kAppFolder) + u"WinVista.pni", fuzz::PackFile(windowsPack));
    }
    void SetAutoHide(bool on) {
        os.registry.OpenCurrentUserKey(kProgramRegistryKey)->WriteDword(u"KeyboardAutoHide", on ? 1 : 0);
    }
    // What the program shows 500 ms after it started.
    void StartAndLook() {
        os.loop.SetRunLimit(1000);
        os.loop.StartTimer(500, [this] {
            if (looked || !shell || !shell->Parts()) return;
            looked = true;
            shown = windows.Keyboard().shown;
            drawing = shell->Parts()->model.keyboard.DrawEnabled();
            systemIcons = shell->Parts()->model.keyboard.SystemIcons();
            keyboardWidth = windows.Keyboard().bounds.Width();
            modelWidth = shell->Parts()->model.keyboard.Width();
        });
        Start();
        ASSERT_TRUE(looked);
    }
    bool looked = false, shown = false, drawing = false;
    const TKvIcons* systemIcons = nullptr;
    std::int32_t keyboardWidth = 0, modelWidth = 0;
};

TEST_F(KeyboardStartupTest, WithAutoHideOffTheKeyboardIsUpFromTheStartAtItsImageSize) {
    SetAutoHide(false);
    StartAndLook();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(drawing);
    EXPECT_GT(modelWidth, 0);
    EXPECT_EQ(keyboardWidth, modelWidth);
    EXPECT_EQ(windows.AttachedOnScreenKeyboard(), nullptr) << "detached at the way out";
}

TEST_F(KeyboardStartupTest, WithAutoHideOnItStaysHiddenAndDrawsNothing) {
    SetAutoHide(true);
    StartAndLook();
    EXPECT_FALSE(shown);
    EXPECT_FALSE(drawing);
}

TEST_F(KeyboardStartupTest, ThePackOfThisWindowsIsReadAtStartAndItsIconsGoToTheKeys) {
    StartAndLook();
    ASSERT_NE(systemIcons, nullptr);
    EXPECT_EQ(systemIcons->Name(), u"WinVista");
    EXPECT_TRUE(systemIcons->Loaded());
    EXPECT_TRUE(os.files.FileExists(app->appIni.DataFolder() + u"Icons.tmp")) << "the strip read last is cached";
}

TEST_F(KeyboardStartupTest, OptionChangesReachTheKeyboardWindows) {
    SetAutoHide(true);
    os.loop.SetRunLimit(1000);
    bool shownByOption = false;
    std::uint8_t backdrop = 0, keyboard = 0;
    os.loop.StartTimer(500, [&] {
        if (!shell || !shell->Parts() || backdrop != 0) return;
        TPreset& preset = app->preset;
        preset.SetKeyboardAutoHide(false);  // while the program is on: the keyboard comes up
        shownByOption = windows.Keyboard().shown;
        preset.SetThemeAlphaBlend(120);
        preset.SetThemeCommonAlphaBlend(230);
        backdrop = windows.Keyboard().backdropOpacity;
        keyboard = windows.Keyboard().keyboardOpacity;
    });
    Start();
    EXPECT_TRUE(shownByOption);
    EXPECT_EQ(backdrop, 120);
    EXPECT_EQ(keyboard, 230);
}

// The caret flag in the running program: the settings make its window, activation starts it at
// the caret of the application in front, option changes reach it, and it goes at the way out.
TEST_F(KeyboardStartupTest, TheCaretFlagFollowsItsOptionsAndSitsAtTheCaretOfTheApplicationInFront) {
    auto key = os.registry.OpenCurrentUserKey(kProgramRegistryKey);
    key->WriteDword(u"ShowCaretFlag", 1);
    key->WriteDword(u"CaretFlagAlphaBlend", 180);
    constexpr std::uint32_t kEditorThread = 77;
    const WindowHandle editor = os.desktop.CreateWindow(u"Edit", u"editor", 500, true);
    os.desktop.Find(editor)->threadId = kEditorThread;
    os.desktop.Find(editor)->bounds = Rect{100, 100, 400, 300};
    os.desktop.SetForeground(editor);
    os.desktop.SetCaret(kEditorThread, CaretInfo{editor, Rect{9, 10, 10, 26}, true});

    os.loop.SetRunLimit(1000);
    bool existed = false, freedByOption = false;
    Point placed{};
    int opacityAtStart = 0, opacityAfterChange = 0, made = 0;
    os.loop.StartTimer(500, [&] {
        if (!shell || !shell->Parts() || existed) return;
        sim::SimCaretFlagWindows::Window* flag = windows.CaretFlag().Open();
        existed = flag != nullptr;
        if (!flag) return;
        placed = flag->At();
        opacityAtStart = flag->Opacity();
        app->preset.SetCaretFlagAlphaBlend(255);
        opacityAfterChange = flag->Opacity();
        app->preset.SetShowCaretFlag(false);
        freedByOption = windows.CaretFlag().Open() == nullptr;
        app->preset.SetShowCaretFlag(true);
        made = windows.CaretFlag().Created();
    });
    Start();
    ASSERT_TRUE(existed);
    EXPECT_EQ(placed, (Point{110, 126})) << "below and right of the editor's caret";
    EXPECT_EQ(opacityAtStart, 180);
    EXPECT_EQ(opacityAfterChange, 255);
    EXPECT_TRUE(freedByOption);
    EXPECT_EQ(made, 2);
    EXPECT_EQ(windows.CaretFlag().Open(), nullptr) << "freed at the way out";
}

}  // namespace
}  // namespace kv
