#pragma once
#include <windows.h>

namespace kv::win32app {

// The small icon a window shows: its own, else its class's, else its owner's, else the
// system's application icon. A hung window is given `timeoutMs` to answer.
HICON GetWindowIcon(HWND window, UINT timeoutMs);

}  // namespace kv::win32app
