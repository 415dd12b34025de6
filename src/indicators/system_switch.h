#pragma once

#include "platform/types.h"

namespace kv {

// Whether the program watches the keyboard, and the switch the tray item turns.
class ISystemSwitch {
public:
    virtual ~ISystemSwitch() = default;
    virtual bool Active() const = 0;
    virtual void SetActive(bool on) = 0;
    // The application to give the focus back to before an action from the menu acts on it.
    virtual WindowHandle LastForegroundWindow() const = 0;
};

}  // namespace kv
