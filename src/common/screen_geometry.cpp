#include "common/screen_geometry.h"

namespace kv {

namespace {
Rect MovedTo(const Rect& r, std::int32_t left, std::int32_t top) {
    return Rect{left, top, left + r.Width(), top + r.Height()};
}
}  // namespace

Rect KeepOnWorkArea(const Rect& form, const Rect& area) {
    std::int32_t left = form.left < area.left ? area.left : form.left;
    std::int32_t top = form.top < area.top ? area.top : form.top;
    if (left + form.Width() > area.right) left = area.right - form.Width();
    if (top + form.Height() > area.bottom) top = area.bottom - form.Height();
    return MovedTo(form, left, top);
}

Rect ClampToScreen(const Rect& form, const Rect& screen) {
    std::int32_t left = form.left;
    std::int32_t top = form.top;
    if (left + form.Width() <= 0) left = 1 - form.Width();
    if (top + form.Height() <= 0) top = 1 - form.Height();
    if (left >= screen.Width()) left = screen.Width() - 1;
    if (top >= screen.Height()) top = screen.Height() - 1;
    return MovedTo(form, left, top);
}

}  // namespace kv
