#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>

#include "app/app_singletons.h"
#include "app/application_shell.h"
#include "dialogs/error_report.h"
#include "dialogs/never_ask_list.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "resources/kv_lang.h"
#include "sim_app_windows.h"
#include "sim_platform.h"
#include "../fuzz/never_ask_check.h"

namespace kv {
namespace {

// The dialog as the user would meet it: ShowModal runs the simulated loop, so timers tick in
// virtual time, until something closes it. `whileShown` stands for what happens meanwhile.
class FakeErrorReportWindow : public IErrorReportWindow {
public:
    explicit FakeErrorReportWindow(sim::SimClockAndLoop& loop) : loop_(loop) {}

    bool IsVisible() const override { return visible; }
    void SetCaption(std::u16string_view text) override { caption = text; }
    void SetMessageText(std::u16string_view text) override { message = text; }
    void SetCloseButtonText(std::u16string_view text) override {
        closeButton = text;
        if (visible) closeButtonWhileShown.emplace_back(text);
    }
    void SetSendButtonText(std::u16string_view text) override { sendButton = text; }
    void SetTerminateButtonText(std::u16string_view text) override { terminateButton = text; }
    void SetNeverAskText(std::u16string_view text) override { neverAskText = text; }
    bool NeverAskChecked() const override { return neverAskChecked; }
    void Repaint() override {}
    void ShowModal() override {
        visible = true;
        ++shows;
        shownAtMs = loop_.NowMs();
        if (whileShown) whileShown();
        // A dialog nobody closes would keep the test forever; ten minutes is far beyond any countdown.
        while (visible && loop_.NowMs() - shownAtMs < 600'000) {
            loop_.WaitForMessages(600'000);
            loop_.ProcessPendingMessages();
        }
        closedAfterMs = loop_.NowMs() - shownAtMs;
        visible = false;
    }
    void CloseModal() override {
        visible = false;
        ++closesWithOk;
    }

    std::function<void()> whileShown;
    bool visible = false;
    bool neverAskChecked = false;
    int shows = 0;
    int closesWithOk = 0;
    std::uint64_t shownAtMs = 0;
    std::uint64_t closedAfterMs = 0;
    std::u16string caption, message, closeButton, sendButton, terminateButton, neverAskText;
    std::vector<std::u16string> closeButtonWhileShown;

private:
    sim::SimClockAndLoop& loop_;
};

struct RecordingBugReporter : IBugReporter {
    void ReportBug(std::u16string_view errorText) override { reports.emplace_back(errorText); }
    std::vector<std::u16string> reports;
};

struct RecordingApplicationEnd : IApplicationEnd {
    void TerminateApplication() override { ++terminations; }
    int terminations = 0;
};

class ErrorReportTest : public ::testing::Test {
protected:
    ErrorReportTest() {
        os.files.CreateDirectoryTree(FolderOf(filePath));
        lang.SetText(9, u"Error");
        lang.SetText(105, u"Close");
        lang.SetText(301, u"%1 has encountered an error:\r\n%2");
        lang.SetText(305, u"Send a report.");
        lang.SetText(302, u"Report a Bug...");
        lang.SetText(303, u"Do not show this error again");
        lang.SetText(323, u"Exit");
    }

    // The report is created as the program creates it: the list loaded from whatever file exists.
    ErrorReport& Report() {
        if (!report) {
            neverAsk.Load();
            report = std::make_unique<ErrorReport>(window, lang, os.loop, neverAsk, bugs, end);
        }
        return *report;
    }
    std::vector<std::u16string> FileEntries() const {
        auto bytes = os.files.ReadWholeFile(filePath);
        return bytes ? DecodeNeverAskFile(*bytes) : std::vector<std::u16string>{};
    }
    // Closes the dialog at once, the check box as given.
    void CloseImmediately(bool neverAskChecked) {
        window.whileShown = [this, neverAskChecked] {
            window.neverAskChecked = neverAskChecked;
            window.CloseModal();
        };
    }

