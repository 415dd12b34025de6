#pragma once
#include "platform/types.h"

namespace kv {

// Where a normal (not minimized or maximized) form goes so it lies inside its monitor's work area:
// first onto the left/top edge when it sticks out there, then back so its right/bottom edge fits.
Rect KeepOnWorkArea(const Rect& form, const Rect& workArea);
// Keeps at least one pixel of the form on the screen.
Rect ClampToScreen(const Rect& form, const Rect& screen);

}  // namespace kv
