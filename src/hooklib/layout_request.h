#pragma once
// Message 1175 from the program: switch the layout of the thread that owns the window.
#include <windows.h>

namespace kv::hooklib {

// The program posts the request to a window with an installed layout in wParam and 0 in
// lParam; anything else with this number is the window's own private message.
bool IsLayoutRequest(const MSG& message) noexcept;
// Switches this thread's layout and posts 1174 with the result, then 1176. Requests that
// reach a thread no longer in front are dropped unanswered: its layout is not the one the
// user sees, and the program falls back to asking the window in front itself.
void HonourLayoutRequest(const MSG& message) noexcept;

}  // namespace kv::hooklib
