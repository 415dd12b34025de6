#pragma once
#include <cstdint>
#include <string>

namespace kv {

// The sub-actions of language and case actions; the number is what the action list stores.
enum class LangSubAction : int {
    ConvertLastTyped = 0,
    ConvertSelection = 1,
    SwitchToNextLayout = 2,
    SwitchToLayout = 3,
    UpperCase = 4,
    LowerCase = 5,
    InvertCase = 6,
    SentenceCase = 7,
    MixedCase = 8,
};

// The part of the action list that the language hotkeys are registered in.
class ILangActionTarget {
public:
    virtual ~ILangActionTarget() = default;
    // Removes every action.
    virtual void Clear() = 0;
    // Gets or creates the action of this key and modifier set, then makes it a language action
    //  with this sub-action and text.
    virtual void SetLanguageAction(std::uint8_t key, std::uint16_t modifiers, LangSubAction subAction,
                                   const std::u16string& text) = 0;
};

}  // namespace kv
