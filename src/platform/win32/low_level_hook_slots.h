#pragma once
// The slots behind the process's low-level hooks of one kind (keyboard or mouse). The system
// calls a hook's procedure with no context of its own, once for every hook of the process in the
// chain, so each installed hook takes one slot of a fixed table whose procedure knows its slot;
// the hook path allocates nothing.
#include <windows.h>

#include <array>
#include <memory>
#include <utility>

#include "platform/win32/win32_handles.h"

namespace kv::win32 {

// Kind supplies: `Handler`, `Installed` (the interface handed out), `kHookType` (WH_*_LL) and
// `static bool Dispatch(Handler&, WPARAM, LPARAM)`, true to swallow the event. Dispatch runs only
// for HC_ACTION and must not throw.
template <typename Kind, std::size_t kMaxHooks>
class LowLevelHookSlots {
public:
    using Handler = typename Kind::Handler;
    using Installed = typename Kind::Installed;

    // Null when every slot is taken or the system refused the hook.
    static std::unique_ptr<Installed> Install(Handler& handler) {
        std::size_t slot = 0;
        while (slot < kMaxHooks && slots_[slot].taken) ++slot;
        if (slot == kMaxHooks) return nullptr;
        // Allocated before the hook exists, so nothing can fail once it does.
        auto installed = std::make_unique<InstalledHook>(slot);
        // The slot holds the handler first: the system may call the procedure at once.
        slots_[slot] = Slot{true, &handler};
        UniqueHook hook(SetWindowsHookExW(Kind::kHookType, kProcedures[slot], GetModuleHandleW(nullptr), 0));
        if (!hook) {
            slots_[slot] = Slot{};
            return nullptr;
        }
        installed->Own(std::move(hook));
        return installed;
    }

private:
    // A slot is taken while its hook may still be called: a hook the system would not remove
    // keeps its slot, without a handler, for good.
    struct Slot {
        bool taken = false;
        Handler* handler = nullptr;
    };

    // Owns the hook of one slot; the slot is free again once the system removed the hook.
    class InstalledHook final : public Installed {
    public:
        explicit InstalledHook(std::size_t slot) : slot_(slot) {}
        ~InstalledHook() override {
            if (Remove()) return;
            // Still in the chain: its procedure may run, but finds no handler and passes the event on.
            slots_[slot_].handler = nullptr;
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
            slots_[slot_] = Slot{};
            return true;
        }

    private:
        std::size_t slot_;
        UniqueHook hook_;
    };

    template <std::size_t kSlot>
    static LRESULT CALLBACK Procedure(int code, WPARAM wParam, LPARAM lParam) {
        Handler* handler = slots_[kSlot].handler;
        if (code == HC_ACTION && handler && Kind::Dispatch(*handler, wParam, lParam)) return 1;
        // The hook handle argument is ignored by the system.
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    template <std::size_t... kSlots>
    static constexpr std::array<HOOKPROC, kMaxHooks> MakeProcedures(std::index_sequence<kSlots...>) {
        return {&Procedure<kSlots>...};
    }

    // Process-wide by nature: the system's procedures reach their hooks only through it. Used on
    // the GUI thread alone, which installs the hooks and on which the system calls them.
    static inline std::array<Slot, kMaxHooks> slots_{};
    static constexpr std::array<HOOKPROC, kMaxHooks> kProcedures = MakeProcedures(std::make_index_sequence<kMaxHooks>());
};

}  // namespace kv::win32
