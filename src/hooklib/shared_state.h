#pragma once
// State every process that maps the library sees: the program's window, the hooks that the
// program's process installed, and what was last reported, so that reports from different
// processes are not repeated.
#include <windows.h>

namespace kv::hooklib {

struct SharedState {
    // Handles are kept as 32-bit values: window, hook and layout handles are 32-bit
    // significant in every process of either bitness.
    volatile LONG appWindow;
    volatile LONG ownerProcess;
    volatile LONG getMessageHook;
    volatile LONG callWndProcHook;
    volatile LONG foregroundEventHook;
    volatile LONG focusEventHook;
    volatile LONG lastForeground;
    volatile LONG lastLayout;
    volatile LONG pressArmed;
    volatile LONG pressX;
    volatile LONG pressY;
    // Set by HookThreadsInFront: the window in front is reported by the program's own library.
    volatile LONG threadsInFrontOnly;
};

SharedState& Shared() noexcept;

inline LONG Load(const volatile LONG& field) noexcept { return field; }
inline LONG Exchange(volatile LONG& field, LONG value) noexcept { return InterlockedExchange(&field, value); }
inline void Store(volatile LONG& field, LONG value) noexcept { InterlockedExchange(&field, value); }

inline LONG FromHandle(const void* handle) noexcept { return HandleToLong(handle); }
template <typename Handle>
Handle ToHandle(LONG value) noexcept {
    return static_cast<Handle>(LongToHandle(value));
}

}  // namespace kv::hooklib
