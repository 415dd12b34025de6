#include "indicators/language_panel_geometry.h"

#include <algorithm>

#include "common/screen_geometry.h"

namespace kv {

namespace {
constexpr std::int32_t kFlagButtonWidth = 22, kNamedButtonWidth = 133, kButtonHeight = 19;
// Neighbours overlap by one pixel so that their borders coincide.
constexpr std::int32_t kRowStep = kFlagButtonWidth - 1, kColumnStep = kButtonHeight - 1;
}  // namespace

PanelKind PanelKindFrom(std::int32_t value) {
    return value >= 0 && value <= 4 ? static_cast<PanelKind>(value) : kDefaultPanelKind;
}

bool IsListKind(PanelKind kind) {
    return kind == PanelKind::VerticalFlags || kind == PanelKind::HorizontalFlags ||
           kind == PanelKind::VerticalWithNames;
}

bool ShowsNames(PanelKind kind) { return kind == PanelKind::FlagWithName || kind == PanelKind::VerticalWithNames; }

std::int32_t ScaleToDpi(std::int32_t designPixels, std::int32_t dpi) {
    if (dpi <= 0) dpi = kDesignDpi;
    return static_cast<std::int32_t>((static_cast<std::int64_t>(designPixels) * dpi + kDesignDpi / 2) / kDesignDpi);
}

PanelShape ShapePanel(PanelKind kind, std::size_t layoutCount, std::int32_t dpi) {
    const std::int32_t width = ShowsNames(kind) ? kNamedButtonWidth : kFlagButtonWidth;
    const std::size_t count = IsListKind(kind) ? std::min(layoutCount, kMaxPanelLayouts) : 1;
    PanelShape shape;
    Point design{width, kButtonHeight};
    for (std::size_t i = 0; i < count; ++i) {
        const auto step = static_cast<std::int32_t>(i);
        Rect button{0, 0, width, kButtonHeight};
        if (kind == PanelKind::HorizontalFlags) {
            button.left = kRowStep * step;
            button.right = button.left + width;
        } else if (IsListKind(kind)) {
            button.top = kColumnStep * step;
            button.bottom = button.top + kButtonHeight;
        }
        shape.buttons.push_back({ScaleToDpi(button.left, dpi), ScaleToDpi(button.top, dpi),
                                 ScaleToDpi(button.right, dpi), ScaleToDpi(button.bottom, dpi)});
    }
    const auto n = static_cast<std::int32_t>(count);
    if (kind == PanelKind::HorizontalFlags) design.x = kRowStep * n + 1;
    if (kind == PanelKind::VerticalFlags || kind == PanelKind::VerticalWithNames) design.y = kColumnStep * n + 1;
    // An empty list keeps the size of one button, so the panel never vanishes.
    if (count == 0) design = {width, kButtonHeight};
    shape.size = {ScaleToDpi(design.x, dpi), ScaleToDpi(design.y, dpi)};
    return shape;
}

Rect KeepPanelReachable(const Rect& panel, const Rect& primaryScreen, const Rect& nearestWorkArea) {
    const bool onPrimary = nearestWorkArea.left >= primaryScreen.left && nearestWorkArea.top >= primaryScreen.top &&
                           nearestWorkArea.right <= primaryScreen.right &&
                           nearestWorkArea.bottom <= primaryScreen.bottom;
    if (onPrimary) return ClampToScreen(panel, primaryScreen);
    const Point origin{nearestWorkArea.left, nearestWorkArea.top};
    const Rect local{panel.left - origin.x, panel.top - origin.y, panel.right - origin.x, panel.bottom - origin.y};
    const Rect kept = ClampToScreen(local, nearestWorkArea);
    return {kept.left + origin.x, kept.top + origin.y, kept.right + origin.x, kept.bottom + origin.y};
}

std::uint8_t PanelAlpha(std::int32_t percent) {
    if (percent <= 0) return 0;
    if (percent >= 100) return 255;
    const std::int32_t scaled = percent * 255;  // hundredths of the alpha value
    std::int32_t alpha = scaled / 100;
    const std::int32_t rest = scaled % 100;
    if (rest > 50 || (rest == 50 && alpha % 2 == 1)) ++alpha;
    return static_cast<std::uint8_t>(alpha);
}

}  // namespace kv
