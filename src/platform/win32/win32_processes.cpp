#include "platform/win32/win32_processes.h"

#include <windows.h>
#include <shellapi.h>
#include <psapi.h>

#include <algorithm>
#include <utility>

#include "platform/paths.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_text.h"

namespace kv::win32 {

namespace {

class Win32StartedProcess : public IStartedProcess {
public:
    explicit Win32StartedProcess(UniqueKernelHandle process) : process_(std::move(process)) {}

    bool WaitUntilStarted(std::uint32_t ms) override {
        const DWORD result = WaitForInputIdle(process_.Get(), ms);
        if (result == 0) return true;
        // A program without a message queue never becomes idle: the time is waited out instead.
        if (result == WAIT_FAILED) ::Sleep(ms);
        return false;
    }

private:
    UniqueKernelHandle process_;
};

// The helper's main thread runs a message loop: WM_QUIT posted to it ends the loop, after which
// the helper undoes its work and exits.
class Win32HelperProcess : public IHelperProcess {
public:
    Win32HelperProcess(UniqueKernelHandle process, DWORD threadId) : process_(std::move(process)), threadId_(threadId) {}
    ~Win32HelperProcess() override {
        if (Running()) End(kEndWaitMs);
    }

    bool Running() const override { return WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT; }

    bool End(std::uint32_t ms) override {
        if (!Running()) return true;
        const ULONGLONG deadline = GetTickCount64() + ms;
        // A helper that has only just started may have no message queue yet to post to.
        while (!PostThreadMessageW(threadId_, WM_QUIT, 0, 0)) {
            const ULONGLONG now = GetTickCount64();
            if (now >= deadline) break;
            if (WaitForSingleObject(process_.Get(), static_cast<DWORD>(std::min<ULONGLONG>(kQueueRetryMs, deadline - now))) ==
                WAIT_OBJECT_0) {
                return true;
            }
        }
        const ULONGLONG now = GetTickCount64();
        if (now < deadline && WaitForSingleObject(process_.Get(), static_cast<DWORD>(deadline - now)) == WAIT_OBJECT_0) {
            return true;
        }
        TerminateProcess(process_.Get(), 1);
        WaitForSingleObject(process_.Get(), ms);
        return false;
    }

private:
    static constexpr std::uint32_t kEndWaitMs = 2000;
    static constexpr ULONGLONG kQueueRetryMs = 20;
    UniqueKernelHandle process_;
    DWORD threadId_;
};

}  // namespace

std::u16string Win32Processes::ExecutablePath() const {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return {};
        if (n < buffer.size()) return FromWide(std::wstring_view(buffer.data(), n));
        buffer.resize(buffer.size() * 2);
    }
}

std::vector<std::u16string> Win32Processes::CommandLineArguments() const {
    std::vector<std::u16string> arguments;
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!argv) return arguments;
    for (int i = 1; i < count; ++i) arguments.push_back(FromWide(argv[i]));
    LocalFree(argv);
    return arguments;
}

std::unique_ptr<IStartedProcess> Win32Processes::StartHidden(const std::u16string& fullPath) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"\"" + ToWide(fullPath) + L"\"";
    const std::u16string folder = FolderOf(fullPath);
    if (!CreateProcessW(W(fullPath), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : W(folder), &startup, &info)) {
        return nullptr;
    }
    UniqueKernelHandle process(info.hProcess);
    UniqueKernelHandle thread(info.hThread);
    return std::make_unique<Win32StartedProcess>(std::move(process));
}

std::unique_ptr<IHelperProcess> Win32Processes::StartHelper(const std::u16string& fullPath,
                                                           const std::u16string& arguments) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"\"" + ToWide(fullPath) + L"\" " + ToWide(arguments);
    const std::u16string folder = FolderOf(fullPath);
    if (!CreateProcessW(W(fullPath), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : W(folder), &startup, &info)) {
        return nullptr;
    }
    UniqueKernelHandle thread(info.hThread);
    return std::make_unique<Win32HelperProcess>(UniqueKernelHandle(info.hProcess), info.dwThreadId);
}

unsigned Win32Processes::ProgramBits() const { return sizeof(void*) * 8; }

std::u16string Win32Processes::ProcessImagePath(std::uint32_t processId) const {
    UniqueKernelHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    if (!process) return {};
    wchar_t path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameExW(process.Get(), nullptr, path, MAX_PATH);
    return FromWide(std::wstring_view(path, n));
}

double Win32Processes::ProcessCpuTimeMs(std::uint32_t processId) const {
    UniqueKernelHandle process(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId));
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!process || !GetProcessTimes(process.Get(), &created, &exited, &kernel, &user)) return 0.0;
    auto ticks = [](const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;  // 100 ns units
}

}  // namespace kv::win32
