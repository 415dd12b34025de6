#pragma once
#include <windows.h>

#include "platform/win32/win32_handles.h"

namespace kv::win32app {

// Session changes (lock, unlock, ...) of this session, sent to one window as
// WM_WTSSESSION_CHANGE while this object lives; the window must outlive it. wtsapi32.dll is
// loaded from the system folder here, after start-up, not as an import of the program.
class SessionNotifications {
public:
    explicit SessionNotifications(HWND window);
    ~SessionNotifications();
    SessionNotifications(const SessionNotifications&) = delete;
    SessionNotifications& operator=(const SessionNotifications&) = delete;

    bool Registered() const { return registered_; }

private:
    using RegisterFn = BOOL(WINAPI*)(HWND, DWORD);
    using UnregisterFn = BOOL(WINAPI*)(HWND);

    HWND window_;
    win32::UniqueModule library_;
    UnregisterFn unregister_ = nullptr;
    bool registered_ = false;
};

}  // namespace kv::win32app
