#include "indicators/kv_form_btn.h"

#include "theme/kv_theme.h"

namespace kv {

void TKvFormBtn::PlaceButton(const Rect& bounds, std::int32_t imageIndex) {
    bounds_ = bounds;
    imageIndex_ = imageIndex;
    visible_ = true;
    down_ = hot_ = false;
    Changed();
}

void TKvFormBtn::SetImageIndex(std::int32_t index) {
    imageIndex_ = index;
    Changed();
}

void TKvFormBtn::SetHot(bool hot) {
    hot_ = hot;
    Changed();
}

void TKvFormBtn::SetDown(bool down) {
    down_ = down;
    Changed();
}

void TKvFormBtn::MouseEnter() {
    down_ = false;
    hot_ = true;
    Changed();
}

void TKvFormBtn::MouseLeave() {
    down_ = hot_ = false;
    Changed();
}

void TKvFormBtn::MouseDown() {
    down_ = true;
    hot_ = false;
    Changed();
}

void TKvFormBtn::MouseUp(Point at) {
    const bool wasDown = down_;
    down_ = false;
    hot_ = Contains(at);
    Changed();
    if (wasDown && hot_ && OnClick) OnClick();
}

bool TKvFormBtn::Contains(Point at) const {
    return at.x >= bounds_.left && at.x <= bounds_.right && at.y >= bounds_.top && at.y <= bounds_.bottom;
}

FormButtonColors TKvFormBtn::Colors(const TKvTheme& theme) const {
    if (down_) return {theme.PressedBorder, theme.PressedFace, theme.PressedLabel};
    if (hot_) return {theme.HotBorder, theme.HotFace, theme.HotLabel};
    return {theme.KeyBorder, theme.KeyFace, theme.KeyLabel};
}

void TKvFormBtn::Changed() {
    if (OnChanged) OnChanged();
}

}  // namespace kv
