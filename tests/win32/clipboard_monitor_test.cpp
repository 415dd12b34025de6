#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "app/app_windows.h"
#include "clipboard/clipboard_monitor.h"
#include "clipboard/clipboard_stream.h"
#include "common/foreground_flags.h"
#include "common/synthetic_input.h"
#include "common/waits.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_platform.h"
#include "scratch_registry_key.h"
#include "settings/preset.h"

namespace kv {
namespace {

// The clipboard is one for the whole session and test processes run in parallel.
class ClipboardSessionLock {
public:
    ClipboardSessionLock() : mutex_(CreateMutexW(nullptr, FALSE, L"Local\\KarmuxTestsClipboard")) {
        if (mutex_) WaitForSingleObject(mutex_, 30'000);
    }
    ~ClipboardSessionLock() {
        if (!mutex_) return;
        ReleaseMutex(mutex_);
        CloseHandle(mutex_);
    }
    ClipboardSessionLock(const ClipboardSessionLock&) = delete;
    ClipboardSessionLock& operator=(const ClipboardSessionLock&) = delete;

private:
    HANDLE mutex_;
};

// A hidden window of its own class whose messages go to `handler` first.
class HandlerWindow {
public:
    HandlerWindow() {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"KvClipboardMonitorTestWindow";
        RegisterClassExW(&wc);
        hwnd_ = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, wc.hInstance, nullptr);
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~HandlerWindow() {
        handler = nullptr;
        DestroyWindow(hwnd_);
    }
    HandlerWindow(const HandlerWindow&) = delete;
    HandlerWindow& operator=(const HandlerWindow&) = delete;

    HWND Hwnd() const { return hwnd_; }
    WindowHandle Handle() const { return reinterpret_cast<WindowHandle>(hwnd_); }
    FormMessageHandler handler;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<HandlerWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        std::intptr_t result = 0;
        if (self && self->handler && self->handler(message, wParam, static_cast<std::intptr_t>(lParam), result)) {
            return static_cast<LRESULT>(result);
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    HWND hwnd_ = nullptr;
};

std::string Utf16Bytes(const std::u16string& text) {
    return std::string(reinterpret_cast<const char*>(text.c_str()), (text.size() + 1) * sizeof(char16_t));
}

// Another program's copy: a window of its own opens, empties and fills the clipboard.
bool CopyAsAnotherProgram(const std::vector<std::pair<UINT, std::string>>& formats) {
    HWND other = CreateWindowExW(0, L"STATIC", L"other program", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    bool ok = other && OpenClipboard(other);
    if (ok) {
        EmptyClipboard();
        for (const auto& [format, bytes] : formats) {
            HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
            std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
            GlobalUnlock(block);
            if (!SetClipboardData(format, block)) {
                GlobalFree(block);
                ok = false;
            }
        }
        CloseClipboard();
    }
    if (other) DestroyWindow(other);
    return ok;
}

std::string ReadFormat(UINT format) {
    std::string bytes = "<none>";
    if (!OpenClipboard(nullptr)) return "<busy>";
    if (HANDLE h = GetClipboardData(format)) {
        bytes.assign(static_cast<const char*>(GlobalLock(h)), GlobalSize(h));
        GlobalUnlock(h);
    }
    CloseClipboard();
    return bytes;
}

class RealClipboardMonitorTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(window.Hwnd(), nullptr);
        window.handler = [this](std::uint32_t m, std::uintptr_t w, std::intptr_t l, std::intptr_t& r) {
            return monitor && monitor->HandleMessage(m, w, l, r);
        };
    }
    void TearDown() override { monitor.reset(); }

    TKvClipboardMonitor& Make(bool vistaOrLater) {
        monitor = std::make_unique<TKvClipboardMonitor>(
            TKvClipboardMonitor::Services{os.platform, sounds, access, keys, foreground, vistaOrLater}, window.Handle());
        return *monitor;
    }

