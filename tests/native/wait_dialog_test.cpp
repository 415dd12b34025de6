#include <gtest/gtest.h>

#include <memory>

#include "dialogs/running_line.h"
#include "dialogs/wait_dialog.h"
#include "resources/kv_lang.h"

namespace kv {
namespace {

// Records what happens to the wait windows it creates, including after they are gone.
class FakeWaitWindows : public IWaitWindows {
public:
    struct Record {
        std::u16string text;
        int shows = 0;
        int runningLineStarts = 0;
        int centrings = 0;
        bool destroyed = false;
    };

    std::unique_ptr<IWaitWindow> CreateWaitWindow() override {
        records.push_back(std::make_unique<Record>());
        return std::make_unique<Window>(*records.back());
    }
    void RepaintActiveForm() override {
        ++activeFormRepaints;
        if (activeFormFails) throw std::runtime_error("no canvas");
    }
    std::size_t OpenWindows() const {
        std::size_t n = 0;
        for (const auto& r : records) n += !r->destroyed;
        return n;
    }

    std::vector<std::unique_ptr<Record>> records;
    int activeFormRepaints = 0;
    bool activeFormFails = false;

private:
    class Window : public IWaitWindow {
    public:
        explicit Window(Record& record) : r_(record) {}
        ~Window() override { r_.destroyed = true; }
        void CenterOnWorkArea() override { ++r_.centrings; }
        void SetMessageText(std::u16string_view text) override { r_.text = text; }
        void StartRunningLine() override { ++r_.runningLineStarts; }
        void ShowModeless() override { ++r_.shows; }
        void Repaint() override {}

    private:
        Record& r_;
    };
};

class WaitDialogTest : public ::testing::Test {
protected:
    TKvLang lang;
    FakeWaitWindows windows;
    WaitDialog wait{windows, lang};
};

TEST_F(WaitDialogTest, ShowWaitTwiceKeepsOneDialogShowingTheSecondText) {
    wait.ShowWait(u"Checking for updates");
    wait.ShowWait(u"Opening settings");

    ASSERT_EQ(windows.records.size(), 1u);
    EXPECT_EQ(windows.records[0]->text, u"Opening settings");
    EXPECT_EQ(windows.records[0]->shows, 2);
    EXPECT_EQ(windows.records[0]->centrings, 2);
    EXPECT_EQ(windows.activeFormRepaints, 2);
}

TEST_F(WaitDialogTest, CloseWaitDestroysTheDialogAndTheNextShowCreatesANewOne) {
    wait.CloseWait();  // nothing to close
    wait.ShowWait(u"a");
    EXPECT_TRUE(wait.Exists());
    wait.CloseWait();
    EXPECT_FALSE(wait.Exists());
    EXPECT_TRUE(windows.records[0]->destroyed);
    wait.ShowWait(u"b");
    EXPECT_EQ(windows.records.size(), 2u);
    EXPECT_EQ(windows.OpenWindows(), 1u);
}

TEST_F(WaitDialogTest, LoadingWaitNamesWhatLoadsAndAsksToWaitOnTheNextLine) {
    lang.SetText(67, u"Loading %1");
    lang.SetText(68, u"Please wait...");
    wait.ShowLoadingWait(u"Settings");
    ASSERT_EQ(windows.records.size(), 1u);
    EXPECT_EQ(windows.records[0]->text, u"Loading Settings.\r\nPlease wait...");
    EXPECT_EQ(windows.records[0]->runningLineStarts, 1);
}

TEST_F(WaitDialogTest, AnActiveFormThatCannotRepaintDoesNotStopTheNotice) {
    windows.activeFormFails = true;
    wait.ShowWait(u"busy");
    ASSERT_EQ(windows.records.size(), 1u);
    EXPECT_EQ(windows.records[0]->shows, 1);
}

TEST(RunningLineTest, CopiesThePictureShiftedRightWithItsEndWrappedToTheLeft) {
    const RunningLineFrame frame = RunningLineAt(30, 340);
    EXPECT_EQ(frame.offset, 30);
    EXPECT_EQ(frame.headSource, (LineSpan{0, 310}));
    EXPECT_EQ(frame.headTarget, (LineSpan{30, 340}));
    EXPECT_EQ(frame.tailSource, (LineSpan{310, 340}));
    EXPECT_EQ(frame.tailTarget, (LineSpan{0, 30}));
    EXPECT_EQ(frame.nextOffset, 40);
}

TEST(RunningLineTest, OffsetsAdvanceTenPixelsAndWrapOncePastTheWidth) {
    const struct {
        int width;
        int frames;
        std::vector<int> expectedTail;  // the offsets of the last frames drawn
    } cases[] = {
        {340, 36, {330, 340, 0}},     // 340 itself is still drawn, 350 is past the width
        {335, 35, {320, 330, 0}},     // a width that is not a multiple of the step
        {10, 5, {0, 10, 0, 10, 0}},  // a line barely wider than the step
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        std::vector<int> drawn;
        int offset = 0;
        for (int i = 0; i < c.frames; ++i) {
            const RunningLineFrame frame = RunningLineAt(offset, c.width);
            EXPECT_EQ(frame.headTarget.Width() + frame.tailTarget.Width(), c.width) << "the whole line is drawn";
            EXPECT_EQ(frame.headSource.Width(), frame.headTarget.Width());
            EXPECT_EQ(frame.tailSource.Width(), frame.tailTarget.Width());
            drawn.push_back(frame.offset);
            offset = frame.nextOffset;
        }
        EXPECT_EQ(std::vector<int>(drawn.end() - static_cast<long>(c.expectedTail.size()), drawn.end()), c.expectedTail);
    }
}

}  // namespace
}  // namespace kv
