// KarmuxH.dll for real: foreground reports, layout requests answered inside another process,
// and a clean end at UnHook.
#include "hook_library_fixture.h"

namespace kv::hooklib_test {
namespace {

TEST_F(HookLibraryTest, ReportsTheOtherProcessComingToTheFrontWithItsLayout) {
    ASSERT_TRUE(BringToFront(sink_.Get()));
    Hook();
    received_.clear();
    ASSERT_TRUE(BringToFront(target_.window));
    ASSERT_TRUE(PumpUntil(3000, [&] { return ForegroundReportedAs(target_.window); })) << Describe();

    // The report of the window is followed by its thread's layout.
    const auto layoutAfterForeground = [&] {
        const auto foreground = received_.begin() + Find(msg::kForegroundChanged, [&](const Notification& n) {
                                    return n.wParam == reinterpret_cast<WPARAM>(target_.window);
                                });
        return std::find_if(foreground, received_.end(),
                            [](const Notification& n) { return n.message == msg::kLayoutChanged; });
    };
    ASSERT_TRUE(PumpUntil(3000, [&] { return layoutAfterForeground() != received_.end(); })) << Describe();
    EXPECT_EQ(layoutAfterForeground()->lParam, reinterpret_cast<LPARAM>(GetKeyboardLayout(0)));
}

// Wine's notepad of the other bitness, or empty on a 32-bit system.
std::wstring NotepadOfTheOtherBitness() {
    BOOL wow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &wow64);
    if (sizeof(void*) == 4 && !wow64) return {};
    wchar_t windows[MAX_PATH];
    const UINT length = GetSystemWindowsDirectoryW(windows, MAX_PATH);
    // A 32-bit process sees the 64-bit system folder only as "sysnative".
    return std::wstring(windows, length) + (wow64 ? L"\\sysnative\\notepad.exe" : L"\\syswow64\\notepad.exe");
}

// The test scripts try a 32-bit program on the host and say so in KV_HOST_RUNS_32BIT: on a kernel
// without IA-32 emulation Wine cannot start any 32-bit program, so there is no 32-bit notepad.
bool HostRefuses32BitPrograms() {
    wchar_t value[8];
    const DWORD length = GetEnvironmentVariableW(L"KV_HOST_RUNS_32BIT", value, 8);
    return length == 1 && value[0] == L'0';
}

// The hooks cannot enter a process of the other bitness; the window events still see it.
TEST_F(HookLibraryTest, ReportsAnApplicationTheHooksCannotEnter) {
    const std::wstring notepadPath = NotepadOfTheOtherBitness();
    if (notepadPath.empty()) GTEST_SKIP() << "a 32-bit system has one bitness only";
    if (sizeof(void*) == 8 && HostRefuses32BitPrograms()) {
        GTEST_SKIP() << "this host runs no 32-bit programs (KV_HOST_RUNS_32BIT=0), so the 32-bit notepad cannot start";
    }
    Hook();
    ASSERT_TRUE(BringToFront(sink_.Get()));
    StartedProcess notepad;
    const bool started = Start(notepadPath, L"Notepad", notepad);
    struct Ender {
        StartedProcess& process;
        ~Ender() {
            if (process.handle) TerminateProcess(process.handle.Get(), 0);
        }
    } ender{notepad};
    ASSERT_TRUE(started);
    BOOL notepadIsWow64 = FALSE, thisIsWow64 = FALSE;
    IsWow64Process(notepad.handle.Get(), &notepadIsWow64);
    IsWow64Process(GetCurrentProcess(), &thisIsWow64);
    ASSERT_NE(notepadIsWow64, thisIsWow64);

    ASSERT_TRUE(BringToFront(sink_.Get()));
    received_.clear();
    ASSERT_TRUE(BringToFront(notepad.window));
    EXPECT_TRUE(PumpUntil(3000, [&] { return ForegroundReportedAs(notepad.window); })) << Describe();
}

TEST_F(HookLibraryTest, AnswersALayoutRequestInTheOtherProcessWithTheLayoutBeforeTheAcknowledgement) {
    Hook();
    ASSERT_TRUE(BringToFront(target_.window));
    EXPECT_EQ(AskTarget(hooktarget::kQueryLibraryLoaded), 1);
    PumpUntil(200, nullptr);
    received_.clear();

    ASSERT_TRUE(PostMessageW(target_.window, msg::kSwitchLayout, reinterpret_cast<WPARAM>(kUsLayout), 0));
    ASSERT_TRUE(PumpUntil(2000, [&] { return Received(msg::kSwitchAcknowledged); }));

    const auto acknowledgement = Find(msg::kSwitchAcknowledged);
    const auto layout = Find(msg::kLayoutChanged,
                             [](const Notification& n) { return n.lParam == reinterpret_cast<LPARAM>(kUsLayout); });
    ASSERT_GE(layout, 0) << Describe();
    EXPECT_LT(layout, acknowledgement);
    // Our request is taken out of the target's queue, not handed to its window procedure.
    EXPECT_EQ(AskTarget(hooktarget::kQuerySwitchRequestsSeen), 0);
}

TEST_F(HookLibraryTest, LeavesOtherMessagesOfTheSameNumberToTheWindowAndAnswersNoWindowBehind) {
    struct Case {
        const char* name;
        WPARAM wParam;
        LPARAM lParam;
        bool targetInFront;
        bool reachesTheWindow;
    };
    const WPARAM us = reinterpret_cast<WPARAM>(kUsLayout);
    const Case cases[] = {
        {"a value that is no installed layout", 0x12345, 0, true, true},
        {"a request with an lParam", us, 7, true, true},
        {"a request to a window no longer in front", us, 0, false, false},
    };
    Hook();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(BringToFront(c.targetInFront ? target_.window : sink_.Get()));
        const LRESULT seenBefore = AskTarget(hooktarget::kQuerySwitchRequestsSeen);
        received_.clear();
        ASSERT_TRUE(PostMessageW(target_.window, msg::kSwitchLayout, c.wParam, c.lParam));
        if (c.reachesTheWindow) {
            PumpUntil(3000, [&] { return AskTarget(hooktarget::kQuerySwitchRequestsSeen) > seenBefore; });
        }
        PumpUntil(300, nullptr);  // what must not arrive (an acknowledgement, a request) has this long to show
        EXPECT_EQ(AskTarget(hooktarget::kQuerySwitchRequestsSeen), seenBefore + (c.reachesTheWindow ? 1 : 0));
        if (c.reachesTheWindow) {
            EXPECT_EQ(AskTarget(hooktarget::kQueryLastSwitchRequest), static_cast<LRESULT>(c.wParam));
        }
        EXPECT_FALSE(Received(msg::kSwitchAcknowledged));
    }
}

