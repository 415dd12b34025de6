// The caret flag on the virtual clock: it appears just below and to the right of the editor's
// caret after a key, follows it at the follow interval, settles on a still caret and slows down,
// goes when a caret that must blink stops, shows only on changes in the on-change mode, gets out
// of the mouse's way, and finds a caret the application draws itself through accessibility.
#include <gtest/gtest.h>

#include "common/waits.h"
#include "counting_allocator.h"
#include "indicators/caret_flag.h"
#include "indicators/caret_locator.h"
#include "keyboard_engine_fixture.h"
#include "resources/lang_flags.h"
#include "sim_caret_flag_windows.h"

namespace kv {
namespace {

using test::EngineWorld;

constexpr std::uint8_t kKeyA = 0x41;
constexpr Rect kEditorBounds{100, 200, 700, 600};

struct Speed {
    bool fast;
    std::uint32_t followMs;
    std::uint32_t settleMs;
    std::uint32_t slowedMs;
};
// Both speeds settle in the same 1100 ms: 10 settle ticks then 6 slowed ones when fast, 5 then 3
// when slow.
constexpr Speed kFast{true, 250, 50, 100};
constexpr Speed kSlow{false, 500, 100, 200};
constexpr std::uint32_t kSettleMs = 1100;
constexpr std::uint32_t kShowDelayMs = 10;

class ProgramOn final : public IProgramState {
public:
    explicit ProgramOn(EngineWorld& w) : w_(w) {}
    bool StartupComplete() const override { return true; }
    bool ProgramActive() const override { return w_.engine->Switch().Active(); }

private:
    EngineWorld& w_;
};

class CaretFlagStory : public ::testing::Test {
protected:
    CaretFlagStory()
        : program(w),
          locator(w.os.platform, w.os.accessibility),
          flag(CaretFlagServices{w.Preset(), program, w.os.loop, locator, windows, application,
                                 [this] { return w.Model().Layout(); }}) {
        w.caretFlag.Attach(&flag);
        editor = w.editor->Window();
        w.os.desktop.Find(editor)->bounds = kEditorBounds;
        PlaceCaret(40, 20, 16, true);
    }
    ~CaretFlagStory() override { w.caretFlag.Attach(nullptr); }

    void SetUp() override {
        // As the settings load does with "ShowCaretFlag" on, before the program is switched on.
        w.Preset().SetShowCaretFlag(true);
        flag.ShowCaretFlag(false);
        ASSERT_TRUE(w.Activate());
    }

    // The editor's caret: its right edge `x` and top `y` in client coordinates.
    void PlaceCaret(std::int32_t x, std::int32_t y, std::int32_t height, bool blinking) {
        w.os.desktop.SetCaret(sim::SimForegroundApp::kThreadId, CaretInfo{editor, Rect{x - 1, y, x, y + height}, blinking});
    }
    // Where the flag belongs for that caret: its bottom-right corner on the screen.
    static Point Below(std::int32_t x, std::int32_t y, std::int32_t height) {
        return Point{kEditorBounds.left + x, kEditorBounds.top + y + height};
    }
    void Pass(std::uint32_t ms) { PumpUntil(w.os.platform, ms, [] { return false; }); }
    void Key(std::uint8_t vk = kKeyA) { w.os.driver.Tap(vk); }
    bool Shown() const { return windows.Open() && windows.Open()->OnScreen(); }
    Point FlagAt() const { return windows.Open()->At(); }
    // The flag followed a still caret, so that it stands where its last position was applied.
    void FollowStillCaret(const Speed& speed) {
        Key();
        Pass(kShowDelayMs);
        ASSERT_TRUE(Shown());
        Pass(speed.followMs);
    }

