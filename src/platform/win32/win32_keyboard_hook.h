#pragma once
#include "platform/hook_api.h"

namespace kv::win32 {

// WH_KEYBOARD_LL for the whole process. The system calls a plain function, so the one handler
// of the process is kept where that function finds it.
class Win32KeyboardHook : public IKeyboardHook {
public:
    ~Win32KeyboardHook() override { Remove(); }
    bool Install(IKeyboardHookHandler& handler) override;
    void Remove() override;
    bool Installed() const override;
};

}  // namespace kv::win32
