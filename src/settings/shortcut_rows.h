#pragma once
// What the hotkey page of the settings window lists and how a row reads and takes its hotkey:
// the eight named language hotkeys, then one direct-switch row per installed layout.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/hotkey_code.h"
#include "platform/keyboard_api.h"

namespace kv {

class TPreset;
class ILocales;

// One installed layout as the settings window lists it: "<language> (<HANDLE>)".
struct InstalledLayout {
    LayoutHandle handle = 0;
    std::u16string text;
};
std::vector<InstalledLayout> ListInstalledLayouts(const IKeyboardLayouts& layouts, const ILocales& locales);

constexpr int kDirectSwitchSubAction = 3;

struct ShortcutRow {
    std::u16string name;
    int image = 0;            // the sub-action; kDirectSwitchSubAction for a layout row
    LayoutHandle layout = 0;  // of a layout row
};

// Empty without installed layouts. `subActionName` gives the name of sub-action 0..8.
std::vector<ShortcutRow> BuildShortcutRows(const std::vector<InstalledLayout>& layouts,
                                           const std::function<std::u16string(int)>& subActionName);

// The hotkey cell of each row: `hotkeyText` of the option, `noHotkey` for a named hotkey of 0,
// empty for a layout without a slot.
std::vector<std::u16string> ShortcutTexts(const TPreset& preset, const std::vector<ShortcutRow>& rows,
                                          const std::function<std::u16string(HotkeyCode)>& hotkeyText,
                                          const std::u16string& noHotkey);

// The row's hotkey now, after freeing the slots of uninstalled layouts; nothing when the row
// is a layout for which no slot is free (the window then does nothing).
std::optional<HotkeyCode> PrepareRowHotkey(TPreset& preset, const std::vector<ShortcutRow>& rows,
                                           const ShortcutRow& row);
// Gives the row its new hotkey through the option's setter.
void AssignRowHotkey(TPreset& preset, const ShortcutRow& row, HotkeyCode code);

}  // namespace kv
