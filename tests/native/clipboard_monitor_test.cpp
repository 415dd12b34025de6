#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "clipboard/clipboard_monitor.h"
#include "clipboard/clipboard_stream.h"
#include "common/foreground_flags.h"
#include "common/synthetic_input.h"
#include "platform/win_constants.h"
#include "settings/preset.h"
#include "sim_app_windows.h"
#include "sim_platform.h"

namespace kv {
namespace {

constexpr std::uint32_t kEditorProcess = 200;
const std::u16string kClipSound = u"C:\\Program Files\\Karmux\\Sound\\Clip.wav";

std::string Utf16Bytes(std::u16string_view text) {
    std::string bytes(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t));
    bytes.append(sizeof(char16_t), '\0');
    return bytes;
}

// The monitor on its form's window, wired as the program wires it, with the clipboard-change
// sound assigned and sounds on.
class ClipboardMonitorTest : public ::testing::Test {
protected:
    ClipboardMonitorTest() {
        os.files.AddFile(kClipSound, "RIFF");
        preset.SetSound(static_cast<int>(SoundEvent::ClipboardChanged), u"Clip");
        preset.SetSoundEnabled(true);
        os.sound.SetSoundLength(0);  // every play counts, however close together
        appWindows.CreateForm(AppForm::ClipboardMonitor);
        window = appWindows.FormWindow(AppForm::ClipboardMonitor);
        appWindows.SetFormMessageHandler(
            AppForm::ClipboardMonitor, [this](std::uint32_t m, std::uintptr_t w, std::intptr_t l, std::intptr_t& r) {
                return monitor && monitor->HandleMessage(m, w, l, r);
            });
        access = std::make_unique<ClipboardAccess>(os.clipboard, os.loop, os.loop, os.desktop, formats, window);
    }
    ~ClipboardMonitorTest() override {
        appWindows.SetFormMessageHandler(AppForm::ClipboardMonitor, {});
        monitor.reset();
    }

    TKvClipboardMonitor& Make(bool vistaOrLater = true) {
        monitor = std::make_unique<TKvClipboardMonitor>(
            TKvClipboardMonitor::Services{os.platform, sounds, *access, keys, foreground, vistaOrLater}, window);
        return *monitor;
    }
    std::size_t Sounds() const { return os.sound.Played().size(); }
    // Virtual time passes; due timers fire and what they post is dispatched.
    void Advance(std::uint32_t ms) {
        os.loop.Sleep(ms);
        os.loop.ProcessPendingMessages();
        os.loop.ProcessPendingMessages();
    }
    void PutUserContent(std::u16string_view text, std::string custom) {
        os.clipboard.Put(clip::kUnicodeText, Utf16Bytes(text));
        os.clipboard.Put(customFormat, std::move(custom));
        os.loop.ProcessPendingMessages();
    }
    std::optional<std::string> Read(std::uint32_t format) {
        if (!os.clipboard.Open(kNoWindow)) return std::nullopt;
        auto data = os.clipboard.Data(format);
        os.clipboard.Close();
        return data;
    }
    // What the action executor does around the conversion of selected text (the keystrokes aside).
    void Convert(std::u16string_view result) {
        monitor->SaveUserClipboard();
        monitor->SetChangeHandlingEnabled(false);
        monitor->SetClipboardChanged(false);
        access->CopyTextToClipboard(result);
        monitor->WaitForClipboardChange();
        monitor->ScheduleRestore();
        monitor->SetChangeHandlingEnabled(true);
    }
    int Received(WindowHandle target, std::uint32_t message) {
        int count = 0;
        for (const auto& m : os.desktop.Find(target)->received) count += m.message == message;
        return count;
    }
    WindowHandle OtherViewer() { return os.desktop.CreateWindow(u"Viewer", u"", 300); }
    std::uint64_t PasteDuration() {
        const std::uint64_t start = os.loop.NowMs();
        monitor->PasteIntoForeground();
        return os.loop.NowMs() - start;
    }