    ClipboardSessionLock lock;
    win32::Win32Platform os;
    testing::ScratchRegistryKey scratch;
    TAppIni ini{os.registry, os.files, nullptr, scratch.Path()};
    AppFolders folders = ResolveAppFolders(os.processes.ExecutablePath(), os.files);
    EventSoundPlayer sounds{os.platform.sound, os.platform.files, os.platform.version, folders.soundFolder};
    TPreset preset{os.platform, sounds, ini, folders, os.processes.ExecutablePath()};
    HandlerWindow window;
    ClipboardFormats formats = ClipboardFormats::Register(os.clipboard);
    ClipboardAccess access{os.clipboard, os.loop, os.clock, os.system, formats, window.Handle()};
    KeySender keys{os.keyInput, os.layouts, os.clock};
    ForegroundFlags foreground;
    std::unique_ptr<TKvClipboardMonitor> monitor;
};

TEST_F(RealClipboardMonitorTest, AnotherProgramsCopyReachesTheHiddenWindowBeforeTheWaitRunsOut) {
    ASSERT_TRUE(os.clipboard.ChangeListenerAvailable()) << "user32 exports the format listener functions";
    for (bool listener : {true, false}) {
        SCOPED_TRACE(listener ? "format listener" : "viewer chain");
        TKvClipboardMonitor& m = Make(listener);
        m.StartMonitor();
        if (!listener) {
            EXPECT_EQ(GetClipboardViewer(), window.Hwnd());
        }
        os.loop.ProcessPendingMessages();
        m.SetClipboardChanged(false);

        ASSERT_TRUE(CopyAsAnotherProgram({{CF_UNICODETEXT, Utf16Bytes(u"copied elsewhere")}}));
        // That the wait ends at the notification rather than at its limit is shown on the virtual clock.
        m.WaitForClipboardChange();
        EXPECT_TRUE(m.ClipboardChanged()) << "the notification arrived while the program waited for it";

        m.StopMonitor();
        if (!listener) {
            EXPECT_NE(GetClipboardViewer(), window.Hwnd());
        }
        os.loop.ProcessPendingMessages();
        m.SetClipboardChanged(false);
        ASSERT_TRUE(CopyAsAnotherProgram({{CF_UNICODETEXT, Utf16Bytes(u"unseen")}}));
        WaitPumping(os.platform, 100);
        EXPECT_FALSE(m.ClipboardChanged()) << "nothing arrives after StopMonitor";
        monitor.reset();
    }
}

TEST_F(RealClipboardMonitorTest, SnapshotAndDelayedRestoreBringBackEveryFormat) {
    const UINT custom = RegisterClipboardFormatW(L"Karmux Monitor Test Format");
    const std::string customBytes("custom\0bytes", 12);
    ASSERT_TRUE(CopyAsAnotherProgram({{CF_UNICODETEXT, Utf16Bytes(u"user's text")}, {custom, customBytes}}));
    TKvClipboardMonitor& m = Make(true);
    m.StartMonitor();
    os.loop.ProcessPendingMessages();

    m.SaveUserClipboard();
    m.SetChangeHandlingEnabled(false);
    ASSERT_TRUE(access.CopyTextToClipboard(u"CONVERTED"));
    m.ScheduleRestore();
    const std::uint64_t scheduled = os.clock.NowMs();
    m.SetChangeHandlingEnabled(true);
    EXPECT_EQ(access.GetClipboardText(), u"CONVERTED");
    EXPECT_EQ(ReadFormat(custom), "<none>");

    const bool restored = PumpUntil(os.platform, 3000, [&] { return ReadFormat(custom) != "<none>"; });
    ASSERT_TRUE(restored);
    EXPECT_GE(os.clock.NowMs() - scheduled, 250u) << "not before the restore delay";
    EXPECT_EQ(access.GetClipboardText(), u"user's text");
    EXPECT_EQ(ReadFormat(custom).substr(0, customBytes.size()), customBytes);
}

TEST_F(RealClipboardMonitorTest, WhatAnotherProgramCopiesBeforeTheRestoreStays) {
    ASSERT_TRUE(CopyAsAnotherProgram({{CF_UNICODETEXT, Utf16Bytes(u"user's text")}}));
    TKvClipboardMonitor& m = Make(true);
    m.StartMonitor();
    os.loop.ProcessPendingMessages();

    ASSERT_TRUE(m.SaveUserClipboard());
    EXPECT_GT(m.SnapshotBytes(), 0u);
    m.SetChangeHandlingEnabled(false);
    const std::uint32_t before = os.clipboard.SequenceNumber();
    ASSERT_TRUE(access.CopyTextToClipboard(u"CONVERTED"));
    EXPECT_NE(os.clipboard.SequenceNumber(), before) << "the system counts the program's own change";
    m.ScheduleRestore();
    m.SetChangeHandlingEnabled(true);
    ASSERT_TRUE(CopyAsAnotherProgram({{CF_UNICODETEXT, Utf16Bytes(u"copied after")}}));

    WaitPumping(os.platform, 800);
    EXPECT_EQ(access.GetClipboardText(), u"copied after");
    EXPECT_EQ(m.SnapshotBytes(), 0u) << "the snapshot is given up";
}

TEST_F(RealClipboardMonitorTest, TheSnapshotMeasuresBlocksAndLeavesHandlesOut) {
    HBITMAP bitmap = CreateCompatibleBitmap(win32::WindowDc(nullptr).Get(), 4, 4);
    ASSERT_NE(bitmap, nullptr);
    ASSERT_TRUE(OpenClipboard(window.Hwnd()));
    EmptyClipboard();
    const std::string text = Utf16Bytes(u"beside a bitmap");
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size());
    std::memcpy(GlobalLock(block), text.data(), text.size());
    GlobalUnlock(block);
    ASSERT_NE(SetClipboardData(CF_UNICODETEXT, block), nullptr);
    ASSERT_NE(SetClipboardData(CF_BITMAP, bitmap), nullptr);
    CloseClipboard();
    EXPECT_TRUE(os.clipboard.OwnerAnswers(100)) << "the owner is this thread's window";

    ASSERT_TRUE(os.clipboard.Open(window.Handle()));
    EXPECT_GE(os.clipboard.DataSize(CF_UNICODETEXT).value_or(0), text.size());
    EXPECT_EQ(os.clipboard.DataSize(CF_BITMAP), std::nullopt);
    os.clipboard.Close();

    std::string stream;
    ASSERT_EQ(access.SaveClipboardToStream(stream), SnapshotResult::Saved);
    for (std::size_t at = 0; at + 6 <= stream.size();) {
        const auto byte = [&](std::size_t i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(stream[i])); };
        EXPECT_NE(byte(at) | byte(at + 1) << 8, static_cast<std::uint32_t>(CF_BITMAP)) << "a handle's bytes were kept";
        at += 6 + (byte(at + 2) | byte(at + 3) << 8 | byte(at + 4) << 16 | byte(at + 5) << 24);
    }
    ASSERT_TRUE(access.RestoreClipboardFromStream(stream));
    EXPECT_EQ(access.GetClipboardText(), u"beside a bitmap");
}

}  // namespace
}  // namespace kv
