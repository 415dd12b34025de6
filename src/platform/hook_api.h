#pragma once
#include <cstdint>

namespace kv {

// One event of the low-level keyboard hook (KBDLLHOOKSTRUCT and its message).
struct LowLevelKeyEvent {
    std::uint32_t message = 0;  // WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP
    std::uint32_t vkCode = 0;
    std::uint32_t scanCode = 0;
    std::uint32_t flags = 0;    // LLKHF_EXTENDED, LLKHF_INJECTED, LLKHF_ALTDOWN, LLKHF_UP
    std::uint32_t time = 0;
    std::uintptr_t extraInfo = 0;
};

constexpr std::uint32_t kLlkhfExtended = 0x01;
constexpr std::uint32_t kLlkhfInjected = 0x10;
constexpr std::uint32_t kLlkhfAltDown = 0x20;
constexpr std::uint32_t kLlkhfUp = 0x80;

// Receives every key event of the session while installed. Runs on the GUI thread while it
// waits for messages; it must return quickly and allocate nothing.
class IKeyboardHookHandler {
public:
    virtual ~IKeyboardHookHandler() = default;
    // True swallows the event: no other hook or application sees it.
    virtual bool OnKeyEvent(const LowLevelKeyEvent& event) = 0;
};

// The low-level keyboard hook (WH_KEYBOARD_LL): one per process.
class IKeyboardHook {
public:
    virtual ~IKeyboardHook() = default;
    // False when the system refused the hook.
    virtual bool Install(IKeyboardHookHandler& handler) = 0;
    virtual void Remove() = 0;
    virtual bool Installed() const = 0;
};

}  // namespace kv
