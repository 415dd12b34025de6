#include "hooklib/layout_request.h"

#include "common/messages.h"
#include "hooklib/notifications.h"

namespace kv::hooklib {
namespace {

bool IsInstalledLayout(HKL layout) noexcept {
    HKL installed[64];
    const int count = GetKeyboardLayoutList(64, installed);
    for (int i = 0; i < count; ++i) {
        if (installed[i] == layout) return true;
    }
    return false;
}

}  // namespace

bool IsLayoutRequest(const MSG& message) noexcept {
    return message.message == msg::kSwitchLayout && message.hwnd != nullptr && message.lParam == 0 &&
           IsInstalledLayout(reinterpret_cast<HKL>(message.wParam));
}

void HonourLayoutRequest(const MSG& message) noexcept {
    if (!OnForegroundThread()) return;
    ActivateKeyboardLayout(reinterpret_cast<HKL>(message.wParam), 0);
    // Whatever the outcome, the program learns the layout the thread has now, and only then
    // the acknowledgement: it reads its model's layout as soon as 1176 arrives.
    ReportLayout(GetKeyboardLayout(0), true);
    Notify(msg::kSwitchAcknowledged);
}

}  // namespace kv::hooklib
