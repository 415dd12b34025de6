// Display names of keys and key combinations.
#include "common/key_classes.h"
#include "keyboard/kv_keyboard.h"
#include "resources/kv_lang.h"

namespace kv {

namespace {

struct ModifierName {
    std::uint16_t bit;
    std::uint8_t code;
};

// The order modifiers appear in a hotkey text.
constexpr ModifierName kModifierOrder[] = {
    {hotkey_mod::kLeftWin, vk::kLeftWin},       {hotkey_mod::kRightWin, vk::kRightWin},
    {hotkey_mod::kLeftCtrl, vk::kLeftControl},  {hotkey_mod::kRightCtrl, vk::kRightControl},
    {hotkey_mod::kLeftAlt, vk::kLeftMenu},      {hotkey_mod::kRightAlt, vk::kRightMenu},
    {hotkey_mod::kLeftShift, vk::kLeftShift},   {hotkey_mod::kRightShift, vk::kRightShift},
};

}  // namespace

const std::u16string& TKvKeyboard::KeyLabel(std::uint8_t code) const {
    const TKvBtn* key = Btn(code);
    const std::uint8_t named = key != nullptr && key->Shape() != nullptr ? key->Shape()->Vk() : code;
    return services_.keyNames[named];
}

std::u16string TKvKeyboard::KeyName(std::uint8_t code) const {
    const std::u16string& name = KeyLabel(code);
    if (code != vk::kRightShift && code != vk::kRightControl) return name;
    std::u16string prefixed(1, u'R');
    prefixed += name;
    return prefixed;
}

std::u16string TKvKeyboard::HotkeyText(std::uint8_t code, std::uint16_t modifiers) const {
    std::u16string text;
    for (const ModifierName& modifier : kModifierOrder) {
        if ((modifiers & modifier.bit) != 0) text += KeyName(modifier.code) + u"+";
    }
    if (code != 0) text += KeyName(code) + u"+";
    if (!text.empty()) text.pop_back();
    return text.empty() ? services_.lang.GetText(6, u"None") : text;
}

PressedCombination TKvKeyboard::PressedHotkey() const {
    PressedCombination result;
    std::uint8_t lastSeen = 0;
    for (const auto& key : btns_) {
        if (!key || !key->Pressed()) continue;
        lastSeen = key->Vk();
        if (IsModifierKey(lastSeen)) {
            result.modifiers |= SidedModifierBit(lastSeen);
        } else {
            result.key = lastSeen;
        }
    }
    // One key alone, even a modifier, is a hotkey of its own.
    if (pressedCount_ == 1) {
        result.key = lastSeen;
        result.modifiers = 0;
    }
    result.text = HotkeyText(result.key, result.modifiers);
    return result;
}

}  // namespace kv
