#include <gtest/gtest.h>

#include <map>

#include "foreground/foreground_tracker.h"
#include "common/foreground_flags.h"
#include "keyboard/typing_run.h"
#include "keyboard_model_fixture.h"
#include "platform/text.h"
#include "platform/win_constants.h"
#include "recording_ports.h"

namespace kv {
namespace {

// Icon packs are only handed to the model, never read here: distinct addresses stand for them.
class FakeIcons : public IApplicationIconSource {
public:
    const TKvIcons* ForApplication(std::u16string_view exe, std::u16string_view windowClass) override {
        asked.emplace_back(exe, windowClass);
        return exe == u"notepad.exe" ? Tag(0) : nullptr;
    }
    const TKvIcons* Named(std::u16string_view name) override {
        named.emplace_back(name);
        return Tag(1);
    }
    static const TKvIcons* Tag(int i) { return reinterpret_cast<const TKvIcons*>(&tags[i]); }
    std::vector<std::pair<std::u16string, std::u16string>> asked;
    std::vector<std::u16string> named;
    static inline std::uint64_t tags[2];
};

class FakeObserver : public RecordingPorts, public ILastForegroundWindow {
public:
    bool caretFlag = false;
    int newApplications = 0;
    WindowHandle last = kNoWindow;
    bool CaretFlagExists() const override { return caretFlag; }
    void NewForegroundApplication() override { ++newApplications; }
    void SetLastForegroundWindow(WindowHandle window) override { last = window; }
    WindowHandle LastForegroundWindow() const override { return last; }
};

class ForegroundTrackerTest : public ::testing::Test {
protected:
    ForegroundTrackerTest() { tracker.SetIconSource(&icons); }
    // A window of a process with that executable; an empty path cannot be opened.
    WindowHandle Application(std::u16string exePath, std::u16string windowClass) {
        const std::uint32_t pid = nextPid++;
        if (!exePath.empty()) world.os.desktop.SetProcessImage(pid, exePath);
        return world.os.desktop.CreateWindow(std::move(windowClass), u"", pid, true);
    }

