#pragma once
#include <cstdint>
#include <vector>

#include "platform/types.h"

namespace kv {

class IKeyboardCanvas;
class TKvKeyboard;

// One key of the keyboard model, by virtual-key code.
class TKvBtn {
public:
    TKvBtn(TKvKeyboard& keyboard, std::uint8_t vk, std::vector<Point> points);
    TKvBtn(const TKvBtn&) = delete;
    TKvBtn& operator=(const TKvBtn&) = delete;

    std::uint8_t Vk() const { return vk_; }
    bool Pressed() const { return pressed_; }
    bool Hot() const { return hot_; }
    TKvKeyboard& Keyboard() const { return keyboard_; }
    IKeyboardCanvas& Canvas() const;
    // The key whose outline and position this key is drawn and hit-tested with: itself, the key
    // at its physical position in the current layout, or none when another key took its place.
    TKvBtn* Shape() const { return shape_; }
    // The key that stands for this one's physical position (its code is the US-layout code of
    // the place): the shape when it has one, else the key itself.
    const TKvBtn& PositionKey() const { return shape_ ? *shape_ : *this; }
    // Set from each real key event and from the part of a split key the mouse is over.
    bool Extended() const { return extended_; }
    void SetExtended(bool extended) { extended_ = extended; }
    // The key's own outline in image pixels; see key_outline.h.
    const std::vector<Point>& Points() const { return points_; }

    // Colours the renderer chose for the label and the character (0x00BBGGRR).
    std::uint32_t LabelColor = 0;
    std::uint32_t CharColor = 0;

    // Runs on the keyboard-hook path: no allocation, no system call.
    void SetPressed(bool pressed);
    void SetHot(bool hot);
    // Against the outline of Shape; `extended` starts as Extended and tells the part of a split key.
    bool HitTest(std::int32_t x, std::int32_t y, bool& extended) const;
    void Paint();

    std::int32_t KeyHeight() const;
    std::int32_t Left() const { return points_.empty() ? 0 : points_.front().x; }
    std::int32_t Top() const { return points_.empty() ? 0 : points_.front().y; }
    // The code icon packs are asked with: 0 for a held modifier (its combination alone counts).
    std::uint8_t IconKey() const;

private:
    friend class TKvKeyboard;  // assigns shapes and releases keys it frees

    TKvKeyboard& keyboard_;
    std::uint8_t vk_;
    bool pressed_ = false;
    bool hot_ = false;
    TKvBtn* shape_;
    bool extended_;
    std::vector<Point> points_;
};

}  // namespace kv
