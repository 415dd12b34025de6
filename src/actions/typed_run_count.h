#pragma once
#include <cstdint>

namespace kv {

class IKeyboardLayouts;
class TKvKeyboard;
class TypingRun;

// How many characters the keys of the run leave on screen when typed in the model's current
// layout, on the keys PosToVk gives there. Asked of the layout itself, key by key, so that keys
// typing nothing there, dead keys and what a dead key makes of the next key count as the
// application sees them; Backspace takes back one while any is left. Leaves no dead key
// pending in the layout.
std::int32_t CharactersTypedByRun(const TypingRun& run, const TKvKeyboard& model, IKeyboardLayouts& layouts);

}  // namespace kv
