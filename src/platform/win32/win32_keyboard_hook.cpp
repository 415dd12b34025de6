#include "platform/win32/win32_keyboard_hook.h"

#include <windows.h>

#include <array>
#include <utility>

#include "platform/win32/win32_handles.h"

namespace kv::win32 {

namespace {

static_assert(kLlkhfInjected == LLKHF_INJECTED && kLlkhfExtended == LLKHF_EXTENDED && kLlkhfUp == LLKHF_UP &&
              kLlkhfAltDown == LLKHF_ALTDOWN);

// What a slot's procedure finds. A slot is taken while its hook may still be called: a hook the
// system would not remove keeps its slot, without a handler, for good.
struct HookSlot {
    bool taken = false;
    IKeyboardHookHandler* handler = nullptr;
};

// Process-wide by nature: the system's procedures reach their hooks only through it. Used on
// the GUI thread alone, which installs the hooks and on which the system calls them.
std::array<HookSlot, Win32KeyboardHook::kMaxHooks> g_slots;

LRESULT Dispatch(const HookSlot& slot, int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && slot.handler) {
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
            swallow = slot.handler->OnKeyEvent(event);
        } catch (...) {
            // A failing handler must never cost the user a key.
            swallow = false;
        }
        if (swallow) return 1;
    }
    // The hook handle argument is ignored by the system.
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

template <std::size_t Slot>
LRESULT CALLBACK SlotProcedure(int code, WPARAM wParam, LPARAM lParam) {
    return Dispatch(g_slots[Slot], code, wParam, lParam);
}

template <std::size_t... Slots>
constexpr std::array<HOOKPROC, sizeof...(Slots)> MakeProcedures(std::index_sequence<Slots...>) {
    return {&SlotProcedure<Slots>...};
}

constexpr std::array<HOOKPROC, Win32KeyboardHook::kMaxHooks> kProcedures =
    MakeProcedures(std::make_index_sequence<Win32KeyboardHook::kMaxHooks>());

// Owns the hook of one slot; the slot is free again once the system removed the hook.
class InstalledHook final : public IInstalledKeyboardHook {
public:
    explicit InstalledHook(std::size_t slot) : slot_(slot) {}
    ~InstalledHook() override {
        if (Remove()) return;
        // Still in the chain: its procedure may run, but finds no handler and passes the event on.
        g_slots[slot_].handler = nullptr;
        (void)hook_.Release();
    }
    InstalledHook(const InstalledHook&) = delete;
    InstalledHook& operator=(const InstalledHook&) = delete;

    void Own(UniqueHook hook) { hook_ = std::move(hook); }

    bool Remove() override {
        if (!hook_) return true;
        // A hook the system dropped (its call overran the time-out) has a stale handle: it is
        // gone, and its slot is free again.
        if (!UnhookWindowsHookEx(hook_.Get()) && GetLastError() != ERROR_INVALID_HOOK_HANDLE) return false;
        (void)hook_.Release();
        g_slots[slot_] = HookSlot{};
        return true;
    }

private:
    std::size_t slot_;
    UniqueHook hook_;
};

}  // namespace

std::unique_ptr<IInstalledKeyboardHook> Win32KeyboardHook::Install(IKeyboardHookHandler& handler) {
    std::size_t slot = 0;
    while (slot < kMaxHooks && g_slots[slot].taken) ++slot;
    if (slot == kMaxHooks) return nullptr;
    // Allocated before the hook exists, so nothing can fail once it does.
    auto installed = std::make_unique<InstalledHook>(slot);
    // The slot holds the handler first: the system may call the procedure at once.
    g_slots[slot] = HookSlot{true, &handler};
    UniqueHook hook(SetWindowsHookExW(WH_KEYBOARD_LL, kProcedures[slot], GetModuleHandleW(nullptr), 0));
    if (!hook) {
        g_slots[slot] = HookSlot{};
        return nullptr;
    }
    installed->Own(std::move(hook));
    return installed;
}

}  // namespace kv::win32
