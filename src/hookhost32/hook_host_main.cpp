// KarmuxHost32: the 32-bit hook host. The 64-bit program starts it with its window's handle.
// It loads the 32-bit hook library beside it, hooks with a message-only window of its own (the
// library accepts only its caller's windows) and passes every notification on to the program's
// window. The library hooks only the 32-bit threads that come to the front: where hooks of both
// bitnesses share an application's chain, Wine never runs the second inside that application. It ends on WM_QUIT from the program, or by itself once the program's window is gone,
// so that no hook outlives the program.
#include <windows.h>

#include <cwchar>
#include <string>

#include "common/messages.h"
#include "platform/win32/dll_search.h"

namespace {

constexpr wchar_t kHostClass[] = L"KarmuxHost32";
constexpr wchar_t kLibraryFile[] = L"KarmuxH32.dll";
constexpr wchar_t kProgramFile[] = L"Karmux.exe";
constexpr UINT_PTR kWatchTimer = 1;
constexpr UINT kWatchIntervalMs = 500;

enum ExitCode : int { kEndedNormally = 0, kBadArguments = 1, kNotOurProgram = 2, kNoLibrary = 3, kHookRefused = 4 };

using HookFn = BOOL(WINAPI*)(HWND);
using UnHookFn = void(WINAPI*)();

// Window procedures get no context pointer cheaper than this; set once before the window exists.
struct HostContext {
    HWND programWindow = nullptr;
};

bool IsNotification(UINT message) {
    return message >= kv::msg::kLayoutChanged && message <= kv::msg::kActionsMenuTimerStop &&
           message != kv::msg::kSwitchLayout;
}

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    const auto* context = reinterpret_cast<const HostContext*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (context && IsNotification(message)) {
        // The program tells the answers passed on here from those of its own library.
        if (message == kv::msg::kSwitchAcknowledged) lParam = kv::msg::kThroughHost32;
        PostMessageW(context->programWindow, message, wParam, lParam);
        return 0;
    }
    if (context && message == WM_TIMER && wParam == kWatchTimer && !IsWindow(context->programWindow)) {
        PostQuitMessage(kEndedNormally);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

std::wstring ModuleFolder() {
    wchar_t path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return {};
    std::wstring folder(path, n);
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

// Notifications go only to the program of this folder: nobody can point the host elsewhere.
bool BelongsToOurProgram(HWND window, const std::wstring& folder) {
    DWORD processId = 0;
    if (!GetWindowThreadProcessId(window, &processId)) return false;
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process) return false;
    wchar_t image[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    const BOOL read = QueryFullProcessImageNameW(process, 0, image, &size);
    CloseHandle(process);
    return read && _wcsicmp(image, (folder + kProgramFile).c_str()) == 0;
}

class LoadedLibrary {
public:
    explicit LoadedLibrary(const std::wstring& path) : module_(LoadLibraryW(path.c_str())) {}
    ~LoadedLibrary() {
        if (module_) FreeLibrary(module_);
    }
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;
    template <typename Fn>
    Fn Export(const char* name) const {
        return module_ ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module_, name))) : nullptr;
    }

private:
    HMODULE module_;
};

HWND ParseWindow(const wchar_t* text) {
    wchar_t* end = nullptr;
    const unsigned long long value = std::wcstoull(text, &end, 10);
    if (end == text || *end != L'\0' || value == 0) return nullptr;
    return reinterpret_cast<HWND>(static_cast<UINT_PTR>(value));
}

int RunHost(HINSTANCE instance, HWND programWindow) {
    const std::wstring folder = ModuleFolder();
    if (!IsWindow(programWindow) || !BelongsToOurProgram(programWindow, folder)) return kNotOurProgram;

    HostContext context{programWindow};
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = HostWindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = kHostClass;
    if (!RegisterClassExW(&wc)) return kBadArguments;
    // Message-only: never shown, never listed among the desktop's windows.
    HWND window = CreateWindowExW(0, kHostClass, kHostClass, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, &context);
    if (!window) return kBadArguments;

    LoadedLibrary library(folder + kLibraryFile);
    const auto hook = library.Export<HookFn>("HookThreadsInFront");
    const auto unhook = library.Export<UnHookFn>("UnHook");
    if (!hook || !unhook) {
        DestroyWindow(window);
        return kNoLibrary;
    }
    if (!hook(window)) {
        DestroyWindow(window);
        return kHookRefused;
    }
    SetTimer(window, kWatchTimer, kWatchIntervalMs, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    unhook();
    DestroyWindow(window);
    return kEndedNormally;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    kv::win32::RestrictDllSearchToSystemFolder();
    // The message queue exists before the program can ask this thread to quit.
    MSG peek;
    PeekMessageW(&peek, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    if (__argc != 2) return kBadArguments;
    const HWND programWindow = ParseWindow(__wargv[1]);
    if (!programWindow) return kBadArguments;
    return RunHost(instance, programWindow);
}
