#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/waits.h"
#include "dialogs/error_report.h"
#include "dialogs/never_ask_list.h"
#include "dialogs/running_line.h"
#include "dialogs/wait_dialog.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_text.h"
#include "resources/kv_lang.h"
#include "win32/error_report_window.h"
#include "win32/message_window.h"
#include "win32/wait_window.h"

namespace kv {
namespace {

using namespace std::chrono_literals;

// Far above what any awaited event takes, even on a loaded machine; a test never waits it out
// unless it is about to fail.
constexpr std::uint32_t kEventBoundMs = 20'000;
constexpr auto kEventBound = std::chrono::milliseconds(kEventBoundMs);
// How often a probe looks at a modal dialog while its loop runs.
constexpr std::uint32_t kProbeIntervalMs = 20;

std::u16string TextOf(HWND window) {
    wchar_t buffer[512] = {};
    GetWindowTextW(window, buffer, 512);
    return win32::FromWide(buffer);
}

struct ClassSearch {
    const wchar_t* className;
    bool visibleOnly = true;
    int count = 0;
};

BOOL CALLBACK CountOfClass(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<ClassSearch*>(context);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if ((!search->visibleOnly || IsWindowVisible(window)) && lstrcmpW(name, search->className) == 0) ++search->count;
    return TRUE;
}

// Windows of this thread only: ctest runs other test processes with the same windows meanwhile.
int VisibleThreadWindowsOfClass(const wchar_t* className) {
    ClassSearch search{className};
    EnumThreadWindows(GetCurrentThreadId(), CountOfClass, reinterpret_cast<LPARAM>(&search));
    return search.count;
}

int ThreadWindowsOfClass(const wchar_t* className) {
    ClassSearch search{className, false};
    EnumThreadWindows(GetCurrentThreadId(), CountOfClass, reinterpret_cast<LPARAM>(&search));
    return search.count;
}

// Looks at a modal dialog while its loop runs, then gives up after the bound: `giveUp` must
// close the dialog, so a dialog that never does what the test awaits still returns.
class ModalProbe {
public:
    ModalProbe(IMessageLoop& loop, std::function<void()> look, std::function<void()> giveUp)
        : loop_(loop),
          look_(loop.StartTimer(kProbeIntervalMs, std::move(look))),
          bound_(loop.StartTimer(kEventBoundMs, [this, giveUp = std::move(giveUp)] {
              loop_.StopTimer(bound_);
              gaveUp_ = true;
              giveUp();
          })) {}
    ~ModalProbe() {
        loop_.StopTimer(look_);
        if (!gaveUp_) loop_.StopTimer(bound_);
    }
    bool GaveUp() const { return gaveUp_; }

private:
    IMessageLoop& loop_;
    TimerId look_;
    TimerId bound_;
    bool gaveUp_ = false;
};

class WaitWindowTest : public ::testing::Test {
protected:
    win32::Win32Platform os;
};

TEST_F(WaitWindowTest, TheLineKeepsRunningWhileTheGuiThreadIsBlockedAndItsThreadEndsWhenStopped) {
    win32app::WaitWindow window(os.loop, nullptr);
    window.SetMessageText(u"Loading Settings.\r\nPlease wait...");
    window.ShowModeless();
    window.StartRunningLine();
    ASSERT_TRUE(window.RunningLineActive());

    // The GUI thread waits here and dispatches nothing.
    EXPECT_TRUE(window.WaitForFrames(3, kEventBound)) << window.RunningLineFrames();

    window.StopRunningLine();
    EXPECT_FALSE(window.RunningLineActive());
    const int frames = window.RunningLineFrames();
    EXPECT_FALSE(window.WaitForFrames(frames + 1, 300ms)) << "no frame after the thread was stopped";

    // What the thread drew last is on the window: the picture shifted right by that frame's offset.
    const int width = 340;
    const int offset = window.LastDrawnOffset();
    const win32::WindowDc dc(window.Handle());
    int matching = 0, sampled = 0;
    for (int x = 0; x < width; x += 17) {
        const int source = ((x - offset) % width + width) % width;
        matching += GetPixel(dc.Get(), x, win32app::WaitWindow::kLogoHeight + 1) ==
                    win32app::WaitWindow::LinePictureColor(source, width);
        ++sampled;
    }
    EXPECT_EQ(matching, sampled) << "offset " << offset;
}

TEST_F(WaitWindowTest, DestroyingTheWindowWhileTheLineRunsJoinsItsThreadPromptly) {
    // Left hidden: Wine without a window manager spends two seconds unmapping a shown window,
    // which would hide the time the join takes.
    auto window = std::make_unique<win32app::WaitWindow>(os.loop, nullptr);
    window->StartRunningLine();
    ASSERT_TRUE(window->WaitForFrames(1, kEventBound));

    // A line thread that waited for the GUI thread would hang here, and ctest's time-out says so.
    const HWND handle = window->Handle();
    window.reset();
    EXPECT_FALSE(IsWindow(handle));
}

TEST_F(WaitWindowTest, ShowWaitTwiceShowsOneWindowWithTheSecondTextAndCloseWaitRemovesIt) {
    win32app::Win32WaitWindows windows(os.loop, nullptr);
    TKvLang lang;
    WaitDialog wait(windows, lang);

    wait.ShowWait(u"first");
    ASSERT_TRUE(PumpUntil(os.platform, kEventBoundMs, [] { return VisibleThreadWindowsOfClass(L"TKvMessageWaitForm") > 0; }));
    wait.ShowWait(u"second");
    os.loop.ProcessPendingMessages();
    EXPECT_EQ(VisibleThreadWindowsOfClass(L"TKvMessageWaitForm"), 1);

    wait.CloseWait();
    EXPECT_TRUE(PumpUntil(os.platform, kEventBoundMs, [] { return VisibleThreadWindowsOfClass(L"TKvMessageWaitForm") == 0; }));
    EXPECT_EQ(ThreadWindowsOfClass(L"TKvMessageWaitForm"), 0) << "destroyed, not only hidden";
}

struct CountingApplicationEnd : IApplicationEnd {
    void TerminateApplication() override { ++terminations; }
    int terminations = 0;
};
struct RecordingBugReporter : IBugReporter {
    void ReportBug(std::u16string_view text) override { reports.emplace_back(text); }
    std::vector<std::u16string> reports;
};

// The error report on the desktop, its never-ask file in a scratch folder.
class ErrorReportWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder_ = win32::FromWide(temp) + u"kv_dialogs_test_" + win32::FromWide(std::to_wstring(GetCurrentProcessId())) + u"\\";
        ASSERT_TRUE(os.files.CreateDirectoryTree(folder_));
        DeleteFileW(win32::W(FilePath()));
        lang.SetText(9, u"Error");
        lang.SetText(105, u"Close");
        neverAsk = std::make_unique<NeverAskList>(os.files, os.system, FilePath());
        neverAsk->Load();
        window = std::make_unique<win32app::ErrorReportWindow>(os.loop, nullptr);
        report = std::make_unique<ErrorReport>(*window, lang, os.loop, *neverAsk, bugs, end);
        window->onSend = [this] { report->SendReport(); };
        window->onTerminate = [this] { report->TerminateApplication(); };
    }
    void TearDown() override {
        report.reset();
        window.reset();
        DeleteFileW(win32::W(FilePath()));
        RemoveDirectoryW(win32::W(folder_));
    }
    std::u16string FilePath() const { return folder_ + u"NeverAskBug.txt"; }
    void PostClick(win32app::ErrorReportWindow::ControlId id) {
        PostMessageW(window->Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(window->Control(id)));
    }

