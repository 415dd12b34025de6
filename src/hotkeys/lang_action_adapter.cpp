#include "hotkeys/lang_action_adapter.h"

namespace kv {

void LangActionAdapter::SetLanguageAction(std::uint8_t key, std::uint16_t modifiers, LangSubAction subAction,
                                          const std::u16string& text) {
    TKvAction* action = actions_.AddAction(key, modifiers);
    if (!action) return;
    action->SetKind(ActionKind::LanguageAndCase);
    action->SetSubKind(static_cast<std::uint8_t>(subAction));
    action->SetText(text);
}

}  // namespace kv
