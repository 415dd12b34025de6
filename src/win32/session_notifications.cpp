#include "win32/session_notifications.h"

#include "platform/win32/system_library.h"

namespace kv::win32app {

namespace {
constexpr DWORD kNotifyForThisSession = 0;
}

SessionNotifications::SessionNotifications(HWND window) : window_(window) {
    library_ = win32::LoadSystemLibrary(L"wtsapi32.dll");
    if (!library_) return;
    const auto registerFn = win32::ExportOf<RegisterFn>(library_.Get(), "WTSRegisterSessionNotification");
    unregister_ = win32::ExportOf<UnregisterFn>(library_.Get(), "WTSUnRegisterSessionNotification");
    if (!registerFn || !unregister_) return;
    registered_ = registerFn(window_, kNotifyForThisSession) != FALSE;
}

SessionNotifications::~SessionNotifications() {
    if (registered_) unregister_(window_);
}

}  // namespace kv::win32app