    win32::Win32Platform os;
    TKvLang lang;
    std::u16string folder_;
    std::unique_ptr<NeverAskList> neverAsk;
    std::unique_ptr<win32app::ErrorReportWindow> window;
    RecordingBugReporter bugs;
    CountingApplicationEnd end;
    std::unique_ptr<ErrorReport> report;
};

TEST_F(ErrorReportWindowTest, CountsDownWhileModalAndClosesOnTheCloseButton) {
    // The first caption the countdown gives the button, then Send and Close.
    std::u16string closeCaptionSeen;
    bool visibleWhileShown = false;
    auto clickSendAndClose = [&] {
        PostClick(win32app::ErrorReportWindow::kSendButton);
        PostClick(win32app::ErrorReportWindow::kCloseButton);
    };
    ModalProbe probe(
        os.loop,
        [&] {
            const std::u16string caption = TextOf(window->Control(win32app::ErrorReportWindow::kCloseButton));
            if (!closeCaptionSeen.empty() || caption == u"Close") return;
            closeCaptionSeen = caption;
            visibleWhileShown = IsWindowVisible(window->Handle()) != 0;
            clickSendAndClose();
        },
        clickSendAndClose);
    report->ShowErrorReport(u"Access violation");

    EXPECT_FALSE(probe.GaveUp()) << "the countdown never started";
    EXPECT_TRUE(visibleWhileShown);
    EXPECT_EQ(closeCaptionSeen, u"Close (59)");
    EXPECT_EQ(bugs.reports, std::vector<std::u16string>{u"Access violation"});
    EXPECT_FALSE(IsWindowVisible(window->Handle())) << "closing hides it";
    EXPECT_TRUE(IsWindow(window->Handle())) << "and keeps it for the next error";
    EXPECT_EQ(TextOf(window->Handle()), u"Error");
    EXPECT_NE(TextOf(window->Control(win32app::ErrorReportWindow::kMessageLabel)).find(u"Tolvex"), std::u16string::npos);
    EXPECT_FALSE(os.files.FileExists(FilePath()));
}