    sim::SimPlatform os;
    TAppIni ini{os.registry, os.files, nullptr};
    AppFolders folders = ResolveAppFolders(os.desktop.ExecutablePath(), os.files);
    EventSoundPlayer sounds{os.platform.sound, os.platform.files, os.platform.version, folders.soundFolder};
    TPreset preset{os.platform, sounds, ini, folders, os.desktop.ExecutablePath()};
    sim::SimAppWindows appWindows{os.desktop};
    ClipboardFormats formats = ClipboardFormats::Register(os.clipboard);
    std::uint32_t customFormat = os.clipboard.RegisterFormat(u"Kv Test Format");
    KeySender keys{os.keyInput, os.keyboard, os.loop};
    ForegroundFlags foreground;
    WindowHandle window = kNoWindow;
    std::unique_ptr<ClipboardAccess> access;
    std::unique_ptr<TKvClipboardMonitor> monitor;
};

TEST_F(ClipboardMonitorTest, TheListenerOrTheViewerChainIsChosenByVersionAndExports) {
    struct Case {
        const char* name;
        bool vista;
        bool exported;
        bool listens;
        bool missing;
    };
    const Case cases[] = {
        {"Vista with the listener", true, true, true, false},
        {"Vista without the listener functions", true, false, false, true},
        {"before Vista", false, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        os.clipboard.SetListenerAvailable(c.exported);
        TKvClipboardMonitor& m = Make(c.vista);
        EXPECT_EQ(m.FormatListenerMissing(), c.missing);
        m.StartMonitor();
        EXPECT_EQ(os.clipboard.Listeners(), c.listens ? std::vector<WindowHandle>{window} : std::vector<WindowHandle>{});
        EXPECT_EQ(os.clipboard.FirstViewer(), c.listens ? kNoWindow : window);
        m.StopMonitor();
        EXPECT_TRUE(os.clipboard.Listeners().empty());
        EXPECT_EQ(os.clipboard.FirstViewer(), kNoWindow);
        monitor.reset();
    }
}

TEST_F(ClipboardMonitorTest, UserChangesSoundOnlyWhileChangeHandlingIsEnabled) {
    struct Case {
        const char* name;
        bool vista;
        bool handlingEnabled;
        std::size_t sounds;
    };
    const Case cases[] = {
        {"listener", true, true, 1},
        {"listener, program's own traffic", true, false, 0},
        {"viewer chain", false, true, 1},
        {"viewer chain, program's own traffic", false, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::size_t before = Sounds();
        TKvClipboardMonitor& m = Make(c.vista);
        m.StartMonitor();
        // The viewer chain announces the current content during registration: no sound for that.
        EXPECT_EQ(Sounds(), before);
        m.SetClipboardChanged(false);
        m.SetChangeHandlingEnabled(c.handlingEnabled);

        os.clipboard.Put(clip::kText, std::string("copied", 7));
        os.loop.ProcessPendingMessages();
        EXPECT_TRUE(m.ClipboardChanged());
        EXPECT_EQ(Sounds(), before + c.sounds);
        if (c.sounds) {
            EXPECT_EQ(os.sound.Played().back(), kClipSound);
        }

        m.StopMonitor();
        m.SetClipboardChanged(false);
        os.clipboard.Put(clip::kText, std::string("later", 6));
        os.loop.ProcessPendingMessages();
        EXPECT_FALSE(m.ClipboardChanged()) << "no notifications after StopMonitor";
        EXPECT_EQ(Sounds(), before + c.sounds);
        monitor.reset();
    }
}

TEST_F(ClipboardMonitorTest, TheListenerNotificationIsPostedAndArrivesWithTheMessages) {
    TKvClipboardMonitor& m = Make(true);
    m.StartMonitor();
    os.clipboard.Put(clip::kText, std::string("x", 2));
    EXPECT_FALSE(m.ClipboardChanged());
    os.loop.ProcessPendingMessages();
    EXPECT_TRUE(m.ClipboardChanged());
    EXPECT_EQ(Received(window, win::kWmClipboardUpdate), 1);
}

TEST_F(ClipboardMonitorTest, ViewerChainPassesChangesOnAndRelinksWhenTheNextViewerLeaves) {
    const WindowHandle first = OtherViewer();
    const WindowHandle following = OtherViewer();
    os.clipboard.JoinViewerChain(first);
    TKvClipboardMonitor& m = Make(false);
    m.StartMonitor();
    EXPECT_EQ(os.clipboard.FirstViewer(), window);
    // The monitor learns its next viewer only when joining returns, so its first draw stays with it.
    EXPECT_EQ(Received(first, win::kWmDrawClipboard), 1);

    os.clipboard.Put(clip::kText, std::string("a", 2));
    EXPECT_EQ(Received(first, win::kWmDrawClipboard), 2);
    EXPECT_EQ(Sounds(), 1u);

    // The viewer after the monitor leaves: the monitor links to the one after it, passing nothing on.
    EXPECT_EQ(os.desktop.SendToWindow(window, win::kWmChangeCbChain, first, static_cast<std::intptr_t>(following)), 0);
    EXPECT_EQ(Received(first, win::kWmChangeCbChain), 0);
    EXPECT_EQ(Received(following, win::kWmChangeCbChain), 0);
    os.clipboard.Put(clip::kText, std::string("b", 2));
    EXPECT_EQ(Received(first, win::kWmDrawClipboard), 2);
    EXPECT_EQ(Received(following, win::kWmDrawClipboard), 1);

    // Any other viewer leaving is passed on unchanged.
    const WindowHandle elsewhere = 0x7777;
    os.desktop.SendToWindow(window, win::kWmChangeCbChain, elsewhere, 0x8888);
    const auto& got = os.desktop.Find(following)->received.back();
    EXPECT_EQ(got.message, win::kWmChangeCbChain);
    EXPECT_EQ(got.wParam, elsewhere);
    EXPECT_EQ(got.lParam, 0x8888);
    EXPECT_TRUE(got.sent);

    // Leaving puts the next viewer at the head of the chain.
    m.StopMonitor();
    EXPECT_EQ(os.clipboard.FirstViewer(), following);
    os.clipboard.Put(clip::kText, std::string("c", 2));
    EXPECT_EQ(Received(window, win::kWmDrawClipboard), 3) << "registration, a and b";
    EXPECT_EQ(Received(following, win::kWmDrawClipboard), 2);
}

TEST_F(ClipboardMonitorTest, NothingIsPassedOnToTheMonitorItself) {
    const WindowHandle first = OtherViewer();
    os.clipboard.JoinViewerChain(first);
    TKvClipboardMonitor& m = Make(false);
    m.StartMonitor();
    os.desktop.SendToWindow(window, win::kWmChangeCbChain, first, static_cast<std::intptr_t>(window));

    os.clipboard.Put(clip::kText, std::string("a", 2));
    EXPECT_EQ(Received(window, win::kWmDrawClipboard), 2) << "registration and the change, each once";
    os.desktop.SendToWindow(window, win::kWmChangeCbChain, 0x7777, 0);
    EXPECT_EQ(Received(window, win::kWmChangeCbChain), 2) << "the two sent here, none passed back";
}

TEST_F(ClipboardMonitorTest, AsTheOnlyViewerTheMonitorStillLeavesAndRejoinsCleanly) {
    TKvClipboardMonitor& m = Make(false);
    m.StartMonitor();
    EXPECT_EQ(os.clipboard.FirstViewer(), window);
    m.StopMonitor();
    EXPECT_EQ(os.clipboard.FirstViewer(), kNoWindow);
    m.StartMonitor();
    m.StartMonitor();  // activation twice in a row joins once
    os.clipboard.Put(clip::kText, std::string("a", 2));
    EXPECT_EQ(Received(window, win::kWmDrawClipboard), 3) << "two registrations and one change, no loop";
}

TEST_F(ClipboardMonitorTest, DestroyingTheWindowStopsMonitoring) {
    for (bool vista : {true, false}) {
        SCOPED_TRACE(vista ? "listener" : "viewer chain");
        const WindowHandle first = OtherViewer();
        os.clipboard.JoinViewerChain(first);
        Make(vista).StartMonitor();
        appWindows.DestroyForm(AppForm::ClipboardMonitor);
        EXPECT_TRUE(os.clipboard.Listeners().empty());
        EXPECT_EQ(os.clipboard.FirstViewer(), first);
        monitor.reset();
        appWindows.CreateForm(AppForm::ClipboardMonitor);
        window = appWindows.FormWindow(AppForm::ClipboardMonitor);
    }
}

TEST_F(ClipboardMonitorTest, AnotherApplicationEmptyingOurClipboardCountsAsAChange) {
    TKvClipboardMonitor& m = Make(true);
    std::intptr_t result = -1;
    EXPECT_TRUE(m.HandleMessage(win::kWmDestroyClipboard, 0, 0, result));
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(m.ClipboardChanged());
    EXPECT_EQ(Sounds(), 1u);
    EXPECT_FALSE(m.HandleMessage(win::kWmTimer, 0, 0, result)) << "other messages are the form's";
}

TEST_F(ClipboardMonitorTest, TheUserClipboardComesBackWithAllItsFormatsAfterTheDelay) {
    struct Case {
        const char* name;
        bool slowClipboard;
        std::uint32_t delayMs;
    };
    for (const Case& c : {Case{"ordinary application", false, 300}, Case{"slow clipboard", true, 500}}) {
        SCOPED_TRACE(c.name);
        os.clipboard.Clear();
        TKvClipboardMonitor& m = Make(true);
        m.StartMonitor();
        PutUserContent(u"user text", "custom bytes");
        const std::size_t soundsBefore = Sounds();
        foreground.SlowClipboard = c.slowClipboard;
        Convert(u"CONVERTED");
        EXPECT_EQ(access->GetClipboardText(), u"CONVERTED");

        Advance(c.delayMs - 1);
        EXPECT_EQ(access->GetClipboardText(), u"CONVERTED");
        EXPECT_EQ(Sounds(), soundsBefore) << "the program's own traffic is silent";
        Advance(1);
        EXPECT_EQ(access->GetClipboardText(), u"user text");
        EXPECT_EQ(Read(customFormat), std::optional<std::string>("custom bytes"));
        EXPECT_FALSE(os.clipboard.HasFormat(clip::kText)) << "the converted ANSI text is gone";
        EXPECT_EQ(Sounds(), soundsBefore + 1) << "the restore is heard";
        EXPECT_EQ(os.loop.ActiveTimers(), 0u);
        monitor.reset();
    }
}

TEST_F(ClipboardMonitorTest, TwoConversionsWithin300MsRestoreTheFirstContent) {
    TKvClipboardMonitor& m = Make(true);
    m.StartMonitor();
    PutUserContent(u"original", "first");
    Convert(u"ONE");
    Advance(100);
    Convert(u"TWO");
    Advance(200);
    EXPECT_EQ(access->GetClipboardText(), u"TWO") << "the first restore was cancelled";
    Advance(100);
    EXPECT_EQ(access->GetClipboardText(), u"original");
    EXPECT_EQ(Read(customFormat), std::optional<std::string>("first"));
}

TEST_F(ClipboardMonitorTest, TheNextConversionSnapshotsWhatTheUserCopiedSince) {
    TKvClipboardMonitor& m = Make(true);
    m.StartMonitor();
    PutUserContent(u"first", "1");
    Convert(u"ONE");
    Advance(300);
    ASSERT_EQ(access->GetClipboardText(), u"first");
    PutUserContent(u"second", "2");
    Convert(u"TWO");
    Advance(300);
    EXPECT_EQ(access->GetClipboardText(), u"second");
    EXPECT_EQ(Read(customFormat), std::optional<std::string>("2"));
}

TEST_F(ClipboardMonitorTest, AClipboardThatCannotBeSavedMayNotBeEmptied) {
    struct Case {
        const char* name;
        std::function<void()> arrange;
        bool mayEmpty;
    };
    const Case cases[] = {
        {"empty clipboard", [] {}, true},
        {"held open by another program through every try",
         [&] {
             PutUserContent(u"user", "u");
             os.clipboard.SetBusy(true);
         },
         false},
        {"its owner hangs",
         [&] {
             os.clipboard.PutDelayed(customFormat, "rendered late", 50);
             os.clipboard.SetOwnerHung(true);
         },
         false},
        {"over the size limit",
         [&] { PutUserContent(u"user", std::string(ClipboardAccess::kSnapshotLimitBytes, 'x')); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        os.clipboard.Clear();
        TKvClipboardMonitor& m = Make(true);
        m.StartMonitor();
        c.arrange();
        const int changes = os.clipboard.ChangeCount();
        EXPECT_EQ(m.SaveUserClipboard(), c.mayEmpty);
        os.clipboard.SetBusy(false);
        os.clipboard.SetOwnerHung(false);
        EXPECT_EQ(os.clipboard.ChangeCount(), changes);
        EXPECT_EQ(m.SnapshotBytes(), 0u);
        if (c.mayEmpty) {
            // Nothing to put back: the converted text stays rather than an empty clipboard.
            m.SetChangeHandlingEnabled(false);
            access->CopyTextToClipboard(u"CONVERTED");
            m.ScheduleRestore();
            m.SetChangeHandlingEnabled(true);
            Advance(1000);
            EXPECT_EQ(access->GetClipboardText(), u"CONVERTED");
        }
        monitor.reset();
    }
}

TEST_F(ClipboardMonitorTest, WhatTheUserCopiesBeforeTheRestoreStays) {
    TKvClipboardMonitor& m = Make(true);
    m.StartMonitor();
    PutUserContent(u"before", "b");
    Convert(u"ONE");
    Advance(100);
    PutUserContent(u"copied after", "a");
    Advance(400);
    EXPECT_EQ(access->GetClipboardText(), u"copied after");
    EXPECT_EQ(Read(customFormat), std::optional<std::string>("a"));
    EXPECT_EQ(m.SnapshotBytes(), 0u) << "the snapshot is given up";
    EXPECT_EQ(os.loop.ActiveTimers(), 0u);

    // Copied while a restore is pending, then converted again: the new copy is what comes back.
    Convert(u"TWO");
    Advance(100);
    PutUserContent(u"copied between", "c");
    Convert(u"THREE");
    Advance(300);
    EXPECT_EQ(access->GetClipboardText(), u"copied between");
    EXPECT_EQ(Read(customFormat), std::optional<std::string>("c"));
    EXPECT_EQ(m.SnapshotBytes(), 0u) << "freed after the restore";
}

TEST_F(ClipboardMonitorTest, ARestoreThatFindsTheClipboardHeldOpenTriesAgainForAWhile) {
    struct Case {
        const char* name;
        std::optional<std::uint32_t> heldMs;  // from the restore's due time; always when empty
        std::u16string expected;
    };
    for (const Case& c : {Case{"held for 350 ms", 350, u"user"}, Case{"held for good", std::nullopt, u"CONVERTED"}}) {
        SCOPED_TRACE(c.name);
        os.clipboard.Clear();
        TKvClipboardMonitor& m = Make(true);
        m.StartMonitor();
        PutUserContent(u"user", "u");
        Convert(u"CONVERTED");
        Advance(299);
        if (c.heldMs) {
            os.clipboard.HoldOpenFor(*c.heldMs + 1);
        } else {
            os.clipboard.SetBusy(true);
        }
        for (int step = 0; step < 40; ++step) Advance(50);
        os.clipboard.SetBusy(false);
        EXPECT_EQ(access->GetClipboardText(), c.expected);
        EXPECT_EQ(m.SnapshotBytes(), 0u);
        EXPECT_EQ(os.loop.ActiveTimers(), 0u) << "no endless retrying";
        monitor.reset();
    }
}

TEST_F(ClipboardMonitorTest, WaitingForTheCutEndsWhenItsTextCanBeRead) {
    struct Case {
        const char* name;
        std::optional<std::uint32_t> cutAtMs;
        std::uint32_t heldOpenMs;  // the application closes the clipboard this long after filling it
        bool text;
        std::u16string expected;
        std::uint64_t waitedMs;
    };
    const Case cases[] = {
        {"cut 60 ms late", 60, 0, true, u"cut", 60 + 30},
        {"cut 200 ms late, clipboard held open 50 ms more", 200, 50, true, u"cut", 250 + 30},
        {"nothing is cut", std::nullopt, 0, true, u"", 300 + 30},
        {"cut too late", 400, 0, true, u"", 300 + 30},
        {"a cut without text", 100, 0, false, u"", 300 + 30},
    };
    const WindowHandle application = os.desktop.CreateWindow(u"Edit", u"Editor", kEditorProcess, true);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TKvClipboardMonitor& m = Make(true);
        m.StartMonitor();
        PutUserContent(u"user", "u");
        m.SetChangeHandlingEnabled(false);
        ASSERT_TRUE(access->EmptyClipboard());  // its notification is posted and still queued
        const std::uint32_t emptied = access->SequenceNumber();
        m.SetClipboardChanged(false);
        std::vector<TimerId> timers;
        auto later = [&](std::uint32_t ms, std::function<void()> work) {
            auto id = std::make_shared<TimerId>();
            *id = os.loop.StartTimer(ms, [this, id, work] {
                os.loop.StopTimer(*id);
                work();
            });
            timers.push_back(*id);
        };
        if (c.cutAtMs) {
            later(*c.cutAtMs, [&] {
                ASSERT_TRUE(os.clipboard.Open(application));
                os.clipboard.Empty();
                os.clipboard.SetData(c.text ? clip::kUnicodeText : customFormat, Utf16Bytes(u"cut"));
                if (c.heldOpenMs == 0) {
                    os.clipboard.Close();
                } else {
                    later(c.heldOpenMs, [this] { os.clipboard.Close(); });
                }
            });
        }
        const std::uint64_t start = os.loop.NowMs();
        EXPECT_EQ(m.WaitForCutText(emptied), c.expected);
        EXPECT_EQ(os.loop.NowMs() - start, c.waitedMs);
        for (TimerId id : timers) os.loop.StopTimer(id);
        Advance(200);
        os.clipboard.Close();
        m.SetChangeHandlingEnabled(true);
        monitor.reset();
    }
}

TEST_F(ClipboardMonitorTest, WaitingForTheCutTextEndsAtTheChangeOrAfter300Ms) {
    struct Case {
        const char* name;
        bool vista;
        std::optional<std::uint32_t> changeAtMs;
        std::uint64_t waitedMs;
    };
    const Case cases[] = {
        {"listener, text arrives", true, 120, 120 + 30},
        {"viewer chain, text arrives", false, 70, 70 + 30},
        {"nothing arrives", true, std::nullopt, 300 + 30},
        {"change too late", true, 400, 300 + 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TKvClipboardMonitor& m = Make(c.vista);
        m.StartMonitor();
        m.SetClipboardChanged(false);
        std::optional<TimerId> application;
        if (c.changeAtMs) {
            application = os.loop.StartTimer(*c.changeAtMs, [&] {
                os.loop.StopTimer(*application);
                os.clipboard.Put(clip::kText, std::string("cut", 4));
            });
        }
        const std::uint64_t start = os.loop.NowMs();
        m.WaitForClipboardChange();
        EXPECT_EQ(os.loop.NowMs() - start, c.waitedMs);
        if (application) os.loop.StopTimer(*application);
        monitor.reset();
    }
}

TEST_F(ClipboardMonitorTest, PasteWaitsLongerForANewOrLongUnusedWindowAndForSlowApplications) {
    struct Case {
        const char* name;
        bool slowClipboard;
        std::optional<std::uint32_t> earlierPasteMsAgo;
        bool busy;               // a busy application never idles: every wait runs to its limit
        std::uint64_t waitedMs;  // an idle one ends each wait after its first step
    };
    constexpr std::uint64_t kCtrlV = 40;
    const Case cases[] = {
        {"new window", false, std::nullopt, true, 600 + kCtrlV},
        {"new window, idle", false, std::nullopt, false, 150 + kCtrlV},
        {"new window, slow application", true, std::nullopt, true, 400 + 600 + kCtrlV},
        {"new window, slow application, idle", true, std::nullopt, false, 200 + 150 + kCtrlV},
        {"again within 30 s", false, 10'000, true, 250 + kCtrlV},
        {"again within 30 s, idle", false, 10'000, false, 50 + kCtrlV},
        {"again within 30 s, slow application", true, 10'000, true, 250 + kCtrlV},
        {"again after 30 s", false, 30'001, true, 250 + kCtrlV},
        {"again after 30 s, slow application", true, 30'001, true, 400 + 250 + kCtrlV},
        {"again after 30 s, slow application, idle", true, 30'001, false, 100 + 50 + kCtrlV},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const WindowHandle editor = os.desktop.CreateWindow(u"Edit", u"Editor", kEditorProcess, true);
        os.desktop.SetForeground(editor);
        os.desktop.SetCpuLoad(kEditorProcess, c.busy ? 500 : 0);
        foreground.SlowClipboard = c.slowClipboard;
        Make(true);
        if (c.earlierPasteMsAgo) {
            monitor->PasteIntoForeground();
            os.loop.Sleep(*c.earlierPasteMsAgo);
        }
        EXPECT_EQ(PasteDuration(), c.waitedMs);
        monitor.reset();
    }
}

TEST_F(ClipboardMonitorTest, PasteSendsCtrlVEvenWithoutAForegroundWindow) {
    Make(true);
    os.desktop.SetForeground(kNoWindow);
    EXPECT_EQ(PasteDuration(), 40u) << "only the paced keystrokes";
    const auto& sent = os.keyInput.Sent();
    ASSERT_EQ(sent.size(), 4u);
    const std::uint32_t up = win::kKeyEventKeyUp;
    EXPECT_EQ(sent[0].vk, kVkControl);
    EXPECT_EQ(sent[0].flags & up, 0u);
    EXPECT_EQ(sent[1].vk, kVkV);
    EXPECT_EQ(sent[1].flags & up, 0u);
    EXPECT_EQ(sent[2].vk, kVkV);
    EXPECT_EQ(sent[2].flags & up, up);
    EXPECT_EQ(sent[3].vk, kVkControl);
    EXPECT_EQ(sent[3].flags & up, up);
}

TEST_F(ClipboardMonitorTest, The101stPasteTargetStartsTheListAgain) {
    // An idle application ends each wait after its first step: 150 ms for a new window, 50 ms else.
    constexpr std::uint64_t kNew = 150 + 40, kKnown = 50 + 40;
    Make(true);
    std::vector<WindowHandle> editors;
    for (int i = 0; i < 101; ++i) editors.push_back(os.desktop.CreateWindow(u"Edit", u"", kEditorProcess, true));
    auto pasteInto = [&](WindowHandle target) {
        os.desktop.SetForeground(target);
        return PasteDuration();
    };
    for (int i = 0; i < 100; ++i) ASSERT_EQ(pasteInto(editors[i]), kNew) << i;
    EXPECT_EQ(pasteInto(editors[0]), kKnown);
    EXPECT_EQ(pasteInto(editors[100]), kNew);
    EXPECT_EQ(pasteInto(editors[100]), kKnown) << "the new list starts with it";
    EXPECT_EQ(pasteInto(editors[1]), kNew) << "forgotten with the old list";
}

}  // namespace
}  // namespace kv
