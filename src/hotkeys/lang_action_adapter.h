#pragma once
#include "hotkeys/kv_actions.h"
#include "settings/lang_action_target.h"

namespace kv {

// Lets the settings model register its language hotkeys in the action list.
class LangActionAdapter : public ILangActionTarget {
public:
    explicit LangActionAdapter(TKvActions& actions) : actions_(actions) {}

    void Clear() override { actions_.Clear(); }
    // A combination that is no hotkey (key 0 without modifiers) is skipped.
    void SetLanguageAction(std::uint8_t key, std::uint16_t modifiers, LangSubAction subAction,
                           const std::u16string& text) override;

private:
    TKvActions& actions_;
};

}  // namespace kv
