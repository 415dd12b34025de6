#include "platform/win32/win32_keyboard_hook.h"

#include "platform/win32/low_level_hook_slots.h"

namespace kv::win32 {

namespace {

static_assert(kLlkhfInjected == LLKHF_INJECTED && kLlkhfExtended == LLKHF_EXTENDED && kLlkhfUp == LLKHF_UP &&
              kLlkhfAltDown == LLKHF_ALTDOWN);

struct KeyboardHooks {
    using Handler = IKeyboardHookHandler;
    using Installed = IInstalledKeyboardHook;
    static constexpr int kHookType = WH_KEYBOARD_LL;

    static bool Dispatch(Handler& handler, WPARAM wParam, LPARAM lParam) {
        const auto* info = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        LowLevelKeyEvent event;
        event.message = static_cast<std::uint32_t>(wParam);
        event.vkCode = info->vkCode;
        event.scanCode = info->scanCode;
        event.flags = info->flags;
        event.time = info->time;
        event.extraInfo = info->dwExtraInfo;
        try {
            return handler.OnKeyEvent(event);
        } catch (...) {
            return false;  // a failing handler must never cost the user a key
        }
    }
};

using Slots = LowLevelHookSlots<KeyboardHooks, Win32KeyboardHook::kMaxHooks>;

}  // namespace

std::unique_ptr<IInstalledKeyboardHook> Win32KeyboardHook::Install(IKeyboardHookHandler& handler) {
    return Slots::Install(handler);
}

}  // namespace kv::win32
