#pragma once
#include "common/menu_colors.h"

namespace kv {

// GetSysColor indices the theme reads besides the menu colours' three.
constexpr int kColorActiveCaption = 2;         // COLOR_ACTIVECAPTION
constexpr int kColorInactiveCaption = 3;       // COLOR_INACTIVECAPTION
constexpr int kColorWindowText = 8;            // COLOR_WINDOWTEXT
constexpr int kColorCaptionText = 9;           // COLOR_CAPTIONTEXT
constexpr int kColorButtonShadow = 16;         // COLOR_BTNSHADOW
constexpr int kColorInactiveCaptionText = 19;  // COLOR_INACTIVECAPTIONTEXT
constexpr int kColor3DDarkShadow = 21;         // COLOR_3DDKSHADOW

}  // namespace kv
