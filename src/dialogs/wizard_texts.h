#pragma once
// What the wizard's three pages say. Step 2 names the hotkey that converts the text typed last
// (the language-and-case action with sub-kind 0), so the user learns the key they actually have;
// without such an action the page keeps the text it had.
#include <optional>
#include <string>

namespace kv {

class IHotkeyTextSource;
class TKvActions;
class TKvLang;

// The hotkey text of the convert-typed-text action, or nothing when no action does that.
std::optional<std::u16string> ConvertTypedHotkeyText(const TKvActions& actions, const IHotkeyTextSource& hotkeys);

struct WizardPageTexts {
    std::u16string start;                    // text 391, %1 = the product name
    std::optional<std::u16string> switcher;  // text 400, %1 = the hotkey; none without the action
    std::u16string finish;                   // text 403
};

WizardPageTexts BuildWizardPageTexts(const TKvLang& lang, const std::optional<std::u16string>& convertHotkey);

}  // namespace kv
