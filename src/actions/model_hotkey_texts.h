#pragma once
// The hotkey texts the keyboard model writes, for the helpers that describe actions.
#include <cstdint>
#include <string>

#include "actions/action_description.h"
#include "keyboard/kv_keyboard.h"

namespace kv {

class ModelHotkeyTexts : public IHotkeyTextSource {
public:
    explicit ModelHotkeyTexts(const TKvKeyboard& model) : model_(model) {}
    std::u16string HotkeyText(std::uint8_t key, std::uint16_t mods) const override { return model_.HotkeyText(key, mods); }

private:
    const TKvKeyboard& model_;
};

}  // namespace kv
