#include "settings/disabled_layouts.h"

#include <algorithm>

namespace kv {

bool DisabledLayouts::IsDisabled(LayoutHandle layout) const {
    return layout != 0 && std::find(slots_.begin(), slots_.end(), layout) != slots_.end();
}

void DisabledLayouts::Disable(LayoutHandle layout) {
    if (layout == 0 || IsDisabled(layout)) return;
    auto freeSlot = std::find(slots_.begin(), slots_.end(), LayoutHandle{0});
    if (freeSlot != slots_.end()) *freeSlot = layout;
}

void DisabledLayouts::Enable(LayoutHandle layout) { std::replace(slots_.begin(), slots_.end(), layout, LayoutHandle{0}); }

}  // namespace kv
