#include "hooklib/notifications.h"

#include "common/messages.h"
#include "hooklib/pointer_events.h"
#include "hooklib/shared_state.h"

namespace kv::hooklib {
namespace {

HWND AppWindow() noexcept { return ToHandle<HWND>(Load(Shared().appWindow)); }

// The program shows its desktop icon only when told 0.
bool IsDesktop(HWND window) noexcept {
    if (window == GetShellWindow() || window == GetDesktopWindow()) return true;
    wchar_t className[16];
    if (GetClassNameW(window, className, 16) == 0) return false;
    return lstrcmpiW(className, L"Progman") == 0 || lstrcmpiW(className, L"WorkerW") == 0;
}

}  // namespace

bool Hooked() noexcept { return AppWindow() != nullptr; }

void Notify(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (HWND window = AppWindow()) PostMessageW(window, message, wParam, lParam);
}

bool ReportForeground() noexcept {
    if (!Hooked()) return false;
    HWND foreground = GetForegroundWindow();
    HWND reported = foreground && !IsDesktop(foreground) ? foreground : nullptr;
    if (Exchange(Shared().lastForeground, FromHandle(reported)) == FromHandle(reported)) return false;
    // A press started in the application that went to the back cannot become a long press.
    CancelLongPress();
    Notify(msg::kForegroundChanged, reinterpret_cast<WPARAM>(reported));
    if (foreground) {
        // Layouts belong to threads: the one in front now decides what the user types in.
        if (HKL layout = GetKeyboardLayout(GetWindowThreadProcessId(foreground, nullptr))) ReportLayout(layout, true);
    }
    return true;
}

void ReportLayout(HKL layout, bool always) noexcept {
    const LONG value = FromHandle(layout);
    if (Exchange(Shared().lastLayout, value) == value && !always) return;
    Notify(msg::kLayoutChanged, 0, reinterpret_cast<LPARAM>(layout));
}

bool OnForegroundThread() noexcept {
    HWND foreground = GetForegroundWindow();
    return foreground && GetWindowThreadProcessId(foreground, nullptr) == GetCurrentThreadId();
}

bool InOwnerProcess() noexcept { return static_cast<DWORD>(Load(Shared().ownerProcess)) == GetCurrentProcessId(); }

}  // namespace kv::hooklib
