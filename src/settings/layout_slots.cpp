#include "settings/layout_slots.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "platform/text.h"
#include "settings/preset.h"

namespace kv {

std::u16string LayoutSlotText(LayoutHandle layout) {
    return Utf8ToUtf16(std::to_string(static_cast<std::int32_t>(layout)));
}

void PurgeLayoutSlots(TPreset& preset, const std::vector<LayoutHandle>& installed) {
    std::vector<std::u16string> names;
    names.reserve(installed.size());
    for (LayoutHandle layout : installed) names.push_back(LayoutSlotText(layout));
    for (int slot = 0; slot < kLayoutSlotCount; ++slot) {
        if (std::find(names.begin(), names.end(), preset.ChangeLangTo(slot)) != names.end()) continue;
        // Already empty slots need no rebuild of the language actions.
        if (preset.ChangeLangTo(slot).empty() && preset.SCChangeLangTo(slot) == 0) continue;
        preset.SetChangeLangTo(slot, u"");
        preset.SetSCChangeLangTo(slot, 0);
    }
}

std::optional<int> FindLayoutSlot(const TPreset& preset, LayoutHandle layout) {
    const std::u16string text = LayoutSlotText(layout);
    for (int slot = 0; slot < kLayoutSlotCount; ++slot) {
        if (preset.ChangeLangTo(slot) == text) return slot;
    }
    for (int slot = 0; slot < kLayoutSlotCount; ++slot) {
        if (preset.ChangeLangTo(slot).empty()) return slot;
    }
    return std::nullopt;
}

}  // namespace kv
