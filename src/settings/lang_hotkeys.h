#pragma once
#include <array>
#include <string>

#include "common/hotkey_code.h"
#include "settings/lang_action_target.h"

namespace kv {

constexpr int kLayoutSlotCount = 10;

// Every language hotkey of the program. A direct-switch slot holds the decimal text of a layout
// handle (as a signed 32-bit number) and takes part only with a text and a hotkey.
struct LangHotkeys {
    HotkeyCode changeLang = 0;
    HotkeyCode changeSelectedLang = 0;
    HotkeyCode switchLang = 0;
    HotkeyCode upperCase = 0;
    HotkeyCode lowerCase = 0;
    HotkeyCode invertCase = 0;
    HotkeyCode sentenceCase = 0;
    HotkeyCode mixedCase = 0;
    std::array<std::u16string, kLayoutSlotCount> changeLangTo;
    std::array<HotkeyCode, kLayoutSlotCount> changeLangToHotkey{};
};

// Replaces the whole action list with one language action per key combination. Registration
// order decides which hotkey wins a shared combination: the conversion of the last typed text
// is registered last among the named hotkeys, then the direct-switch slots.
void RegisterLangActions(const LangHotkeys& hotkeys, ILangActionTarget& target);

}  // namespace kv
