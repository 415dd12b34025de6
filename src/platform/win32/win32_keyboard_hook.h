#pragma once
#include <cstddef>

#include "platform/hook_api.h"

namespace kv::win32 {

// WH_KEYBOARD_LL hooks of the process, each in a slot of its own (low_level_hook_slots.h).
class Win32KeyboardHook : public IKeyboardHook {
public:
    // More hooks at once than the program ever needs (its own and the shortcut capture's).
    static constexpr std::size_t kMaxHooks = 4;

    // Null when every slot is taken or the system refused the hook.
    std::unique_ptr<IInstalledKeyboardHook> Install(IKeyboardHookHandler& handler) override;
};

}  // namespace kv::win32