    const std::u16string filePath =
        std::u16string(sim::SimPlatform::kAppData) + u"\\OrlentaSoftware\\Karmux\\" + std::u16string(kNeverAskFileName);
    sim::SimPlatform os;
    TKvLang lang;
    FakeErrorReportWindow window{os.loop};
    NeverAskList neverAsk{os.files, os.desktop, filePath};
    RecordingBugReporter bugs;
    RecordingApplicationEnd end;
    std::unique_ptr<ErrorReport> report;
};

TEST_F(ErrorReportTest, ShowsTheLocalizedCaptionAndMessageWithTheProgramNameAndTheError) {
    CloseImmediately(false);
    Report().ShowErrorReport(u"Access violation at 0040");

    EXPECT_EQ(window.shows, 1);
    EXPECT_EQ(window.caption, u"Error");
    EXPECT_EQ(window.message, u"Tolvex has encountered an error:\r\nAccess violation at 0040\r\n\r\nSend a report.");
    EXPECT_EQ(window.sendButton, u"Report a Bug...");
    EXPECT_EQ(window.terminateButton, u"Exit");
    EXPECT_EQ(window.neverAskText, u"Do not show this error again");
    EXPECT_FALSE(os.files.FileExists(filePath)) << "an unchecked box writes nothing";
}

TEST_F(ErrorReportTest, AMessageInTheFileInAnyLetterCaseShowsNoDialog) {
    const struct {
        std::u16string stored, reported;
    } cases[] = {
        {u"Disk full", u"DISK FULL"},
        {u"cannot OPEN the file", u"Cannot open the File"},
        {u"Ошибка записи", u"ОШИБКА ЗАПИСИ"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Utf16ToUtf8(c.reported));
        os.files.AddFile(filePath, Utf16ToUtf8(u"First entry\r\n" + c.stored + u"\r\n"));
        report.reset();
        window.shows = 0;
        Report().ShowErrorReport(c.reported);
        EXPECT_EQ(window.shows, 0);
        EXPECT_EQ(Report().ReportedMessage(), c.reported);
    }
}

TEST_F(ErrorReportTest, CheckingNeverAskStoresTheMessageAndItIsNotShownAgainAfterARestart) {
    CloseImmediately(true);
    Report().ShowErrorReport(u"Line one\r\nC:\\path\\file");
    EXPECT_EQ(FileEntries(), std::vector<std::u16string>{u"Line one\r\nC:\\path\\file"})
        << "a message of several lines stays one entry";

    report.reset();
    window.shows = 0;
    Report().ShowErrorReport(u"line ONE\r\nc:\\PATH\\file");
    EXPECT_EQ(window.shows, 0);
}

TEST_F(ErrorReportTest, TheHundredAndFirstSuppressedMessageDropsTheOldestEntry) {
    std::string file;
    for (int i = 1; i <= 100; ++i) file += "Error " + std::to_string(i) + "\r\n";
    os.files.AddFile(filePath, file);
    CloseImmediately(true);

    Report().ShowErrorReport(u"Error 101");

    const auto entries = FileEntries();
    ASSERT_EQ(entries.size(), 100u);
    EXPECT_EQ(entries.front(), u"Error 2");
    EXPECT_EQ(entries.back(), u"Error 101");
}

TEST_F(ErrorReportTest, ASecondErrorWhileTheDialogIsUpIsDropped) {
    window.whileShown = [this] {
        report->ShowErrorReport(u"second");
        window.CloseModal();
    };
    Report().ShowErrorReport(u"first");

    EXPECT_EQ(window.shows, 1);
    EXPECT_EQ(Report().ReportedMessage(), u"first");
    EXPECT_NE(window.message.find(u"first"), std::u16string::npos);
}

TEST_F(ErrorReportTest, UntouchedTheDialogCountsFiftyNineDownToOneAndClosesWithOkAfterSixtySeconds) {
    Report().ShowErrorReport(u"boom");

    std::vector<std::u16string> expected;
    for (int n = 59; n >= 1; --n) expected.push_back(u"Close (" + Utf8ToUtf16(std::to_string(n)) + u")");
    expected.push_back(u"Close");
    EXPECT_EQ(window.closeButtonWhileShown, expected);
    EXPECT_EQ(window.closesWithOk, 1);
    EXPECT_EQ(window.closedAfterMs, 60'000u);
    EXPECT_EQ(os.loop.ActiveTimers(), 0u) << "the close timer stops with the dialog";
}

TEST_F(ErrorReportTest, EachShowingStartsTheCountdownAfresh) {
    window.whileShown = [this] {
        os.loop.Sleep(10'500);  // the user reads for a while, then closes
        os.loop.ProcessPendingMessages();
        os.loop.WaitForMessages(1000);
        os.loop.ProcessPendingMessages();
        window.CloseModal();
    };
    Report().ShowErrorReport(u"one");
    ASSERT_FALSE(window.closeButtonWhileShown.empty());

    window.closeButtonWhileShown.clear();
    window.whileShown = nullptr;
    Report().ShowErrorReport(u"two");
    ASSERT_EQ(window.closeButtonWhileShown.size(), 60u);
    EXPECT_EQ(window.closeButtonWhileShown.front(), u"Close (59)");
}

TEST_F(ErrorReportTest, SendReportsTheShownMessageAndKeepsTheDialogOpen) {
    window.whileShown = [this] {
        report->SendReport();
        EXPECT_TRUE(window.visible);
        window.CloseModal();
    };
    Report().ShowErrorReport(u"Stream read error");
    EXPECT_EQ(bugs.reports, std::vector<std::u16string>{u"Stream read error"});
}

TEST_F(ErrorReportTest, TerminateEndsTheApplicationAndTheDialog) {
    window.whileShown = [this] { report->TerminateApplication(); };
    Report().ShowErrorReport(u"fatal");
    EXPECT_EQ(end.terminations, 1);
    EXPECT_EQ(window.closedAfterMs, 0u);
}

TEST_F(ErrorReportTest, AFileThatCannotBeWrittenDoesNotRaise) {
    NeverAskList unwritable(os.files, os.desktop, u"Z:\\no\\NeverAskBug.txt");
    ErrorReport other(window, lang, os.loop, unwritable, bugs, end);
    CloseImmediately(true);
    EXPECT_NO_THROW(other.ShowErrorReport(u"x"));
    EXPECT_TRUE(unwritable.Contains(u"X")) << "kept for this run even so";
}

TEST(NeverAskFileTest, EveryMessageRoundTrips) {
    const std::vector<std::u16string> entries{
        u"plain", u"Cannot open C:\\new\\report.txt", u"back\\slash \\n \\\\ \\r literal", u"two\r\nlines",
        u"lone\rreturn and\nnewline\n", u"\r\n", u"", u"\x01starts with the marker", u"\xFEFFstarts with a mark",
        u"ünïcode"};
    const std::string written = EncodeNeverAskFile(entries);
    EXPECT_EQ(DecodeNeverAskFile(written), entries);
    EXPECT_TRUE(written.starts_with("plain\r\nCannot open C:\\new\\report.txt\r\nback\\slash \\n \\\\ \\r literal\r\n"))
        << "one-line messages are written as they are: " << written;
}

TEST(NeverAskFileTest, AFileOfPlainLinesReadsExactly) {
    // As written by hand or by an earlier version: any line end, a byte order mark, backslashes.
    EXPECT_EQ(DecodeNeverAskFile("\xEF\xBB\xBF" "a\nb\rc\r\nC:\\Temp\\x\r\nCannot open C:\\new\\report.txt\r\n"
                                 "\\\\server\\share \\r\\n"),
              (std::vector<std::u16string>{u"a", u"b", u"c", u"C:\\Temp\\x", u"Cannot open C:\\new\\report.txt",
                                           u"\\\\server\\share \\r\\n"}));
}

TEST(NeverAskFileTest, MalformedTextReadsAsReplacementCharacters) {
    // A lead byte past the last code point, and an encoded surrogate.
    EXPECT_EQ(DecodeNeverAskFile("a\xF6\x8D\xFE\x9E" "b\r\n\xED\xA0\x80"),
              (std::vector<std::u16string>{u"a\xFFFD" u"b", u"\xFFFD"}));
}

// Inputs the fuzzer once broke on, or that probe the edges of the format, stay fixed.
TEST(NeverAskFileTest, KeptFuzzInputsStillHold) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::path(__FILE__).parent_path().parent_path() / "fuzz" / "regressions" / "never_ask_fuzzer";
    ASSERT_TRUE(fs::is_directory(folder)) << folder;
    std::size_t replayed = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(fuzz::NeverAskFileViolation(bytes), "") << entry.path().filename();
        ++replayed;
    }
    EXPECT_GT(replayed, 0u);
}

// The shell hands every exception that reaches the message loop to the error report.
TEST(ShellErrorReportTest, AnUnhandledExceptionIsLoggedAndReported) {
    struct RecordingSink : IErrorReportSink {
        void ShowErrorReport(std::u16string_view message) override { messages.emplace_back(message); }
        std::vector<std::u16string> messages;
    } sink;
    sim::SimPlatform os;
    os.desktop.SetArguments({u"/debug"});
    AppSingletons app(os.platform);
    sim::SimAppWindows windows(os.desktop);
    ApplicationShell shell(app, windows);
    windows.UseLanguage(app.lang);

    shell.OnUnhandledException(u"before");
    shell.SetErrorReport(&sink);
    shell.OnUnhandledException(u"List index out of bounds (5)");

    EXPECT_EQ(sink.messages, std::vector<std::u16string>{u"List index out of bounds (5)"});
    ASSERT_FALSE(app.log.Lines().empty());
    EXPECT_NE(app.log.Lines().back().find(u" : Exception : List index out of bounds (5)"), std::u16string::npos);
}

}  // namespace
}  // namespace kv
