#pragma once
// Logical and physical pixels. The program is per-monitor aware and places its windows in
// physical pixels; a DPI-unaware application on a scaled monitor reports its caret in its own,
// scaled pixels. The functions exist from Windows 8.1 and 10 on; before, both kinds are one.
#include <windows.h>

#include <optional>

namespace kv::win32 {

// A rectangle in screen coordinates as `window` sees them, in physical pixels.
RECT LogicalToPhysical(HWND window, const RECT& logical);

// The caret rectangle GetGUIThreadInfo reports in `caretWindow`'s client coordinates, turned into
// physical pixels relative to the client origin that ClientToScreen gives this program. Empty
// when nothing needs turning.
std::optional<RECT> CaretRectInPhysicalClient(HWND caretWindow, const RECT& caret);

}  // namespace kv::win32
