#pragma once
#include <cstdint>
#include <memory>

#include "platform/types.h"

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

// One installed low-level keyboard hook. Destroying it removes that hook and no other; a
// removal the system refuses leaves the hook in place, because its procedure may still be
// called, and the destructor tries again.
class IInstalledKeyboardHook {
public:
    virtual ~IInstalledKeyboardHook() = default;
    // False when the system refused to remove it: it stays installed, so the caller can report it.
    virtual bool Remove() = 0;
};

// Installs low-level keyboard hooks (WH_KEYBOARD_LL). Several may be installed at once, as the
// program's own hook and the shortcut capture's; each sees every event unless a hook installed
// after it swallowed the event, as in the system's chain.
class IKeyboardHook {
public:
    virtual ~IKeyboardHook() = default;
    // Null when the system refused the hook. The handler must outlive the returned hook.
    [[nodiscard]] virtual std::unique_ptr<IInstalledKeyboardHook> Install(IKeyboardHookHandler& handler) = 0;
};

// Receives every mouse button press of the session while installed (WH_MOUSE_LL), wherever it
// lands, elevated applications and those of the other bitness included. Called inside the hook
// on the GUI thread: it must return quickly and allocate nothing. It never swallows the press.
class IMouseHookHandler {
public:
    virtual ~IMouseHookHandler() = default;
    // Left, right, middle or X button, at `screenPoint`.
    virtual void OnMouseButtonDown(Point screenPoint) = 0;
};

// One installed low-level mouse hook, removed as the keyboard's is.
class IInstalledMouseHook {
public:
    virtual ~IInstalledMouseHook() = default;
    // False when the system refused to remove it: it stays installed.
    virtual bool Remove() = 0;
};

class IMouseHook {
public:
    virtual ~IMouseHook() = default;
    // Null when the system refused the hook. The handler must outlive the returned hook.
    [[nodiscard]] virtual std::unique_ptr<IInstalledMouseHook> Install(IMouseHookHandler& handler) = 0;
};

}  // namespace kv
