#pragma once
// Out-of-context window events, delivered to the thread that hooked. They see every
// application, whatever its bitness or integrity level, where the message hooks cannot go.
#include <windows.h>

namespace kv::hooklib {

void CALLBACK WindowEventProc(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child, DWORD thread,
                              DWORD time) noexcept;

}  // namespace kv::hooklib
