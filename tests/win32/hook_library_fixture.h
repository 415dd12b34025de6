#pragma once
// Shared by the hook library tests: KarmuxH.dll loaded from the test's folder and hooked to a
// window of this process, and a second process (hooktarget.exe) with a window of its own.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "common/messages.h"
#include "hooktarget_protocol.h"
#include "platform/win32/win32_handles.h"

namespace kv::hooklib_test {

using HookFunction = BOOL(WINAPI*)(HWND);
using UnHookFunction = void(WINAPI*)();

inline const HKL kUsLayout = reinterpret_cast<HKL>(static_cast<UINT_PTR>(0x04090409));

inline std::wstring ExeFolder() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

struct Notification {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

struct StartedProcess {
    win32::UniqueKernelHandle handle;
    DWORD id = 0;
    HWND window = nullptr;
};

class HookLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        sink_.Reset(CreateWindowExW(0, L"STATIC", L"hook library test", WS_POPUP, 320, 40, 120, 80, nullptr, nullptr,
                                    nullptr, nullptr));
        ASSERT_TRUE(sink_);
        // Shown without activation, like the target: see hooktarget.cpp.
        ShowWindow(sink_.Get(), SW_SHOWNOACTIVATE);
        library_.Reset(LoadLibraryW((ExeFolder() + L"KarmuxH.dll").c_str()));
        ASSERT_TRUE(library_) << "KarmuxH.dll not beside the test";
        hook_ = Export<HookFunction>("Hook");
        unHook_ = Export<UnHookFunction>("UnHook");
        ASSERT_NE(hook_, nullptr);
        ASSERT_NE(unHook_, nullptr);
        ASSERT_TRUE(Start(ExeFolder() + L"hooktarget.exe", hooktarget::kWindowClass, target_));
    }

    void TearDown() override {
        Unload();
        if (!target_.handle) return;
        if (target_.window) PostMessageW(target_.window, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(target_.handle.Get(), 3000) != WAIT_OBJECT_0) TerminateProcess(target_.handle.Get(), 1);
    }

    template <typename Function>
    Function Export(const char* name) const {
        return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library_.Get(), name)));
    }

    // Starts `path` and waits for its top-level window of class `windowClass`.
    bool Start(const std::wstring& path, const wchar_t* windowClass, StartedProcess& started) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        if (!CreateProcessW(path.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
            return false;
        started.handle.Reset(info.hProcess);
        CloseHandle(info.hThread);
        started.id = info.dwProcessId;
        WaitForInputIdle(info.hProcess, 5000);
        return PumpUntil(5000, [&] { return (started.window = FindWindowOf(started.id, windowClass)) != nullptr; });
    }

    struct WindowSearch {
        DWORD processId;
        const wchar_t* windowClass;
        HWND found;
    };

    static BOOL CALLBACK MatchWindow(HWND window, LPARAM data) {
        auto& search = *reinterpret_cast<WindowSearch*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        wchar_t name[64];
        if (owner != search.processId || !GetClassNameW(window, name, 64) || lstrcmpiW(name, search.windowClass))
            return TRUE;
        search.found = window;
        return FALSE;
    }

    static HWND FindWindowOf(DWORD processId, const wchar_t* windowClass) {
        WindowSearch search{processId, windowClass, nullptr};
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    void Hook() {
        ASSERT_TRUE(hook_(sink_.Get()));
        hooked_ = true;
    }

    void Unload() {
        if (hooked_) unHook_();
        hooked_ = false;
        library_.Reset();
    }

    // Dispatches this thread's messages (window events arrive through them) and records the
    // notifications posted to the sink, until `done` or the time is up.
    bool PumpUntil(DWORD timeoutMs, const std::function<bool()>& done) {
        const DWORD start = GetTickCount();
        for (;;) {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                if (message.hwnd == sink_.Get() && message.message >= msg::kLayoutChanged &&
                    message.message <= msg::kActionsMenuTimerStop)
                    received_.push_back({message.message, message.wParam, message.lParam});
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
            if (done && done()) return true;
            const DWORD elapsed = GetTickCount() - start;
            if (elapsed >= timeoutMs) return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(timeoutMs - elapsed, 20), QS_ALLINPUT);
        }
    }

    // Without a window manager Wine follows X focus events that may arrive late and hand the
    // foreground back: ask again until the window has stayed in front for a while.
    bool BringToFront(HWND window) {
        DWORD inFrontSince = 0;
        DWORD lastAsked = 0;
        return PumpUntil(5000, [&] {
            const DWORD now = GetTickCount();
            if (GetForegroundWindow() != window) {
                inFrontSince = 0;
                if (now - lastAsked >= 200) {
                    SetForegroundWindow(window);
                    lastAsked = now;
                }
                return false;
            }
            if (!inFrontSince) inFrontSince = now;
            return now - inFrontSince >= 150;
        });
    }

    // What the target's window procedure reports; -1 when the target does not answer.
    LRESULT AskTarget(UINT query) const {
        DWORD_PTR answer = 0;
        if (!SendMessageTimeoutW(target_.window, query, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer)) return -1;
        return static_cast<LRESULT>(answer);
    }

    std::ptrdiff_t Find(UINT message, const std::function<bool(const Notification&)>& match = nullptr) const {
        auto it = std::find_if(received_.begin(), received_.end(), [&](const Notification& n) {
            return n.message == message && (!match || match(n));
        });
        return it == received_.end() ? -1 : it - received_.begin();
    }

    bool Received(UINT message, const std::function<bool(const Notification&)>& match = nullptr) const {
        return Find(message, match) >= 0;
    }

    bool ForegroundReportedAs(HWND window) const {
        return Received(msg::kForegroundChanged,
                        [&](const Notification& n) { return n.wParam == reinterpret_cast<WPARAM>(window); });
    }

    std::string Describe() const {
        std::string text = "received:";
        for (const Notification& n : received_) {
            text += " " + std::to_string(n.message) + "(" + std::to_string(n.wParam) + "," +
                    std::to_string(n.lParam) + ")";
        }
        return text;
    }

    win32::UniqueWindow sink_;
    win32::UniqueModule library_;
    HookFunction hook_ = nullptr;
    UnHookFunction unHook_ = nullptr;
    bool hooked_ = false;
    StartedProcess target_;
    std::vector<Notification> received_;
};

}  // namespace kv::hooklib_test