TEST_F(HookLibraryTest, AfterUnHookNothingIsReportedAndTheOtherProcessGoesOn) {
    Hook();
    ASSERT_TRUE(BringToFront(target_.window));
    ASSERT_TRUE(PumpUntil(3000, [&] { return ForegroundReportedAs(target_.window); }));
    ASSERT_EQ(AskTarget(hooktarget::kQueryLibraryLoaded), 1);

    Unload();
    PumpUntil(200, nullptr);
    received_.clear();
    ASSERT_TRUE(BringToFront(sink_.Get()));
    ASSERT_TRUE(BringToFront(target_.window));
    ASSERT_TRUE(PostMessageW(target_.window, msg::kSwitchLayout, reinterpret_cast<WPARAM>(kUsLayout), 0));
    // With the hook gone the request reaches the window like any message.
    EXPECT_TRUE(PumpUntil(2000, [&] { return AskTarget(hooktarget::kQuerySwitchRequestsSeen) == 1; }));
    PumpUntil(300, nullptr);

    EXPECT_TRUE(received_.empty()) << Describe();
    EXPECT_EQ(WaitForSingleObject(target_.handle.Get(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
    // Still answering (Wine keeps the library mapped in the target until it ends).
    EXPECT_EQ(AskTarget(hooktarget::kQuerySwitchRequestsSeen), 1);
}

// Beside the program's library of the other bitness: the hooks follow the window in front into
// its thread, answer there, and report no window in front (the program's library does).
TEST_F(HookLibraryTest, HookingThreadsInFrontEntersATargetOnlyOnceItComesToTheFront) {
    const auto hookThreadsInFront = Export<HookFunction>("HookThreadsInFront");
    ASSERT_NE(hookThreadsInFront, nullptr);
    ASSERT_TRUE(BringToFront(sink_.Get()));
    ASSERT_TRUE(hookThreadsInFront(sink_.Get()));
    hooked_ = true;
    PumpUntil(300, nullptr);
    EXPECT_EQ(AskTarget(hooktarget::kQueryLibraryLoaded), 0) << "a thread that was never in front was hooked";

    received_.clear();
    ASSERT_TRUE(BringToFront(target_.window));
    ASSERT_TRUE(PumpUntil(3000, [&] { return AskTarget(hooktarget::kQueryLibraryLoaded) == 1; }));
    ASSERT_TRUE(PostMessageW(target_.window, msg::kSwitchLayout, reinterpret_cast<WPARAM>(kUsLayout), 0));
    ASSERT_TRUE(PumpUntil(2000, [&] { return Received(msg::kSwitchAcknowledged); })) << Describe();
    EXPECT_EQ(AskTarget(hooktarget::kQuerySwitchRequestsSeen), 0);
    EXPECT_FALSE(Received(msg::kForegroundChanged)) << Describe();
}

TEST_F(HookLibraryTest, RefusesAWindowOfAnotherProcessAndStaysFreeForItsOwn) {
    EXPECT_FALSE(hook_(target_.window));
    EXPECT_FALSE(hook_(GetDesktopWindow()));
    // The refusal took nothing: this process can still hook its own window.
    Hook();
    ASSERT_TRUE(BringToFront(target_.window));
    EXPECT_TRUE(PumpUntil(3000, [&] { return ForegroundReportedAs(target_.window); })) << Describe();
}

TEST_F(HookLibraryTest, RefusesAWindowThatDoesNotExist) {
    HWND gone = CreateWindowExW(0, L"STATIC", L"gone", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(gone, nullptr);
    DestroyWindow(gone);
    EXPECT_FALSE(hook_(gone));
    EXPECT_FALSE(hook_(nullptr));
}

}  // namespace
}  // namespace kv::hooklib_test
