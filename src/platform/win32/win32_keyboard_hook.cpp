#include "platform/win32/win32_keyboard_hook.h"

#include <windows.h>

namespace kv::win32 {

namespace {

// The hook is process-wide by nature; these two are its only state.
HHOOK g_hook = nullptr;
IKeyboardHookHandler* g_handler = nullptr;

static_assert(kLlkhfInjected == LLKHF_INJECTED && kLlkhfExtended == LLKHF_EXTENDED && kLlkhfUp == LLKHF_UP &&
              kLlkhfAltDown == LLKHF_ALTDOWN);

LRESULT CALLBACK LowLevelKeyboardProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && g_handler) {
        const auto* info = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        LowLevelKeyEvent event;
        event.message = static_cast<std::uint32_t>(wParam);
        event.vkCode = info->vkCode;
        event.scanCode = info->scanCode;
        event.flags = info->flags;
        event.time = info->time;
        event.extraInfo = info->dwExtraInfo;
        bool swallow = false;
        try {
            swallow = g_handler->OnKeyEvent(event);
        } catch (...) {
            // A failing handler must never cost the user a key.
            swallow = false;
        }
        if (swallow) return 1;
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

}  // namespace

bool Win32KeyboardHook::Install(IKeyboardHookHandler& handler) {
    Remove();
    g_handler = &handler;
    g_hook = SetWindowsHookExW(WH_KEYBOARD_LL, LowLevelKeyboardProc, GetModuleHandleW(nullptr), 0);
    if (!g_hook) g_handler = nullptr;
    return g_hook != nullptr;
}

void Win32KeyboardHook::Remove() {
    if (g_hook) UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
    g_handler = nullptr;
}

bool Win32KeyboardHook::Installed() const { return g_hook != nullptr; }

}  // namespace kv::win32
