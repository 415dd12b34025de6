#include <gtest/gtest.h>

#include "common/foreground.h"
#include "common/key_text.h"
#include "common/message_boxes.h"
#include "common/show_form_once.h"
#include "common/synthetic_input.h"
#include "common/system_services.h"
#include "common/waits.h"
#include "platform/error.h"
#include "platform/text.h"
#include "platform/win_constants.h"
#include "resources/kv_lang.h"
#include "sim_platform.h"

namespace kv {
namespace {

TEST(KeySenderTest, CtrlChordsArePacedAndCarryScanCodes) {
    sim::SimPlatform os;
    KeySender keys(os.keyInput, os.keyboard, os.loop);
    keys.SendCtrlX();
    EXPECT_EQ(os.loop.NowMs(), 40u) << "10 ms before, between and after the chord";
    const auto& sent = os.keyInput.Sent();
    ASSERT_EQ(sent.size(), 4u);
    EXPECT_EQ(sent[0].vk, kVkControl);
    EXPECT_EQ(sent[0].flags, 0u);
    EXPECT_EQ(sent[1].vk, kVkX);
    EXPECT_EQ(sent[1].scanCode, 0x2D);
    EXPECT_EQ(sent[2].flags, win::kKeyEventKeyUp);
    EXPECT_EQ(sent[3].vk, kVkControl);
    EXPECT_EQ(sent[3].flags, win::kKeyEventKeyUp);

    keys.SendEscapeRelease();
    EXPECT_EQ(os.keyInput.Sent().back().vk, kVkEscape);
    EXPECT_EQ(os.keyInput.Sent().back().flags, win::kKeyEventKeyUp);
    EXPECT_EQ(os.loop.NowMs(), 50u);

    keys.SendKeyPress(0x25, true);  // Left arrow, an extended key
    EXPECT_EQ(os.keyInput.Sent().back().flags, win::kKeyEventKeyUp | win::kKeyEventExtendedKey);
}

TEST(CharForKeyTest, CharactersOfKeysInSimulatedLayouts) {
    sim::SimPlatform os;
    std::uint8_t none[256] = {};
    std::uint8_t shift[256] = {};
    shift[0x10] = 0x80;
    struct Case {
        std::uint8_t vk;
        const std::uint8_t* state;
        LayoutHandle layout;
        char16_t expected;
    };
    const Case cases[] = {
        {0x41, none, kUsEnglishLayout, u'a'},   {0x41, shift, kUsEnglishLayout, u'A'},
        {0x32, shift, kUsEnglishLayout, u'@'},  {0x51, none, sim::kLayoutRu, u'й'},
        {0xC0, none, sim::kLayoutRu, u'ё'},     {0xBA, none, sim::kLayoutDe, u'ü'},
        {0x5A, none, sim::kLayoutDe, u'z'},     {0x31, none, sim::kLayoutFr, u'&'},
        {0x20, none, kUsEnglishLayout, u' '},   {0x70, none, kUsEnglishLayout, u' '},  // F1 types nothing
        {0xDC, none, sim::kLayoutDe, u' '},                                           // dead ^
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CharForKey(os.keyboard, c.vk, c.state, c.layout), c.expected) << int(c.vk) << " " << c.layout;
    }
    // The dead key leaves nothing pending: the next key types plainly.
    EXPECT_EQ(CharForKey(os.keyboard, 0x45, none, sim::kLayoutDe), u'e');
}

TEST(WaitsTest, WaitPumpingDispatchesWhileTimePasses) {
    sim::SimPlatform os;
    int ticks = 0;
    os.loop.StartTimer(20, [&] { ++ticks; });
    std::vector<std::uint64_t> dispatchedAt;
    os.loop.QueueDispatch([&] { dispatchedAt.push_back(os.loop.NowMs()); });
    WaitPumping(os.platform, 55);
    EXPECT_GE(os.loop.NowMs(), 55u);
    EXPECT_LT(os.loop.NowMs(), 70u);
    EXPECT_EQ(dispatchedAt, std::vector<std::uint64_t>{10}) << "messages are processed every 10 ms slice";
    EXPECT_EQ(ticks, 3) << "timers run in the middle of the wait, at 20, 40 and 60 ms";
}

TEST(WaitsTest, ForegroundIdleEndsWhenTheProcessStopsUsingCpu) {
    sim::SimPlatform os;
    const WindowHandle editor = os.desktop.CreateWindow(u"Edit", u"Doc", 500, true);
    os.desktop.SetForeground(editor);
    os.desktop.SetCpuLoad(500, 0.0);
    WaitForForegroundIdle(os.platform, 5, 1000);
    EXPECT_EQ(os.loop.NowMs(), 10u) << "step raised to 10 ms; idle after one step";

    sim::SimPlatform busy;
    const WindowHandle game = busy.desktop.CreateWindow(u"Game", u"Busy", 600, true);
    busy.desktop.SetForeground(game);
    busy.desktop.SetCpuLoad(600, 500.0);  // half a core
    WaitForForegroundIdle(busy.platform, 50, 300);
    EXPECT_EQ(busy.loop.NowMs(), 300u) << "a busy process is waited for until the limit";
}

TEST(ForegroundTest, ForceForegroundLiftsTheLockAndRestoresTheTimeout) {
    sim::SimPlatform os;
    const WindowHandle other = os.desktop.CreateWindow(u"Other", u"Other", 500, true);
    const WindowHandle mine = os.desktop.CreateWindow(u"Mine", u"Mine", sim::SimDesktop::kOwnProcessId, false);
    os.desktop.SetForeground(other);
    os.desktop.LockForeground(true);
    os.desktop.Find(mine)->iconic = true;

    ForceForeground(os.platform, mine, true);

    EXPECT_EQ(os.desktop.ForegroundWindow(), mine);
    EXPECT_EQ(os.keyInput.MouseInputs(), 1);
    EXPECT_EQ(os.desktop.LockTimeoutHistory(), (std::vector<std::uint32_t>{0, 200000}));
    EXPECT_EQ(os.desktop.AsyncShows(),
              (std::vector<std::pair<WindowHandle, int>>{{mine, win::kSwShow}, {mine, win::kSwRestore}}));

    const auto shows = os.desktop.AsyncShows().size();
    ForceForeground(os.platform, mine, true);
    ForceForeground(os.platform, kNoWindow, true);
    EXPECT_EQ(os.desktop.AsyncShows().size(), shows) << "already in front or no window: nothing happens";
}

TEST(ForegroundTest, CaretPositionIsTheRightEdgeInScreenCoordinates) {
    sim::SimPlatform os;
    const WindowHandle editor = os.desktop.CreateWindow(u"Edit", u"Doc", 500, true);
    os.desktop.Find(editor)->bounds = {100, 200, 900, 800};
    os.desktop.SetForeground(editor);
    const std::uint32_t thread = os.desktop.WindowThreadProcessId(editor, nullptr);
    Point point;
    std::int32_t height = 0;
    EXPECT_FALSE(GetCaretScreenPos(os.platform, point, height, false)) << "no caret information";

    os.desktop.SetCaret(thread, CaretInfo{editor, {30, 40, 32, 58}, false});
    ASSERT_TRUE(GetCaretScreenPos(os.platform, point, height, false));
    EXPECT_EQ(point, (Point{132, 240}));
    EXPECT_EQ(height, 18);
    EXPECT_FALSE(GetCaretScreenPos(os.platform, point, height, true)) << "not blinking";
    EXPECT_FALSE(IsCaretBlinking(os.platform));
    os.desktop.SetCaret(thread, CaretInfo{editor, {30, 40, 32, 58}, true});
    EXPECT_TRUE(GetCaretScreenPos(os.platform, point, height, true));
    EXPECT_TRUE(IsCaretBlinking(os.platform));
}

TEST(SystemServicesTest, VersionElevationAndMail) {
    sim::SimPlatform os;
    const std::u16string exe = os.desktop.ExecutablePath();
    os.files.SetFileVersion(exe, u"ProductVersion", u"0.1.0.0");
    EXPECT_EQ(GetProductVersion(os.files, exe), u"0.1.0.0");
    EXPECT_EQ(GetFileVersionString(os.files, exe, u"FileVersion"), u"");

    RunElevated(os.shell, true, 0, u"C:\\Karmux\\Elevopt.exe", u"-start");
    RunElevated(os.shell, false, 0, u"C:\\Karmux\\Elevopt.exe", u"-stop");
    EXPECT_EQ(os.shell.Elevated(), std::vector<std::u16string>{u"C:\\Karmux\\Elevopt.exe -start"});
    EXPECT_EQ(os.shell.Opened(), std::vector<std::u16string>{u"C:\\Karmux\\Elevopt.exe -stop"});
    os.shell.FailElevation(u"The operation was canceled by the user.");
    EXPECT_THROW(RunElevated(os.shell, true, 0, u"x.exe", u""), KvError);

    TKvLang lang;
    KvMessageBoxes boxes(os.desktop, lang);
    SendMail(os.shell, boxes, lang, 0, MailMessage{u"support@example.org", u"Report", u"Body", {u"C:\\log.txt"}});
    EXPECT_EQ(os.shell.MailCalls(), (std::vector<std::u16string>{u"logon", u"send", u"logoff"}));
    EXPECT_EQ(os.shell.Mails().at(0).attachments.at(0), u"C:\\log.txt");
    os.shell.SetLogonSucceeds(false);
    SendMail(os.shell, boxes, lang, 0, MailMessage{});
    EXPECT_EQ(os.shell.MailCalls().size(), 4u) << "no send after a failed logon";
    ASSERT_EQ(os.desktop.MessageBoxes().size(), 1u);
    EXPECT_EQ(os.desktop.MessageBoxes()[0].flags, win::kMbOk | win::kMbIconExclamation);
}

class FakeForm : public IOpenForm {
public:
    FakeForm(std::u16string name, bool minimized) : name_(std::move(name)), minimized_(minimized) {}
    std::u16string ClassName() const override { return name_; }
    bool IsMinimized() const override { return minimized_; }
    void Restore() override { actions.push_back("restore " + Utf16ToUtf8(name_)); }
    void BringToFront() override { actions.push_back("front " + Utf16ToUtf8(name_)); }
    static inline std::vector<std::string> actions;

private:
    std::u16string name_;
    bool minimized_;
};

class FakeForms : public IForms {
public:
    std::vector<IOpenForm*> forms;
    std::vector<IOpenForm*> OpenForms() override { return forms; }
    void CreateAndShow(const std::u16string& className) override {
        FakeForm::actions.push_back("create " + Utf16ToUtf8(className));
    }
};

TEST(ShowFormOnceTest, AnOpenFormIsBroughtBackInsteadOfOpeningAnother) {
    FakeForm about(u"TAboutForm", false), settings(u"TMainForm", true);
    FakeForms forms;
    forms.forms = {&about, &settings};
    FakeForm::actions.clear();
    ShowFormOnce(forms, u"TAboutForm");
    ShowFormOnce(forms, u"TMainForm");
    ShowFormOnce(forms, u"TWizardForm");
    ShowFormOnce(forms, u"TMain");
    EXPECT_EQ(FakeForm::actions, (std::vector<std::string>{"front TAboutForm", "restore TMainForm",
                                                           "create TWizardForm", "create TMain"}));
}

}  // namespace
}  // namespace kv
