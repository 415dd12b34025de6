#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "platform/error.h"
#include "platform/paths.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_text.h"

namespace kv {
namespace {

TEST(Win32SeamTest, TimersFireOnTheLoopAndQuitEndsIt) {
    win32::Win32Platform os;
    int ticks = 0;
    TimerId id = 0;
    id = os.loop.StartTimer(20, [&] {
        if (++ticks == 3) {
            os.loop.StopTimer(id);
            os.loop.Quit();
        }
    });
    const auto started = os.clock.NowMs();
    os.loop.Run();
    EXPECT_EQ(ticks, 3);
    EXPECT_GE(os.clock.NowMs() - started, 40u);
    EXPECT_TRUE(os.loop.QuitRequested());
}

TEST(Win32SeamTest, ExceptionsFromHandlersReachTheHandlerNotTheSystem) {
    win32::Win32Platform os;
    std::u16string reported;
    os.loop.SetExceptionHandler([&](const std::u16string& text) {
        reported = text;
        os.loop.Quit();
    });
    TimerId id = 0;
    id = os.loop.StartTimer(10, [&] {
        os.loop.StopTimer(id);
        throw KvError(u"boom");
    });
    os.loop.Run();
    EXPECT_EQ(reported, u"boom");
}

TEST(Win32SeamTest, WindowsAreFoundByClassAndCaptionAndReceivePosts) {
    win32::Win32Platform os;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KvSeamTestWindow";
    RegisterClassExW(&wc);
    HWND hwnd = CreateWindowExW(0, L"KvSeamTestWindow", L"Seam test", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                wc.hInstance, nullptr);
    ASSERT_NE(hwnd, nullptr);
    const auto handle = reinterpret_cast<WindowHandle>(hwnd);

    EXPECT_EQ(os.windows.FindTopLevelWindow(u"KvSeamTestWindow", u"Seam test"), handle);
    EXPECT_EQ(os.windows.FindTopLevelWindow(u"KvSeamTestWindow", u"Other"), kNoWindow);
    EXPECT_FALSE(os.windows.IsWindowVisible(handle));
    const auto all = os.windows.TopLevelWindows();
    EXPECT_NE(std::find(all.begin(), all.end(), handle), all.end());

    EXPECT_TRUE(os.windows.PostToWindow(handle, WM_USER + 191, 7, 9));
    MSG m{};
    ASSERT_TRUE(PeekMessageW(&m, hwnd, WM_USER + 191, WM_USER + 191, PM_REMOVE));
    EXPECT_EQ(m.wParam, 7u);
    EXPECT_EQ(m.lParam, 9);
    DestroyWindow(hwnd);
    EXPECT_FALSE(os.windows.IsWindow(handle));
}

constexpr UINT kCountedMessage = WM_USER + 192;

LRESULT CALLBACK CountingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kCountedMessage) {
        InterlockedIncrement(reinterpret_cast<LONG*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)));
        return 42;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// A thread with a window that answers sends until told to be busy, waits without pumping until
// told to resume, then answers again until told to finish.
struct BusyReceiver {
    LONG handled = 0;
    HWND window = nullptr;
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE busy = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE resume = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE finish = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ~BusyReceiver() {
        for (HANDLE h : {ready, busy, resume, finish}) CloseHandle(h);
    }

    static void AnswerUntil(HANDLE event) {
        while (MsgWaitForMultipleObjects(1, &event, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
            MSG m;
            PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE);
        }
    }
    static DWORD WINAPI Run(void* parameter) {
        auto& r = *static_cast<BusyReceiver*>(parameter);
        r.window = CreateWindowExW(0, L"KvSeamSendTarget", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
        SetWindowLongPtrW(r.window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&r.handled));
        SetEvent(r.ready);
        AnswerUntil(r.busy);
        WaitForSingleObject(r.resume, INFINITE);
        AnswerUntil(r.finish);
        DestroyWindow(r.window);
        return 0;
    }
};

