#pragma once
#include <string>
#include <string_view>

namespace kv {

class IKeyboardLayouts;
class LayoutSwitcher;
class TKvKeyboard;

// Switches the foreground application to the next layout and returns the text as the same
// physical keys type it there. Characters the old layout cannot type stay as they are; what a
// key only starts in the new layout (a dead key) adds nothing.
std::u16string ConvertText(std::u16string_view text, TKvKeyboard& model, LayoutSwitcher& switcher,
                           IKeyboardLayouts& layouts);

}  // namespace kv
