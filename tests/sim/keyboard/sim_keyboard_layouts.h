#pragma once
#include <cstdint>
#include <vector>

namespace kv::sim {

constexpr std::uint32_t kLayoutUs = 0x04090409, kLayoutRu = 0x04190419, kLayoutDe = 0x04070407,
                        kLayoutFr = 0x040C040C;

// Four Windows keyboard layouts (US, Russian, German, French) behaving like the Win32 calls
// of the same names.  Characters come from xkb-data, virtual keys and modifier columns from
// Windows' own layouts; gen_layouts.py documents every point where the two differ.
// Only the typing block, Esc/Backspace/Tab/Enter/Space and the modifier keys exist: function,
// navigation and numpad keys are unknown here (0 / -1), unlike on Windows.
class SimKeyboardLayouts {
public:
    // US, RU, DE, FR, in that order; tests pick their installed subset from it.
    static const std::vector<std::uint32_t>& KnownLayouts();
    bool IsKnown(std::uint32_t hkl) const;

    // mapType 0 VK->scan (left key for VK_SHIFT/VK_CONTROL/VK_MENU, no E0 prefix),
    // 1 scan->VK (left/right merged), 2 VK->unshifted char (VK itself for A-Z as Windows does,
    // 0x80000000 | spacing char for a dead key), 3 scan->VK keeping left/right.
    // Scan codes may carry the 0xE0 prefix in the high byte.  Anything unknown gives 0.
    std::uint32_t MapVirtualKeyEx(std::uint32_t code, std::uint32_t mapType, std::uint32_t hkl) const;

    // Returns -1 for a dead key (buffer gets its spacing form), 0 when the key gives nothing,
    // else the number of characters written; the buffer is null-terminated when there is room.
    // Shift is VK_SHIFT/VK_LSHIFT/VK_RSHIFT, Ctrl and Alt likewise; Ctrl+Alt is AltGr, and so is
    // VK_RMENU alone on the layouts that have AltGr.  Alt without Ctrl is ignored, as in Windows.
    // VK_CAPITAL's low bit is the CapsLock toggle.  The dead key waiting for its second key is
    // kept in this object (Windows keeps it per thread); flags bit 0x4 leaves it untouched.
    // A key-up scan code (bit 0x8000) gives 0.
    int ToUnicodeEx(std::uint32_t vk, std::uint32_t scanCode, const std::uint8_t* keyState, char16_t* buffer,
                    int bufferLength, std::uint32_t flags, std::uint32_t hkl);

    // Low byte VK, high byte 1 Shift, 2 Ctrl, 6 AltGr, 7 Shift+AltGr; -1 when no single key
    // gives ch.  A dead key's spacing character maps to the dead key itself, and characters
    // only reachable through a dead key (e.g. e-circumflex) give -1, as on Windows.  When
    // several keys give ch, the one needing fewest modifiers wins, then the lower scan code.
    // Control codes 0x01-0x1A not found on a key map to Ctrl+letter.
    std::int16_t VkKeyScanEx(char16_t ch, std::uint32_t hkl) const;

private:
    char16_t pendingDead_ = 0;
};

}  // namespace kv::sim
