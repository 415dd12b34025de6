#pragma once
#include <array>

#include "platform/keyboard_api.h"
#include "settings/lang_hotkeys.h"

namespace kv {

// The layouts that switching to the next layout skips: ten slots, 0 marks a free one.
class DisabledLayouts {
public:
    // Handle 0 is no layout, so it is never disabled (a free slot does not disable it).
    bool IsDisabled(LayoutHandle layout) const;
    // Takes the first free slot unless the layout is already there; dropped when all are taken.
    void Disable(LayoutHandle layout);
    void Enable(LayoutHandle layout);

    LayoutHandle Slot(int index) const { return slots_.at(index); }
    void SetSlot(int index, LayoutHandle layout) { slots_.at(index) = layout; }
    void Clear() { slots_.fill(0); }

private:
    std::array<LayoutHandle, kLayoutSlotCount> slots_{};
};

}  // namespace kv
