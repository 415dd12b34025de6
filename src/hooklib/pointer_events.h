#pragma once
// Mouse and key messages of the application in front: caret activity and the long press that
// opens the program's actions menu.
#include <windows.h>

namespace kv::hooklib {

void OnInputMessage(const MSG& message) noexcept;
// Posts 1193 when a long press is pending, so the program's menu timer never outlives it.
void CancelLongPress() noexcept;

}  // namespace kv::hooklib
