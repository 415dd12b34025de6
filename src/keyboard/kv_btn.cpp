#include "keyboard/kv_btn.h"

#include "common/key_classes.h"
#include "keyboard/key_outline.h"
#include "keyboard/keyboard_canvas.h"
#include "keyboard/kv_keyboard.h"

namespace kv {

TKvBtn::TKvBtn(TKvKeyboard& keyboard, std::uint8_t vk, std::vector<Point> points)
    : keyboard_(keyboard), vk_(vk), shape_(this), extended_(IsExtendedKey(vk)), points_(std::move(points)) {}

IKeyboardCanvas& TKvBtn::Canvas() const { return keyboard_.Canvas(); }

void TKvBtn::SetPressed(bool pressed) {
    if (pressed == pressed_) return;
    pressed_ = pressed;
    keyboard_.TrackKeyChange(vk_, pressed);
    if (IsStateKey(vk_)) {
        keyboard_.Redraw();
    } else {
        Paint();
    }
}

void TKvBtn::SetHot(bool hot) {
    hot_ = hot;
    Paint();
}

bool TKvBtn::HitTest(std::int32_t x, std::int32_t y, bool& extended) const {
    extended = extended_;
    if (shape_ == nullptr || shape_->points_.empty()) return false;
    return OutlineContains(shape_->points_, x, y, extended);
}

void TKvBtn::Paint() {
    if (!keyboard_.DrawEnabled() || shape_ == nullptr || shape_->points_.empty()) return;
    keyboard_.Canvas().DrawKey(*this);
}

std::int32_t TKvBtn::KeyHeight() const { return OutlineHeight(points_); }

std::uint8_t TKvBtn::IconKey() const {
    return IsModifierKey(vk_) && keyboard_.KeyState()[vk_] != 0 ? 0 : vk_;
}

}  // namespace kv
