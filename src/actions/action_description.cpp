#include "actions/action_description.h"

#include <cstdio>

#include "actions/layout_text.h"
#include "platform/system_api.h"
#include "settings/lang_action_target.h"

namespace kv {
namespace {

// Kinds whose parameter is free text (web page, text to insert, program, document).
bool CarriesText(ActionKind kind) {
    return kind == ActionKind::OpenWebPage || kind == ActionKind::InsertText || kind == ActionKind::RunProgram ||
           kind == ActionKind::OpenDocument;
}
constexpr std::size_t kMaxTextShown = 400;

std::u16string HexHandle(LayoutHandle handle) {
    char digits[9];
    std::snprintf(digits, sizeof digits, "%08X", static_cast<unsigned>(handle));
    return std::u16string(digits, digits + 8);
}

std::u16string CatalogueName(const TKvAction& action, const ActionKindCatalogue& kinds) {
    const TKvActionKind* kind = kinds.Find(action.Kind());
    if (!kind) return {};
    if (kind->SubItems.empty()) return kind->Name;
    return action.SubKind() < kind->SubItems.size() ? kind->SubItems[action.SubKind()] : std::u16string();
}

}  // namespace

std::u16string ActionDescription(const TKvAction& action, const ActionKindCatalogue& kinds, const ILocales& system) {
    if (CarriesText(action.Kind())) return action.Text().substr(0, kMaxTextShown);
    std::u16string description = CatalogueName(action, kinds);
    if (action.Is(ActionKind::LanguageAndCase, static_cast<std::uint8_t>(LangSubAction::SwitchToLayout))) {
        const LayoutHandle layout = LayoutFromText(action.Text());
        description += u" - ";
        description += system.LanguageName(static_cast<std::uint16_t>(layout & 0xFFFF));
        description += u" ";
        description += HexHandle(layout);
    }
    return description;
}

std::u16string ActionHotkeyText(const TKvAction& action, const IHotkeyTextSource& hotkeys) {
    return hotkeys.HotkeyText(action.Key(), action.Mods());
}

}  // namespace kv
