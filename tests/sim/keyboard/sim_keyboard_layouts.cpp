#include "sim_keyboard_layouts.h"

#include <cstddef>
#include <iterator>

namespace kv::sim {
namespace {

enum Column : int { kBase, kShift, kCtrl, kShiftCtrl, kAltGr, kShiftAltGr, kColumnCount };

constexpr char16_t kNone = 0xFFFF;

struct KeyDef {
    std::uint16_t scan;  // set-1 make code, 0xE0xx for extended keys
    std::uint8_t vk;
    bool capsLock;
    std::uint8_t deadMask;  // bit per column: that column is a dead key, ch holds its spacing form
    char16_t ch[kColumnCount];
};

struct DeadTrans {
    char16_t dead;
    char16_t base;
    char16_t composed;
};

struct LayoutDef {
    std::uint32_t hkl;
    bool altGr;
    const KeyDef* keys;
    std::size_t keyCount;
    const DeadTrans* dead;
    std::size_t deadCount;
};

#include "layouts_data.inc"

constexpr std::uint8_t kVkShift = 0x10, kVkControl = 0x11, kVkMenu = 0x12, kVkCapital = 0x14;
constexpr std::uint8_t kVkLShift = 0xA0, kVkRShift = 0xA1, kVkLControl = 0xA2, kVkRControl = 0xA3,
                       kVkLMenu = 0xA4, kVkRMenu = 0xA5;

constexpr std::uint32_t kNoStateChange = 0x4;
constexpr std::uint32_t kKeyUpBit = 0x8000;
constexpr std::uint32_t kDeadCharBit = 0x80000000u;

const LayoutDef* FindLayout(std::uint32_t hkl) {
    for (const LayoutDef& layout : kLayoutDefs) {
        if (layout.hkl == hkl) return &layout;
    }
    return nullptr;
}

const KeyDef* FindByVk(const LayoutDef& layout, std::uint32_t vk) {
    for (std::size_t i = 0; i < layout.keyCount; ++i) {
        if (layout.keys[i].vk == vk) return &layout.keys[i];
    }
    return nullptr;
}

const KeyDef* FindByScan(const LayoutDef& layout, std::uint32_t scan) {
    // Only plain and E0-prefixed codes exist in these layouts.
    if (scan == 0 || scan > 0xFFFF || (scan > 0xFF && (scan & 0xFF00) != 0xE000)) return nullptr;
    for (std::size_t i = 0; i < layout.keyCount; ++i) {
        if (layout.keys[i].scan == scan) return &layout.keys[i];
    }
    return nullptr;
}

std::uint32_t MergeSides(std::uint32_t vk) {
    switch (vk) {
        case kVkLShift: case kVkRShift: return kVkShift;
        case kVkLControl: case kVkRControl: return kVkControl;
        case kVkLMenu: case kVkRMenu: return kVkMenu;
        default: return vk;
    }
}

std::uint32_t LeftSide(std::uint32_t vk) {
    switch (vk) {
        case kVkShift: return kVkLShift;
        case kVkControl: return kVkLControl;
        case kVkMenu: return kVkLMenu;
        default: return vk;
    }
}

char16_t Compose(const LayoutDef& layout, char16_t dead, char16_t base) {
    for (std::size_t i = 0; i < layout.deadCount; ++i) {
        if (layout.dead[i].dead == dead && layout.dead[i].base == base) return layout.dead[i].composed;
    }
    return 0;
}

}  // namespace

const std::vector<std::uint32_t>& SimKeyboardLayouts::KnownLayouts() {
    static const std::vector<std::uint32_t> layouts{kLayoutUs, kLayoutRu, kLayoutDe, kLayoutFr};
    return layouts;
}

bool SimKeyboardLayouts::IsKnown(std::uint32_t hkl) const { return FindLayout(hkl) != nullptr; }

std::uint32_t SimKeyboardLayouts::MapVirtualKeyEx(std::uint32_t code, std::uint32_t mapType,
                                                  std::uint32_t hkl) const {
    const LayoutDef* layout = FindLayout(hkl);
    if (!layout) return 0;
    switch (mapType) {
        case 0: {
            const KeyDef* key = FindByVk(*layout, LeftSide(code));
            return key ? key->scan & 0xFFu : 0;
        }
        case 1: {
            const KeyDef* key = FindByScan(*layout, code);
            return key ? MergeSides(key->vk) : 0;
        }
        case 2: {
            // Windows keeps Win 3.1's answer for letters: the VK itself, in every layout.
            if (code >= 'A' && code <= 'Z') return code;
            const KeyDef* key = FindByVk(*layout, code);
            if (!key || key->ch[kBase] == kNone) return 0;
            return key->ch[kBase] | ((key->deadMask & 1u) ? kDeadCharBit : 0u);
        }
        case 3: {
            const KeyDef* key = FindByScan(*layout, code);
            return key ? key->vk : 0;
        }
        default:
            return 0;
    }
}

int SimKeyboardLayouts::ToUnicodeEx(std::uint32_t vk, std::uint32_t scanCode, const std::uint8_t* keyState,
                                    char16_t* buffer, int bufferLength, std::uint32_t flags, std::uint32_t hkl) {
    if (!keyState || vk > 0xFF || (scanCode & kKeyUpBit)) return 0;
    const LayoutDef* layout = FindLayout(hkl);
    if (!layout) return 0;
    const KeyDef* key = FindByVk(*layout, vk);
    if (!key) return 0;

    auto down = [keyState](std::uint8_t v) { return (keyState[v] & 0x80) != 0; };
    bool shift = down(kVkShift) || down(kVkLShift) || down(kVkRShift);
    bool ctrl = down(kVkControl) || down(kVkLControl) || down(kVkRControl);
    const bool alt = down(kVkMenu) || down(kVkLMenu) || down(kVkRMenu);
    // On AltGr layouts Windows presses a synthetic left Ctrl together with right Alt.
    if (layout->altGr && down(kVkRMenu)) ctrl = true;
    const bool altGr = ctrl && alt;
    if (key->capsLock && (keyState[kVkCapital] & 1) && !altGr) shift = !shift;

    int column = shift ? kShift : kBase;
    if (altGr) {
        if (!layout->altGr) return 0;
        column = shift ? kShiftAltGr : kAltGr;
    } else if (ctrl) {
        column = shift ? kShiftCtrl : kCtrl;
    }

    char16_t ch = key->ch[column];
    bool dead = ((key->deadMask >> column) & 1u) != 0;
    if (ch == kNone) {
        // Ctrl+letter is not in the tables; Windows derives it from the VK.
        if (vk >= 'A' && vk <= 'Z' && ctrl && !alt) {
            ch = static_cast<char16_t>(vk - 'A' + 1);
        } else {
            return 0;
        }
    }

    char16_t out[2] = {};
    int count = 0;
    const bool keepState = (flags & kNoStateChange) != 0;
    if (pendingDead_) {
        const char16_t composed = Compose(*layout, pendingDead_, ch);
        if (composed) {
            out[count++] = composed;
        } else {
            out[count++] = pendingDead_;
            out[count++] = ch;
        }
        dead = false;
        if (!keepState) pendingDead_ = 0;
    } else {
        out[count++] = ch;
        if (dead && !keepState) pendingDead_ = ch;
    }

    int written = 0;
    if (buffer) {
        for (; written < count && written < bufferLength; ++written) buffer[written] = out[written];
        if (written < bufferLength) buffer[written] = 0;
    }
    return dead ? -written : written;
}

std::int16_t SimKeyboardLayouts::VkKeyScanEx(char16_t ch, std::uint32_t hkl) const {
    const LayoutDef* layout = FindLayout(hkl);
    if (!layout || ch == kNone) return -1;
    // Shift-state byte of each column: 1 Shift, 2 Ctrl, 4 Alt.
    static constexpr std::uint16_t kShiftState[kColumnCount] = {0, 1, 2, 3, 6, 7};
    for (int column = 0; column < kColumnCount; ++column) {
        for (std::size_t i = 0; i < layout->keyCount; ++i) {
            const KeyDef& key = layout->keys[i];
            if (key.ch[column] == ch) return static_cast<std::int16_t>(kShiftState[column] << 8 | key.vk);
        }
    }
    if (ch >= 0x01 && ch <= 0x1A) return static_cast<std::int16_t>(kShiftState[kCtrl] << 8 | ('A' + ch - 1));
    return -1;
}

}  // namespace kv::sim
