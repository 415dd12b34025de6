#include "settings/lang_hotkeys.h"

#include <utility>

namespace kv {

void RegisterLangActions(const LangHotkeys& hotkeys, ILangActionTarget& target) {
    target.Clear();
    const std::pair<HotkeyCode, LangSubAction> named[] = {
        {hotkeys.mixedCase, LangSubAction::MixedCase},
        {hotkeys.sentenceCase, LangSubAction::SentenceCase},
        {hotkeys.invertCase, LangSubAction::InvertCase},
        {hotkeys.lowerCase, LangSubAction::LowerCase},
        {hotkeys.upperCase, LangSubAction::UpperCase},
        {hotkeys.switchLang, LangSubAction::SwitchToNextLayout},
        {hotkeys.changeSelectedLang, LangSubAction::ConvertSelection},
        {hotkeys.changeLang, LangSubAction::ConvertLastTyped},
    };
    const std::u16string noText;
    for (const auto& [code, subAction] : named) {
        if (code == 0) continue;
        const DecodedHotkey hotkey = DecodeHotkey(code);
        target.SetLanguageAction(hotkey.key, hotkey.modifiers, subAction, noText);
    }
    for (int slot = 0; slot < kLayoutSlotCount; ++slot) {
        const HotkeyCode code = hotkeys.changeLangToHotkey[slot];
        if (hotkeys.changeLangTo[slot].empty() || code == 0) continue;
        const DecodedHotkey hotkey = DecodeHotkey(code);
        target.SetLanguageAction(hotkey.key, hotkey.modifiers, LangSubAction::SwitchToLayout,
                                 hotkeys.changeLangTo[slot]);
    }
}

}  // namespace kv
