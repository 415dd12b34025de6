// The keys the user holds, released and pressed again around the program's own input.
#include "common/key_classes.h"
#include "common/synthetic_input.h"
#include "keyboard/kv_keyboard.h"

namespace kv {

void TKvKeyboard::RememberHeldKeys() {
    for (std::size_t code = 0; code < savedHeld_.size(); ++code) savedHeld_[code] = btns_[code] && btns_[code]->Pressed();
}

void TKvKeyboard::ReleaseHeldKeys() {
    for (const auto& key : btns_) {
        if (key && key->Pressed()) services_.keys.SendKeyEvent(key->Vk(), true, key->Extended());
    }
}

void TKvKeyboard::RestoreHeldKeys(bool modifiersOnly) {
    for (std::uint32_t code = 1; code < savedHeld_.size(); ++code) {
        if (!savedHeld_[code] || (modifiersOnly && !IsModifierKey(code))) continue;
        // The geometry may have been reloaded meanwhile; a key without its object keeps its class flag.
        const TKvBtn* key = btns_[code].get();
        const bool extended = key != nullptr ? key->Extended() : IsExtendedKey(code);
        services_.keys.PressHeldKeyAgain(static_cast<std::uint8_t>(code), extended);
        // The user let go just as the key went down again, and the press came after the
        // release: it must not stay down.
        if (!savedHeld_[code]) services_.keys.ReleaseKeyPressedAgain(static_cast<std::uint8_t>(code), extended);
    }
    services_.keys.SendEscapeRelease();
}

void TKvKeyboard::UserReleasedKey(std::uint8_t code) {
    savedHeld_[code] = false;
    SetKeyPressed(code, false);
}

bool TKvKeyboard::AnyModifierHeld() const {
    for (const auto& key : btns_) {
        if (key && key->Pressed() && IsModifierKey(key->Vk())) return true;
    }
    return false;
}

}  // namespace kv