TEST_F(ErrorReportWindowTest, ACheckedNeverAskBoxStoresTheMessageAndTheNextReportOfItShowsNothing) {
    PostMessageW(window->Control(win32app::ErrorReportWindow::kNeverAskBox), BM_SETCHECK, BST_CHECKED, 0);
    PostClick(win32app::ErrorReportWindow::kCloseButton);
    report->ShowErrorReport(u"Disk full");
    ASSERT_TRUE(os.files.FileExists(FilePath()));
    EXPECT_EQ(DecodeNeverAskFile(*os.files.ReadWholeFile(FilePath())), std::vector<std::u16string>{u"Disk full"});

    PostClick(win32app::ErrorReportWindow::kCloseButton);
    report->ShowErrorReport(u"DISK FULL");
    MSG left{};
    EXPECT_TRUE(PeekMessageW(&left, window->Handle(), WM_COMMAND, WM_COMMAND, PM_REMOVE))
        << "no modal loop ran, so the click is still queued";
}

TEST_F(ErrorReportWindowTest, TerminateEndsTheApplicationAndClosesTheDialog) {
    PostClick(win32app::ErrorReportWindow::kTerminateButton);
    // Far below the countdown's minute, which would close it anyway.
    ModalProbe probe(os.loop, [] {}, [&] { PostClick(win32app::ErrorReportWindow::kCloseButton); });
    report->ShowErrorReport(u"fatal");
    EXPECT_EQ(end.terminations, 1);
    EXPECT_FALSE(probe.GaveUp()) << "Terminate left the dialog open";
    EXPECT_FALSE(IsWindowVisible(window->Handle()));
}

TEST(MessageWindowTest, TheOkButtonCountsDownAndClosesTheDialogWithOk) {
    win32::Win32Platform os;
    TKvLang lang;
    lang.SetText(101, u"OK");
    lang.SetText(102, u"Cancel");
    win32app::MessageWindow window(os.loop, nullptr, lang);
    EXPECT_EQ(TextOf(window.Control(win32app::MessageWindow::kCancelButton)), u"Cancel");

    // Every caption the button shows while the dialog is open, in order.
    std::vector<std::u16string> okSeen;
    ModalProbe probe(
        os.loop,
        [&] {
            if (!IsWindowVisible(window.Handle())) return;
            const std::u16string caption = TextOf(window.Control(win32app::MessageWindow::kOkButton));
            if (okSeen.empty() || okSeen.back() != caption) okSeen.push_back(caption);
        },
        [&] { PostMessageW(window.Handle(), WM_CLOSE, 0, 0); });
    const int result = window.ShowModal(u"Message", 2);

    EXPECT_EQ(result, IDOK) << "closed by the countdown, not by the bound";
    EXPECT_EQ(okSeen, (std::vector<std::u16string>{u"OK", u"OK (1)"})) << "closed after the second tick, not before";
    EXPECT_EQ(TextOf(window.Control(win32app::MessageWindow::kOkButton)), u"OK");
    EXPECT_FALSE(IsWindowVisible(window.Handle()));
}

}  // namespace
}  // namespace kv
