#pragma once
#include <cstdint>
#include <string>

#include "hotkeys/action_kinds.h"
#include "hotkeys/kv_action.h"

namespace kv {

class ILocales;

// How the keyboard model writes a hotkey ("Ctrl+Shift+A", "RCtrl", text 6 for none).
class IHotkeyTextSource {
public:
    virtual ~IHotkeyTextSource() = default;
    virtual std::u16string HotkeyText(std::uint8_t key, std::uint16_t mods) const = 0;
};

// What an action does, as the actions menu shows it: the text of a text-carrying kind, else the
// name of its sub-item or kind in the catalogue; a switch to a fixed layout adds the layout's
// language name (from `system`) and handle.
std::u16string ActionDescription(const TKvAction& action, const ActionKindCatalogue& kinds, const ILocales& system);

std::u16string ActionHotkeyText(const TKvAction& action, const IHotkeyTextSource& hotkeys);

}  // namespace kv
