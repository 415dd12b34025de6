#pragma once
// The floating language panel's shapes: five kinds, each a row, a column or a single button, and
// the opacity its transparency percentage gives. Sizes are designed at 96 dpi and scaled to the
// panel's monitor, so neighbouring buttons still share their one-pixel border at every scale.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/types.h"

namespace kv {

enum class PanelKind : std::int32_t {
    Flag = 0,               // the current layout's flag
    FlagWithName = 1,       // the same with the language's name (the default)
    VerticalFlags = 2,      // one flag per installed layout, top to bottom
    HorizontalFlags = 3,    // the same, left to right
    VerticalWithNames = 4,  // a column of flags with names
};

inline constexpr PanelKind kDefaultPanelKind = PanelKind::FlagWithName;
inline constexpr std::size_t kMaxPanelLayouts = 30;
inline constexpr std::int32_t kDesignDpi = 96;

// A kind read from the registry: anything outside 0..4 is the default.
PanelKind PanelKindFrom(std::int32_t value);
bool IsListKind(PanelKind kind);
bool ShowsNames(PanelKind kind);

struct PanelShape {
    Point size;                 // of the whole panel
    std::vector<Rect> buttons;  // in panel coordinates, one per button
};

// The panel of `kind` with `layoutCount` installed layouts (single kinds have one button; the list
// kinds at most 30), in pixels of a monitor of `dpi`.
PanelShape ShapePanel(PanelKind kind, std::size_t layoutCount, std::int32_t dpi);

// A design length in pixels of a monitor of `dpi`, rounded to the nearest pixel.
std::int32_t ScaleToDpi(std::int32_t designPixels, std::int32_t dpi);

// Where a panel goes so at least one pixel row and column of it stay reachable: on the primary
// monitor as ClampToScreen does it for the primary screen, on another monitor the same within that
// monitor's work area, so a panel placed there is not pulled back onto the primary one.
Rect KeepPanelReachable(const Rect& panel, const Rect& primaryScreen, const Rect& nearestWorkArea);

// Layered-window opacity of a percentage: percent x 2.55, halves to the even neighbour; below 0
// is 0 and above 100 is 255.
std::uint8_t PanelAlpha(std::int32_t percent);

}  // namespace kv
