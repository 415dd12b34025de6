#pragma once
#include <string>
#include <string_view>

namespace kv {

class IKeyboardLayouts;
class LayoutSwitcher;
class TKvKeyboard;

// Switches the foreground application to the next layout and returns the text as the same
// physical keys type it there. Characters the old layout cannot type, and keys that type nothing
// in the new one, stay as they are; a key that only starts a character there (a dead key) gives
// its spacing form.
std::u16string ConvertText(std::u16string_view text, TKvKeyboard& model, LayoutSwitcher& switcher,
                           IKeyboardLayouts& layouts);

}  // namespace kv
