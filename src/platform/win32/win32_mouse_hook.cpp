#include "platform/win32/win32_mouse_hook.h"

#include <windows.h>

#include <array>
#include <utility>

#include "platform/win32/win32_handles.h"

namespace kv::win32 {

namespace {

// A slot is taken while its hook may still be called; one the system would not remove keeps
// its slot, without a handler, for good.
struct HookSlot {
    bool taken = false;
    IMouseHookHandler* handler = nullptr;
};

// Process-wide by nature: the system's procedures reach their hooks only through it. Used on
// the GUI thread alone, which installs the hooks and on which the system calls them.
std::array<HookSlot, Win32MouseHook::kMaxHooks> g_slots;

bool IsButtonDown(WPARAM message) {
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
           message == WM_XBUTTONDOWN;
}

LRESULT Dispatch(const HookSlot& slot, int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && slot.handler && IsButtonDown(wParam)) {
        const auto* info = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
        try {
            slot.handler->OnMouseButtonDown(Point{info->pt.x, info->pt.y});
        } catch (...) {
            // The click goes on whatever the handler did.
        }
    }
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

constexpr std::array<HOOKPROC, Win32MouseHook::kMaxHooks> kProcedures =
    MakeProcedures(std::make_index_sequence<Win32MouseHook::kMaxHooks>());

class InstalledHook final : public IInstalledMouseHook {
public:
    explicit InstalledHook(std::size_t slot) : slot_(slot) {}
    ~InstalledHook() override {
        if (Remove()) return;
        g_slots[slot_].handler = nullptr;
        (void)hook_.Release();
    }
    InstalledHook(const InstalledHook&) = delete;
    InstalledHook& operator=(const InstalledHook&) = delete;

    void Own(UniqueHook hook) { hook_ = std::move(hook); }

    bool Remove() override {
        if (!hook_) return true;
        if (!UnhookWindowsHookEx(hook_.Get())) return false;
        (void)hook_.Release();
        g_slots[slot_] = HookSlot{};
        return true;
    }

private:
    std::size_t slot_;
    UniqueHook hook_;
};

}  // namespace

std::unique_ptr<IInstalledMouseHook> Win32MouseHook::Install(IMouseHookHandler& handler) {
    std::size_t slot = 0;
    while (slot < kMaxHooks && g_slots[slot].taken) ++slot;
    if (slot == kMaxHooks) return nullptr;
    auto installed = std::make_unique<InstalledHook>(slot);
    g_slots[slot] = HookSlot{true, &handler};
    UniqueHook hook(SetWindowsHookExW(WH_MOUSE_LL, kProcedures[slot], GetModuleHandleW(nullptr), 0));
    if (!hook) {
        g_slots[slot] = HookSlot{};
        return nullptr;
    }
    installed->Own(std::move(hook));
    return installed;
}

}  // namespace kv::win32
