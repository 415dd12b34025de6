#include "keyboard/system_modifiers.h"

#include "common/key_classes.h"
#include "common/synthetic_input.h"
#include "platform/keyboard_api.h"

namespace kv {

void ReleaseSystemModifiers(IKeyInput& input, KeySender& keys, std::array<std::uint8_t, 256>& state) {
    input.ReadKeyboardState(state.data());
    state[vk::kShift] = state[vk::kControl] = state[vk::kMenu] = 0;
    for (std::uint8_t code : {vk::kLeftShift, vk::kRightShift, vk::kLeftControl, vk::kRightControl, vk::kLeftMenu,
                              vk::kRightMenu, vk::kLeftWin, vk::kRightWin}) {
        if ((state[code] & 0x80) != 0) keys.SendKeyEvent(code, true, IsExtendedKey(code));
        state[code] = 0;
    }
}

}  // namespace kv