    test::KeyboardWorld world;
    TKvKeyboard& model = world.Create();
    ForegroundFlags flags;
    TypingRun typed;
    FakeObserver observer;
    FakeIcons icons;
    ForegroundTracker tracker{world.os.platform, flags, typed, model, observer, observer, u"Karmux.exe"};
    std::uint32_t nextPid = 500;
};

TEST_F(ForegroundTrackerTest, ApplicationsAreClassifiedByExecutableAndClass) {
    struct Case {
        const char16_t* exe;
        const char16_t* windowClass;
        bool caretFlagExists;
        ForegroundFlags expected;
    };
    const Case cases[] = {
        {u"C:\\Program Files\\Internet Explorer\\iexplore.exe", u"IEFrame", true, {true, true, true}},
        {u"C:\\Office\\WINWORD.EXE", u"OpusApp", true, {false, false, true}},
        {u"C:\\Program Files\\Karmux\\Karmux.exe", u"TKvSettingsForm", true, {true, false, false}},
        {u"C:\\Program Files\\Karmux\\Karmux.exe", u"TKvSettingsForm", false, {false, false, false}},
        {u"C:\\Windows\\hh.exe", u"HH Parent", true, {true, false, false}},
        {u"C:\\Windows\\notepad.exe", u"Notepad", true, {false, false, false}},
    };
    for (const Case& c : cases) {
        observer.caretFlag = c.caretFlagExists;
        tracker.TrackForeground(Application(c.exe, c.windowClass));
        EXPECT_EQ(flags.CaretNeedsBlink, c.expected.CaretNeedsBlink) << Utf16ToUtf8(c.windowClass);
        EXPECT_EQ(flags.DirectLayoutSwitch, c.expected.DirectLayoutSwitch) << Utf16ToUtf8(c.windowClass);
        EXPECT_EQ(flags.SlowClipboard, c.expected.SlowClipboard) << Utf16ToUtf8(c.windowClass);
    }
}

TEST_F(ForegroundTrackerTest, IdentifiedApplicationGetsItsIconAndEndsTheTypingRun) {
    const TKvBtn& a = *world.model->Btn('A');
    typed.RecordKey(*world.model, 'A', a, false, false);
    typed.RecordKey(*world.model, 'A', a, true, false);
    ASSERT_EQ(typed.Keys().size(), 2u);
    const WindowHandle notepad = Application(u"C:\\Windows\\notepad.exe", u"Notepad");
    tracker.TrackForeground(notepad);
    EXPECT_EQ(world.model->AppIcons(), FakeIcons::Tag(0));
    EXPECT_EQ(icons.asked.back(), (std::pair<std::u16string, std::u16string>{u"notepad.exe", u"Notepad"}));
    EXPECT_EQ(observer.last, notepad);
    EXPECT_TRUE(typed.Keys().empty());
    EXPECT_EQ(observer.newApplications, 1);
}

TEST_F(ForegroundTrackerTest, ProcessThatCannotBeOpenedHasNoIconAndKeepsTheClipboardFlag) {
    tracker.TrackForeground(Application(u"C:\\Office\\WINWORD.EXE", u"OpusApp"));
    tracker.TrackForeground(Application(u"C:\\Windows\\notepad.exe", u"Notepad"));
    flags = {true, true, true};
    tracker.TrackForeground(Application(u"", u"ElevatedWindow"));
    EXPECT_EQ(world.model->AppIcons(), nullptr);
    EXPECT_FALSE(flags.CaretNeedsBlink);
    EXPECT_FALSE(flags.DirectLayoutSwitch);
    EXPECT_TRUE(flags.SlowClipboard) << "kept until an application is identified again";
}

TEST_F(ForegroundTrackerTest, UnknownWindowOverTheDesktopShowsTheDesktopIconOfTheWindowsVersion) {
    struct Case {
        OsVersion version;
        const char16_t* icon;
    };
    const WindowHandle desktop = world.os.desktop.CreateWindow(u"Progman", u"Program Manager", 50, true);
    for (const Case& c : {Case{{win::kVerPlatformWin32Nt, 5, 0, 2195}, u"Desktop2000"},
                          Case{{win::kVerPlatformWin32Nt, 5, 1, 2600}, u"DesktopXP"},
                          Case{{win::kVerPlatformWin32Nt, 5, 2, 3790}, u"DesktopXP"},
                          Case{{win::kVerPlatformWin32Nt, 6, 1, 7601}, u"DesktopVista"}}) {
        world.os.desktop.SetVersion(c.version);
        world.os.desktop.SetForegroundWindow(desktop);
        observer.last = 77;
        tracker.TrackForeground(kNoWindow);
        EXPECT_EQ(icons.named.back(), c.icon);
        EXPECT_EQ(world.model->AppIcons(), FakeIcons::Tag(1));
        EXPECT_EQ(observer.last, 77u) << "an unknown window is not remembered";
    }
    world.os.desktop.SetForegroundWindow(Application(u"C:\\Windows\\notepad.exe", u"Notepad"));
    tracker.TrackForeground(kNoWindow);
    EXPECT_EQ(world.model->AppIcons(), nullptr) << "not the desktop: no icon";
}

TEST_F(ForegroundTrackerTest, PollNoticesOnlyARealChange) {
    const WindowHandle word = Application(u"C:\\Office\\WINWORD.EXE", u"OpusApp");
    world.os.desktop.SetForegroundWindow(word);
    EXPECT_TRUE(tracker.CheckForegroundChanged());
    EXPECT_TRUE(flags.SlowClipboard);
    EXPECT_FALSE(tracker.CheckForegroundChanged());
}

}  // namespace
}  // namespace kv
