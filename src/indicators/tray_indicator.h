#pragma once

namespace kv {

// The notification-area icon, as far as the keyboard engine's state shows on it.
class ITrayIndicator {
public:
    virtual ~ITrayIndicator() = default;
    virtual void UpdateTrayIcon() = 0;
};

}  // namespace kv
