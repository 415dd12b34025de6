#include "platform/win32/win32_mouse_hook.h"

#include "platform/win32/low_level_hook_slots.h"

namespace kv::win32 {

namespace {

struct MouseHooks {
    using Handler = IMouseHookHandler;
    using Installed = IInstalledMouseHook;
    static constexpr int kHookType = WH_MOUSE_LL;

    static bool Dispatch(Handler& handler, WPARAM message, LPARAM lParam) {
        if (message != WM_LBUTTONDOWN && message != WM_RBUTTONDOWN && message != WM_MBUTTONDOWN &&
            message != WM_XBUTTONDOWN)
            return false;
        const auto* info = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
        try {
            handler.OnMouseButtonDown(Point{info->pt.x, info->pt.y});
        } catch (...) {
            // The click goes on whatever the handler did.
        }
        return false;
    }
};

using Slots = LowLevelHookSlots<MouseHooks, Win32MouseHook::kMaxHooks>;

}  // namespace

std::unique_ptr<IInstalledMouseHook> Win32MouseHook::Install(IMouseHookHandler& handler) {
    return Slots::Install(handler);
}

}  // namespace kv::win32