    EngineWorld w;
    sim::SimCaretFlagWindows windows;
    ForegroundFlags application;
    ProgramOn program;
    CaretLocator locator;
    CaretFlag flag;
    WindowHandle editor = kNoWindow;
};

class CaretFlagSpeeds : public CaretFlagStory, public ::testing::WithParamInterface<Speed> {
protected:
    void SetUp() override {
        w.Preset().SetFastCaretFlag(GetParam().fast);
        CaretFlagStory::SetUp();
    }
};

INSTANTIATE_TEST_SUITE_P(FastAndSlow, CaretFlagSpeeds, ::testing::Values(kFast, kSlow),
                         [](const auto& info) { return std::string(info.param.fast ? "Fast" : "Slow"); });

TEST_P(CaretFlagSpeeds, AKeyPlacesTheFlagAtTheCaretAndItFollowsTheCaretAtTheFollowInterval) {
    const Speed speed = GetParam();
    Key();
    Pass(kShowDelayMs - 1);
    Pass(1);
    ASSERT_TRUE(Shown());
    EXPECT_EQ(FlagAt(), Below(40, 20, 16));

    PlaceCaret(48, 20, 16, true);  // the user typed a letter: the caret moved right
    Pass(speed.followMs - 1);
    EXPECT_EQ(FlagAt(), Below(40, 20, 16)) << "not looked at again before the follow interval";
    Pass(1);
    EXPECT_EQ(FlagAt(), Below(48, 20, 16));

    PlaceCaret(2, 36, 16, true);  // Enter: a new line
    Pass(speed.followMs);
    EXPECT_EQ(FlagAt(), Below(2, 36, 16));
    PlaceCaret(30, 36, 16, true);  // End
    Pass(speed.followMs);
    EXPECT_EQ(FlagAt(), Below(30, 36, 16));
}

TEST_P(CaretFlagSpeeds, OnAStillCaretTheFlagSettlesSlowsDownAndHidesWhenTheCaretDoesNotBlink) {
    const Speed speed = GetParam();
    FollowStillCaret(speed);
    PlaceCaret(40, 20, 16, false);
    // A keep-position request (a library notification) with the caret where the flag is.
    w.caretFlag.CaretFlagOn(true);
    Pass(kShowDelayMs);
    Pass(kSettleMs - 1);
    EXPECT_TRUE(Shown()) << "still settling";
    Pass(1);
    EXPECT_FALSE(Shown()) << "the settle ticks ran out and the caret does not blink";
    const std::size_t moves = windows.Moves().size();
    Pass(2000);
    EXPECT_EQ(windows.Moves().size(), moves) << "stopped: nothing looks at the caret any more";
}

TEST_P(CaretFlagSpeeds, ACaretMovingAfterTheSlowDownPointIsSeenOnlyAtTheSlowedInterval) {
    const Speed speed = GetParam();
    FollowStillCaret(speed);
    w.caretFlag.CaretFlagOn(true);
    Pass(kShowDelayMs);
    // The countdown reaches the slow-down point 500 ms into settling at either speed.
    Pass(500);
    PlaceCaret(90, 20, 16, true);
    Pass(speed.settleMs);
    EXPECT_EQ(FlagAt(), Below(40, 20, 16)) << "a settle interval is no longer enough";
    Pass(speed.slowedMs - speed.settleMs);
    EXPECT_EQ(FlagAt(), Below(90, 20, 16));
    // Moved: the flag follows again at the follow interval.
    PlaceCaret(120, 20, 16, true);
    Pass(speed.slowedMs + speed.followMs);
    EXPECT_EQ(FlagAt(), Below(120, 20, 16));
}

TEST_P(CaretFlagSpeeds, ABlinkingCaretKeepsTheFlagFollowingAfterSettling) {
    const Speed speed = GetParam();
    FollowStillCaret(speed);
    w.caretFlag.CaretFlagOn(true);
    Pass(kShowDelayMs + kSettleMs + speed.followMs);
    ASSERT_TRUE(Shown());
    PlaceCaret(70, 52, 16, true);
    Pass(speed.followMs);
    EXPECT_EQ(FlagAt(), Below(70, 52, 16));
}

TEST_F(CaretFlagStory, ForAnApplicationWhoseCaretMustBlinkTheFlagShowsOnlyWhileItBlinks) {
    application.CaretNeedsBlink = true;
    PlaceCaret(40, 20, 16, false);
    Key();
    Pass(kShowDelayMs);
    EXPECT_FALSE(Shown());

    PlaceCaret(40, 20, 16, true);
    Key();
    Pass(kShowDelayMs);
    ASSERT_TRUE(Shown());
    EXPECT_EQ(FlagAt(), Below(40, 20, 16));
    // Re-placed on every look, although the caret stands still.
    windows.ForgetMoves();
    Pass(kFast.followMs * 3);
    EXPECT_EQ(windows.Moves().size(), 3u);

    PlaceCaret(40, 20, 16, false);
    Pass(kFast.followMs);
    EXPECT_FALSE(Shown());
}

TEST_F(CaretFlagStory, ACaretOfZeroHeightNeverShowsTheFlag) {
    PlaceCaret(40, 20, 0, true);
    Key();
    Pass(2000);
    EXPECT_FALSE(Shown());
}

TEST_F(CaretFlagStory, TheMouseOnTheFlagHidesItUntilTheNextKey) {
    Key();
    Pass(kShowDelayMs);
    ASSERT_TRUE(Shown());
    windows.Open()->MouseOver();
    EXPECT_FALSE(Shown());
    PlaceCaret(90, 20, 16, true);
    Pass(2000);
    EXPECT_FALSE(Shown()) << "both timers stopped";
    Key();
    Pass(kShowDelayMs);
    EXPECT_TRUE(Shown());
    EXPECT_EQ(FlagAt(), Below(90, 20, 16));
}

TEST_F(CaretFlagStory, InTheOnChangeModeTheFlagShowsOnALayoutOrWindowChangeAndGoesAtTheNextKey) {
    w.Preset().SetShowCaretFlagOnChange(true);
    Key();
    Pass(1000);
    EXPECT_FALSE(Shown()) << "typing alone shows nothing";

    // A hotkey switched the editor to Russian: the flag jumps to the caret with the new flag.
    w.engine->Switcher().OnLayoutReported(sim::kLayoutRu);
    ASSERT_TRUE(Shown());
    EXPECT_EQ(FlagAt(), Below(40, 20, 16));
    EXPECT_EQ(windows.Open()->Flag(), LangFlagIndex(static_cast<std::uint32_t>(sim::kLayoutRu)));
    Pass(1000);
    EXPECT_TRUE(Shown()) << "it stays";
    Key();
    EXPECT_FALSE(Shown()) << "the next key hides it at once";

    // Another window came to the front: placed 10 ms later, re-placed once, then left alone.
    w.engine->Foreground().TrackForeground(editor);
    Pass(kShowDelayMs);
    ASSERT_TRUE(Shown());
    PlaceCaret(60, 20, 16, true);
    Pass(kFast.followMs);
    EXPECT_EQ(FlagAt(), Below(60, 20, 16));
    PlaceCaret(80, 20, 16, true);
    Pass(2000);
    EXPECT_EQ(FlagAt(), Below(60, 20, 16)) << "no longer following";
    Key();
    EXPECT_FALSE(Shown());
}

TEST_F(CaretFlagStory, SwitchingTheProgramOffHidesTheFlagAndOnBringsItBack) {
    Key();
    Pass(kShowDelayMs);
    ASSERT_TRUE(Shown());
    w.engine->Switch().Deactivate();
    EXPECT_FALSE(Shown());
    Pass(2000);
    EXPECT_FALSE(Shown());
    ASSERT_TRUE(w.Activate());
    Pass(kShowDelayMs);
    // The caret stands where the flag was last placed: it reappears when the caret moves.
    EXPECT_FALSE(Shown());
    PlaceCaret(48, 20, 16, true);
    Pass(kFast.followMs);
    EXPECT_TRUE(Shown());
    EXPECT_EQ(FlagAt(), Below(48, 20, 16));
}

TEST_F(CaretFlagStory, TheWindowFollowsTheOptions) {
    ASSERT_NE(windows.Open(), nullptr);
    EXPECT_EQ(windows.Open()->Opacity(), 200) << "CaretFlagAlphaBlend's default";
    w.caretFlag.SetCaretFlagOpacity(255);
    EXPECT_EQ(windows.Open()->Opacity(), 255);
    windows.Open()->Close();
    EXPECT_NE(windows.Open(), nullptr) << "a close request leaves the window";
    EXPECT_FALSE(Shown());

    w.caretFlag.FreeCaretFlag();
    EXPECT_EQ(windows.Open(), nullptr);
    EXPECT_FALSE(w.caretFlag.CaretFlagExists());
    Key();
    Pass(1000);
    EXPECT_EQ(windows.Created(), 1) << "a key makes no window";

    // Switched on again while the program is off: made, out of sight, and nothing shows.
    w.engine->Switch().Deactivate();
    w.caretFlag.ShowCaretFlag(false);
    ASSERT_NE(windows.Open(), nullptr);
    EXPECT_EQ(windows.Created(), 2);
    Pass(2000);
    EXPECT_FALSE(Shown());
}

TEST_F(CaretFlagStory, KeysPokeTheFlagFromInsideTheHookWithoutAllocating) {
    Key();
    Pass(kShowDelayMs);
    ASSERT_TRUE(Shown());
    w.os.driver.onDelivered = nullptr;  // the recording itself would allocate
    test::AllocationCounter counter;
    for (std::uint8_t key : {'H', 'E', 'L', 'L', 'O'}) w.os.driver.Tap(key);
    EXPECT_EQ(counter.Count(), 0);
    Pass(kShowDelayMs);
    EXPECT_TRUE(Shown()) << "the pokes restarted the show cycle";
}

TEST(CaretFlagScale, TheFlagDoublesFromOneHundredAndFiftyPercentOn) {
    const struct {
        std::uint32_t dpi;
        std::int32_t scale;
    } cases[] = {{96, 1}, {120, 1}, {143, 1}, {144, 2}, {192, 2}, {288, 2}};
    for (const auto& c : cases) EXPECT_EQ(CaretFlagScaleForDpi(c.dpi), c.scale) << c.dpi << " dpi";
}

// Browsers and modern editors draw their own caret: the system knows none, accessibility does.
class AccessibleCaretStory : public CaretFlagStory {
protected:
    void SetUp() override {
        CaretFlagStory::SetUp();
        w.os.desktop.SetCaret(sim::SimForegroundApp::kThreadId, CaretInfo{kNoWindow, {}, false});
    }
};

TEST_F(AccessibleCaretStory, TheFlagSitsBelowTheCaretThatAccessibilityReports) {
    w.os.accessibility.SetCaret(editor, Rect{300, 400, 302, 418});
    Key();
    Pass(kShowDelayMs);
    ASSERT_TRUE(Shown());
    EXPECT_EQ(FlagAt(), (Point{302, 418}));
    EXPECT_LE(w.os.accessibility.LastBudgetMs(), 10u) << "the GUI thread waits a few milliseconds at most";

    w.os.accessibility.SetCaret(editor, Rect{320, 400, 322, 418});
    Pass(kFast.followMs);
    EXPECT_EQ(FlagAt(), (Point{322, 418}));
}

TEST_F(AccessibleCaretStory, AnswersOffTheScreenOrWithoutHeightAndSilenceShowNoFlag) {
    struct Case {
        const char* what;
        Rect caret;
    };
    const Case cases[] = {
        {"nothing at the origin", Rect{0, 0, 0, 0}},
        {"right of every monitor", Rect{5000, 400, 5002, 418}},
        {"above the screen", Rect{300, -50, 302, -32}},
        {"upside down", Rect{300, 418, 302, 400}},
        {"taller than the screen", Rect{300, 0, 302, 1080 + 1}},
    };
    for (const Case& c : cases) {
        w.os.accessibility.SetCaret(editor, c.caret);
        Key();
        Pass(kShowDelayMs);
        EXPECT_FALSE(Shown()) << c.what;
    }
    w.os.accessibility.SetCaret(editor, Rect{300, 400, 302, 418});
    w.os.accessibility.SetHung(editor, true);
    Key();
    Pass(kShowDelayMs);
    EXPECT_FALSE(Shown()) << "a hung application";
    w.os.accessibility.SetHung(editor, false);
    Key();
    Pass(kShowDelayMs);
    EXPECT_TRUE(Shown());
}

TEST_F(CaretFlagStory, AccessibilityIsNotAskedWhileTheSystemKnowsTheCaret) {
    w.os.accessibility.SetCaret(editor, Rect{300, 400, 302, 418});
    Key();
    Pass(1000);
    EXPECT_EQ(FlagAt(), Below(40, 20, 16));
    EXPECT_EQ(w.os.accessibility.Questions(), 0);
}

TEST_F(AccessibleCaretStory, ACaretThatMustBlinkIsNotTakenFromAccessibility) {
    application.CaretNeedsBlink = true;
    w.os.accessibility.SetCaret(editor, Rect{300, 400, 302, 418});
    Key();
    Pass(kShowDelayMs);
    EXPECT_FALSE(Shown());
}

}  // namespace
}  // namespace kv
