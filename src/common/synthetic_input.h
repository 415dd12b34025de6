#pragma once
#include <array>
#include <cstdint>

namespace kv {

class IClock;
class IKeyInput;
class IKeyboardLayouts;

constexpr std::uint8_t kVkControl = 0x11;
constexpr std::uint8_t kVkEscape = 0x1B;
constexpr std::uint8_t kVkV = 0x56;
constexpr std::uint8_t kVkX = 0x58;

// Carried in every event the program injects, so the hook tells its own input from the user's
// (another program's injected input counts as the user's).
constexpr std::uintptr_t kOwnInputMarker = 0x4B764B76;

// Keys pressed on the user's behalf, one SendInput event each, paced so applications keep up.
class KeySender {
public:
    KeySender(IKeyInput& input, IKeyboardLayouts& layouts, IClock& clock)
        : input_(input), layouts_(layouts), clock_(clock) {}

    void SendKeyEvent(std::uint8_t vk, bool keyUp, bool extended);
    // A key the user still holds, pressed again after the program's input: the user lets it go,
    // so it does not count as left down.
    void PressHeldKeyAgain(std::uint8_t vk, bool extended);
    // The user let go just as such a key went down again: the program releases it, and tries
    // again with the keys left down if the system refuses.
    void ReleaseKeyPressedAgain(std::uint8_t vk, bool extended);
    void SendKeyPress(std::uint8_t vk, bool extended);
    // A lone Escape release, so that releasing Win after a hotkey does not open the Start menu.
    void SendEscapeRelease();
    void SendCtrlX() { SendCtrlChord(kVkX); }
    void SendCtrlV() { SendCtrlChord(kVkV); }
    // Key-ups for every key this sender pressed and has not released (a key-up the system
    // refused counts as not released), so an action that fails half way leaves no key held.
    void ReleaseKeysLeftDown();
    bool AnyLeftDown() const;

private:
    bool Send(std::uint8_t vk, bool keyUp, bool extended);
    void SendCtrlChord(std::uint8_t vk);

    IKeyInput& input_;
    IKeyboardLayouts& layouts_;
    IClock& clock_;
    std::array<bool, 256> leftDown_{};
};

}  // namespace kv
