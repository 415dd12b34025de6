#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/keyboard_api.h"

namespace kv {

// The characters of one layout for every key under every modifier combination.
struct TKvLayoutChars {
    LayoutHandle Layout = 0;
    // [key 1..255][Shift][Alt][Ctrl][CapsLock], the last varying fastest; 0 for keys that are not
    // printable, a space where a printable key types nothing.
    std::array<char16_t, 255 * 16> Chars{};

    static constexpr std::size_t Index(std::uint8_t key, bool shift, bool alt, bool ctrl, bool capsLock) {
        return (static_cast<std::size_t>(key) - 1) * 16 + (shift ? 8 : 0) + (alt ? 4 : 0) + (ctrl ? 2 : 0) +
               (capsLock ? 1 : 0);
    }
    char16_t At(std::uint8_t key, bool shift, bool alt, bool ctrl, bool capsLock) const {
        return key == 0 ? char16_t{0} : Chars[Index(key, shift, alt, ctrl, capsLock)];
    }
};
static_assert(sizeof(TKvLayoutChars) == 8164);

// Fills `record` for `layout`: 16 translations of every printable key.
void ComputeLayoutChars(IKeyboardLayouts& layouts, LayoutHandle layout, TKvLayoutChars& record);

// The characters of every layout met so far, kept for the life of the process so that switching
// back to a layout costs only a search. The program creates one and hands it to the keyboard.
class TKvLayoutCharCache {
public:
    // The slot holding `layout`'s characters, computed when the layout is new. With `singleSlot`
    // (64-bit Windows) the cache keeps one record and recomputes it on every call.
    std::size_t SlotFor(IKeyboardLayouts& layouts, LayoutHandle layout, bool singleSlot);
    // A record computed ahead of the first request: the next SlotFor for its layout takes it
    // instead of computing the characters again.
    void Offer(const TKvLayoutChars& computed) { offered_ = computed; }

    std::size_t Count() const { return records_.size(); }
    const TKvLayoutChars& Record(std::size_t slot) const { return records_[slot]; }

private:
    std::vector<TKvLayoutChars> records_;
    std::optional<TKvLayoutChars> offered_;
};

}  // namespace kv
