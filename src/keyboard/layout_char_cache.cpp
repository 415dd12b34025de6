#include "keyboard/layout_char_cache.h"

#include "common/key_classes.h"
#include "common/key_text.h"
#include "platform/win_constants.h"

namespace kv {

namespace {
constexpr std::uint8_t kDown = 0x81;
std::uint8_t StateByte(bool on) { return on ? kDown : 0; }
}  // namespace

void ComputeLayoutChars(IKeyboardLayouts& layouts, LayoutHandle layout, TKvLayoutChars& record) {
    record.Layout = layout;
    record.Chars.fill(0);
    std::uint8_t state[256] = {};
    for (std::uint32_t code = 1; code < 256; ++code) {
        if (!IsPrintableKey(code)) continue;
        const auto key = static_cast<std::uint8_t>(code);
        const std::uint32_t scan = layouts.MapVirtualKeyCode(key, win::kMapVkToVsc, layout);
        for (int capsLock = 0; capsLock < 2; ++capsLock) {
            state[vk::kCapsLock] = StateByte(capsLock);
            for (int shift = 0; shift < 2; ++shift) {
                state[vk::kShift] = state[vk::kLeftShift] = StateByte(shift);
                for (int alt = 0; alt < 2; ++alt) {
                    // Alt comes from the right-hand key so that Alt with Ctrl is AltGr.
                    state[vk::kMenu] = state[vk::kRightMenu] = StateByte(alt);
                    for (int ctrl = 0; ctrl < 2; ++ctrl) {
                        state[vk::kControl] = state[vk::kLeftControl] = StateByte(ctrl);
                        record.Chars[TKvLayoutChars::Index(key, shift, alt, ctrl, capsLock)] =
                            CharForKey(layouts, key, scan, state, layout);
                    }
                }
            }
        }
    }
}

std::size_t TKvLayoutCharCache::SlotFor(IKeyboardLayouts& layouts, LayoutHandle layout, bool singleSlot) {
    if (!singleSlot) {
        for (std::size_t slot = 0; slot < records_.size(); ++slot) {
            if (records_[slot].Layout == layout) return slot;
        }
    }
    // Computed aside, so that a failing translation leaves no half-filled record to be found later.
    TKvLayoutChars computed;
    if (offered_ && offered_->Layout == layout) {
        computed = *offered_;
    } else {
        ComputeLayoutChars(layouts, layout, computed);
    }
    offered_.reset();
    if (singleSlot) records_.clear();
    records_.push_back(computed);
    return records_.size() - 1;
}

}  // namespace kv
