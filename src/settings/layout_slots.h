#pragma once
// The ten direct-switch slots as the settings window hands them out: a slot belongs to a
// layout by its text (the handle as signed decimal). Slots of layouts that are no longer
// installed are freed before a hotkey is assigned, so uninstalling layouts never uses up slots.
#include <optional>
#include <string>
#include <vector>

#include "platform/keyboard_api.h"

namespace kv {

class TPreset;

// The text a slot holds for a layout: the handle as a signed 32-bit decimal number.
std::u16string LayoutSlotText(LayoutHandle layout);

// Empties (text and hotkey, through the setters) every slot whose text names none of `installed`.
void PurgeLayoutSlots(TPreset& preset, const std::vector<LayoutHandle>& installed);

// The slot of `layout`: the first whose text names it, else the first with an empty text;
// nothing when all ten belong to other layouts.
std::optional<int> FindLayoutSlot(const TPreset& preset, LayoutHandle layout);

}  // namespace kv