// The keyboard hook sends to other processes' windows: a busy receiver must not hold it.
TEST(Win32SeamTest, ASendToABusyThreadGivesUp) {
    win32::Win32Platform os;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = CountingProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KvSeamSendTarget";
    RegisterClassExW(&wc);
    BusyReceiver receiver;
    HANDLE thread = CreateThread(nullptr, 0, BusyReceiver::Run, &receiver, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    ASSERT_EQ(WaitForSingleObject(receiver.ready, 10000), WAIT_OBJECT_0);
    const auto target = reinterpret_cast<WindowHandle>(receiver.window);

    EXPECT_EQ(os.windows.SendToWindow(target, kCountedMessage, 0, 0), 42);
    SetEvent(receiver.busy);
    EXPECT_EQ(os.windows.SendToWindow(target, kCountedMessage, 0, 0), 0) << "gave up on the busy thread";
    EXPECT_EQ(InterlockedCompareExchange(&receiver.handled, 0, 0), 1);
    SetEvent(receiver.resume);
    EXPECT_EQ(os.windows.SendToWindow(target, kCountedMessage, 0, 0), 42) << "answered again once free";
    SetEvent(receiver.finish);
    EXPECT_EQ(WaitForSingleObject(thread, 10000), WAIT_OBJECT_0);
    CloseHandle(thread);
}

TEST(Win32SeamTest, TrueVersionAndWorkArea) {
    win32::Win32Platform os;
    const OsVersion v = os.system.Version();
    EXPECT_EQ(v.platformId, static_cast<std::uint32_t>(VER_PLATFORM_WIN32_NT));
    EXPECT_GE(v.major, 5u);
    const Rect area = os.windows.WorkAreaNearest({0, 0, 100, 100});
    EXPECT_GT(area.Width(), 0);
    EXPECT_GT(area.Height(), 0);
}

TEST(Win32SeamTest, LanguageNamesComeFromTheLocaleTables) {
    win32::Win32Platform os;
    EXPECT_EQ(os.system.LanguageName(0x0409), u"English (United States)");
    EXPECT_FALSE(os.system.LanguageName(0x0419).empty());
}

TEST(Win32SeamTest, FilesAndFolders) {
    win32::Win32Platform os;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::u16string root = win32::FromWide(temp) + u"kv seam test\\";
    const std::u16string deep = root + u"a\\b\\c";
    EXPECT_TRUE(os.files.CreateDirectoryTree(deep));
    EXPECT_TRUE(os.files.DirectoryExists(deep));
    EXPECT_TRUE(os.files.WriteWholeFile(deep + u"\\f.txt", "one\r\ntwo"));
    EXPECT_TRUE(os.files.WriteWholeFile(deep + u"\\f.txt", "three"));
    EXPECT_EQ(os.files.ReadWholeFile(deep + u"\\f.txt").value_or("?"), "three");
    EXPECT_TRUE(os.files.FileExists(deep + u"\\f.txt"));
    EXPECT_FALSE(os.files.FileExists(deep));
    EXPECT_FALSE(os.files.ReadWholeFile(deep + u"\\missing.txt").has_value());
    EXPECT_FALSE(os.files.ShellFolderPath(ShellFolder::AppData).empty());
    DeleteFileW(win32::W(deep + u"\\f.txt"));
    RemoveDirectoryW(win32::W(deep));
    RemoveDirectoryW(win32::W(root + u"a\\b"));
    RemoveDirectoryW(win32::W(root + u"a"));
    RemoveDirectoryW(win32::W(root));
}

// The companion built beside the tests makes its window before it first waits for input.
TEST(Win32SeamTest, AStartedProgramIsWaitedForUntilItIsUp) {
    win32::Win32Platform os;
    ASSERT_EQ(FindWindowW(L"KarmuxCm", L"KarmuxCm"), nullptr) << "a companion is running already";
    auto started = os.processes.StartHidden(FolderOf(os.processes.ExecutablePath()) + u"KarmuxCm.exe");
    ASSERT_TRUE(started);

    EXPECT_TRUE(started->WaitUntilStarted(20000));

    const HWND companion = FindWindowW(L"KarmuxCm", L"KarmuxCm");
    EXPECT_NE(companion, nullptr) << "its window exists once it is up";
    if (companion) SendMessageW(companion, WM_DESTROY, 0, 0);
}

TEST(Win32SeamTest, StartingAMissingProgramFails) {
    win32::Win32Platform os;
    EXPECT_FALSE(os.processes.StartHidden(u"C:\\no such folder\\KarmuxCm.exe"));
    EXPECT_NE(os.processes.ExecutablePath().find(u"kv_win32_tests"), std::u16string::npos);
}

}  // namespace
}  // namespace kv
