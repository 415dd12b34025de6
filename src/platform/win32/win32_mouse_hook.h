#pragma once
#include <cstddef>

#include "platform/hook_api.h"

namespace kv::win32 {

// WH_MOUSE_LL hooks of the process, in fixed slots as the keyboard hooks are: the system calls a
// procedure with no context of its own, and the hook path allocates nothing. Only button presses
// reach a handler; moves, which come by the hundred, go straight on.
class Win32MouseHook : public IMouseHook {
public:
    // The program installs one; a second slot lets a replacement go in before the old one goes.
    static constexpr std::size_t kMaxHooks = 2;

    // Null when every slot is taken or the system refused the hook.
    std::unique_ptr<IInstalledMouseHook> Install(IMouseHookHandler& handler) override;
};

}  // namespace kv::win32
