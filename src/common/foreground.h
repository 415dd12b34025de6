#pragma once
#include <cstdint>

#include "platform/types.h"

namespace kv {

struct Platform;

WindowHandle FindDesktopWindow(const Platform& platform);
// Brings a window to the foreground even where the system's foreground lock would refuse it.
void ForceForeground(Platform& platform, WindowHandle window, bool showIfHidden);
// The screen position of the foreground window's caret (its right edge, its top) and its height.
bool GetCaretScreenPos(const Platform& platform, Point& point, std::int32_t& height, bool requireBlinking);
bool IsCaretBlinking(const Platform& platform);

}  // namespace kv
