// The keyboard hook never dies silently: when the system may have dropped it (a stalled message
// loop, an unlocked session, a resume), the program puts it back, and while the update check
// waits for a slow server the loop keeps serving the hook.
#include <gtest/gtest.h>

#include <algorithm>

#include "activation/hook_watchdog.h"
#include "links/web_links.h"
#include "common/key_classes.h"
#include "keyboard_engine_fixture.h"
#include "platform/win_constants.h"

namespace kv {
namespace {

using test::EngineWorld;

constexpr std::uint8_t kSpace = 0x20;

WebLinks LinksOf(EngineWorld& w) {
    Platform& os = w.os.platform;
    return WebLinks({os.shell, os.internet, os.loop, os.clock, os.text, os.files, os.processes, os.version,
                     os.registry, os.windows, w.app->preset, w.app->lang, w.app->messageBoxes},
                    w.appWindow, ReadMakerAddresses(w.app->appIni));
}

class HookWatchdogStory : public ::testing::Test {
protected:
    HookWatchdogStory() : w({sim::kLayoutUs, sim::kLayoutRu}) {
        // Again with the debug log on, which the program reads at start.
        w.Restart({u"/debug"});
    }
    void SetUp() override { ASSERT_TRUE(w.Activate()); }

    void Type(std::u16string_view keys) {
        for (char16_t key : keys) w.os.driver.Tap(static_cast<std::uint8_t>(key));
    }
    // The default conversion chord.
    void WinShift() {
        w.os.driver.Press(vk::kLeftWin, true);
        w.os.driver.Press(vk::kLeftShift);
        w.os.driver.Release(vk::kLeftShift);
        w.os.driver.Release(vk::kLeftWin, true);
        w.Settle(50);
    }
    EngineWorld w;
};

TEST_F(HookWatchdogStory, AHotkeyWorksAgainWithinASecondAfterTheLoopStalledWhileTheUserTyped) {
    // Something held the GUI thread for two seconds while the user pressed Space: the system
    // gave up on the hook's call and dropped the hook.
    w.os.loop.Stall(2000, [&] { Type(u" "); });
    ASSERT_EQ(w.os.driver.TimedOutHooks(), 1);
    ASSERT_EQ(w.document->Text(), u" ") << "the key went on without the hook";

    w.Settle(1000);
    EXPECT_EQ(w.os.driver.InstalledHooks(), 1u);
    Type(u"GHBDTN");
    WinShift();
    EXPECT_EQ(w.document->Text(), u" привет");
    EXPECT_EQ(w.LogLinesContaining(u"Keyboard hook reinstalled: the message loop stalled"), 1);
}

TEST_F(HookWatchdogStory, AShortPauseOfTheLoopLeavesTheHookAlone) {
    w.os.loop.Stall(200, [&] { Type(u" "); });
    w.Settle(1000);
    EXPECT_EQ(w.os.driver.TimedOutHooks(), 0);
    EXPECT_EQ(w.LogLinesContaining(u"reinstalled"), 0);
    EXPECT_EQ(w.os.libraries.calls, (std::vector<std::string>{"load", "Hook"}));
}

TEST_F(HookWatchdogStory, UnlockAndResumeReinstallBothHooksOthersDoNothing) {
    struct Case {
        std::uint32_t message;
        std::uintptr_t code;
        const char16_t* logged;  // null: nothing happens
    };
    const Case cases[] = {
        {win::kWmWtsSessionChange, win::kWtsSessionUnlock, u"Keyboard hook reinstalled: the session was unlocked"},
        {win::kWmWtsSessionChange, 0x7 /* WTS_SESSION_LOCK */, nullptr},
        {win::kWmPowerBroadcast, win::kPbtApmResumeAutomatic, u"Keyboard hook reinstalled: the system resumed"},
        {win::kWmPowerBroadcast, win::kPbtApmResumeSuspend, u"Keyboard hook reinstalled: the system resumed"},
        {win::kWmPowerBroadcast, 0x4 /* PBT_APMSUSPEND */, nullptr},
    };
    for (const Case& c : cases) {
        w.os.libraries.calls.clear();
        const int before = w.LogLinesContaining(u"reinstalled");
        const int loggedBefore = c.logged ? w.LogLinesContaining(c.logged) : 0;
        w.engine->Switch().Watchdog().OnSystemNotification(c.message, c.code);
        if (c.logged) {
            EXPECT_EQ(w.LogLinesContaining(c.logged), loggedBefore + 1) << c.message << " " << c.code;
            EXPECT_EQ(w.os.libraries.calls, std::vector<std::string>{"Hook"}) << "the library starts over";
        } else {
            EXPECT_EQ(w.LogLinesContaining(u"reinstalled"), before) << c.message << " " << c.code;
            EXPECT_TRUE(w.os.libraries.calls.empty());
        }
        EXPECT_EQ(w.os.driver.InstalledHooks(), 1u) << "one hook, never two";
        EXPECT_EQ(w.os.mouse.InstalledHooks(), 1u) << "one mouse hook, never two";
        EXPECT_EQ(w.os.libraries.HookedWindow(), w.appWindow);
    }
    Type(u"GHBDTN");
    WinShift();
    EXPECT_EQ(w.document->Text(), u"привет");
}

TEST_F(HookWatchdogStory, NothingIsPutBackWhileTheProgramIsOff) {
    ASSERT_TRUE(w.engine->Switch().Deactivate());
    w.os.libraries.calls.clear();
    w.engine->Switch().Watchdog().OnSystemNotification(win::kWmWtsSessionChange, win::kWtsSessionUnlock);
    w.os.loop.Stall(2000);
    w.Settle(1000);
    EXPECT_EQ(w.os.driver.InstalledHooks(), 0u);
    EXPECT_TRUE(w.os.libraries.calls.empty());
}

TEST_F(HookWatchdogStory, TheUserTypesOnWhileTheUpdateCheckWaitsForAStalledServer) {
    WebLinks links = LinksOf(w);
    w.os.internet.Serve(VersionFileUrl(links.Addresses().host), "9.9.9.9");
    w.os.internet.SetServerDelay(60000);
    // A letter every 100 ms while the check runs.
    int typed = 0;
    const TimerId typist = w.os.loop.StartTimer(100, [&] {
        Type(u"A");
        ++typed;
    });
    const std::uint64_t start = w.os.loop.NowMs();
    EXPECT_FALSE(links.CheckForUpdate(true));
    const std::uint64_t took = w.os.loop.NowMs() - start;
    w.os.loop.StopTimer(typist);

    EXPECT_EQ(took, sim::SimInternet::kReadTimeoutMs) << "the check ends by the read's time-out";
    EXPECT_GE(typed, 45) << "the loop kept running";
    EXPECT_EQ(w.document->Text(), std::u16string(static_cast<std::size_t>(typed), u'a'));
    EXPECT_EQ(w.os.driver.TimedOutHooks(), 0);
    EXPECT_EQ(w.os.driver.InstalledHooks(), 1u);
    ASSERT_EQ(w.os.desktop.MessageBoxes().size(), 1u);
    EXPECT_EQ(w.os.desktop.MessageBoxes().front().text, u"No newer version of Tolvex was found.");
}

TEST_F(HookWatchdogStory, TheUpdateCheckEndsByItsOwnBoundWhenTheReadIgnoresItsTimeOut) {
    WebLinks links = LinksOf(w);
    w.os.internet.Serve(VersionFileUrl(links.Addresses().host), "9.9.9.9");
    w.os.internet.SetServerDelay(60000);
    w.os.internet.IgnoreReadTimeout(true);
    const std::uint64_t start = w.os.loop.NowMs();
    EXPECT_FALSE(links.CheckForUpdate(true));
    EXPECT_EQ(w.os.loop.NowMs() - start, 10000u);
    ASSERT_EQ(w.os.desktop.MessageBoxes().size(), 1u);
    EXPECT_EQ(w.os.desktop.MessageBoxes().front().text, u"No newer version of Tolvex was found.");
    // The abandoned read ends later on its own; nothing is offered then.
    w.Settle(60000);
    EXPECT_EQ(w.os.desktop.MessageBoxes().size(), 1u);
}

TEST_F(HookWatchdogStory, ACheckAskedForWhileOneWaitsDoesNothing) {
    WebLinks links = LinksOf(w);
    w.os.internet.Serve(VersionFileUrl(links.Addresses().host), "9.9.9.9");
    w.os.internet.SetServerDelay(1000);
    bool nested = true;
    const TimerId click = w.os.loop.StartTimer(100, [&] {
        nested = links.CheckForUpdate(true);
    });
    w.os.desktop.SetMessageBoxAnswer(win::kIdNo);
    EXPECT_FALSE(links.CheckForUpdate(true));
    w.os.loop.StopTimer(click);
    EXPECT_FALSE(nested);
    EXPECT_EQ(w.os.internet.Requests().size(), 1u) << "one request only";
    ASSERT_EQ(w.os.desktop.MessageBoxes().size(), 1u) << "the newer version is offered once";
}

TEST(LowLevelHookTimeoutTest, ReadFromTheRegistryWithinWhatWindowsHonours) {
    struct Case {
        std::optional<RegistryValue> value;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {std::nullopt, 300},
        {RegistryValue{RegistryType::Dword, 500, u""}, 500},
        {RegistryValue{RegistryType::String, 0, u"700"}, 700},
        {RegistryValue{RegistryType::Dword, 0, u""}, 300},
        {RegistryValue{RegistryType::Dword, 30, u""}, 200},
        {RegistryValue{RegistryType::Dword, 10000, u""}, 1000},
        {RegistryValue{RegistryType::String, 0, u"99999999999"}, 1000},
        {RegistryValue{RegistryType::String, 0, u"fast"}, 300},
    };
    for (const Case& c : cases) {
        sim::SimPlatform os;
        auto key = os.registry.OpenCurrentUserKey(u"Control Panel\\Desktop");
        if (c.value && c.value->type == RegistryType::Dword) key->WriteDword(u"LowLevelHooksTimeout", c.value->dword);
        if (c.value && c.value->type == RegistryType::String) key->WriteString(u"LowLevelHooksTimeout", c.value->text);
        EXPECT_EQ(ReadLowLevelHookTimeout(os.registry), c.expected)
            << (c.value ? c.value->dword : 0) << " " << (c.value ? std::string(c.value->text.begin(), c.value->text.end()) : "");
    }
}

}  // namespace
}  // namespace kv
