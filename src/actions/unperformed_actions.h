#pragma once
// The program functions a hotkey can name that this program deliberately does not carry out.
// The action list and the tray know them (the tray shows their hotkeys beside items it keeps
// hidden), but the windows they would open are not part of this program. Their hotkeys are
// still swallowed; the executor only writes the reason to the debug log.
#include <string>
#include <string_view>

#include "hotkeys/kv_action.h"

namespace kv {

struct UnperformedAction {
    ProgramFunction function;
    std::u16string_view name;
    std::u16string_view reason;
};

inline constexpr UnperformedAction kUnperformedActions[] = {
    {ProgramFunction::ClipboardManager, u"clipboard manager",
     u"this program has no clipboard manager; it uses the clipboard only to convert a selection"},
    {ProgramFunction::TemplateManager, u"templates manager", u"this program has no text templates"},
    {ProgramFunction::HotkeySetup, u"hotkey setup",
     u"this program has no action editor; its hotkeys are set in the settings window"},
};

// The entry of an action this program does not carry out; null for every other action.
inline const UnperformedAction* FindUnperformedAction(const TKvAction& action) {
    for (const UnperformedAction& entry : kUnperformedActions) {
        if (action.Is(ActionKind::ProgramFunction, static_cast<std::uint8_t>(entry.function))) return &entry;
    }
    return nullptr;
}

// The debug log's line when such an action's hotkey is pressed.
inline std::u16string UnperformedActionLogLine(const UnperformedAction& entry) {
    return u"Hotkey of the " + std::u16string(entry.name) + u" not carried out: " + std::u16string(entry.reason);
}

}  // namespace kv
