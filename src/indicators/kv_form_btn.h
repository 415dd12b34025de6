#pragma once
#include <cstdint>
#include <functional>

#include "platform/types.h"

namespace kv {

struct TKvTheme;

// The pen, brush and text colours a painted form button takes: those of an on-screen keyboard key
// in the same state (0x00BBGGRR).
struct FormButtonColors {
    std::uint32_t border = 0;
    std::uint32_t face = 0;
    std::uint32_t text = 0;
    friend bool operator==(const FormButtonColors&, const FormButtonColors&) = default;
};

// A small painted image button (the on-screen keyboard's pin and close buttons, and the settings
// window's). This is its behaviour: hot and pressed looks follow the mouse, a release inside
// clicks. The window that shows it paints a rounded rectangle in Colors() and the glyph ImageIndex
// at (2, 2), and repaints whenever OnChanged fires.
class TKvFormBtn {
public:
    static constexpr std::int32_t kCornerSize = 5;
    static constexpr Point kGlyphOffset{2, 2};

    // Sets the bounds in the parent, the glyph, and clears Down and Hot.
    void PlaceButton(const Rect& bounds, std::int32_t imageIndex);
    const Rect& Bounds() const { return bounds_; }
    bool Visible() const { return visible_; }

    std::int32_t ImageIndex() const { return imageIndex_; }
    bool Down() const { return down_; }
    bool Hot() const { return hot_; }
    void SetImageIndex(std::int32_t index);
    void SetHot(bool hot);
    void SetDown(bool down);

    // Mouse, in the parent's coordinates.
    void MouseEnter();
    void MouseLeave();
    void MouseDown();
    // The button clicks (OnClick) when released inside, edges included.
    void MouseUp(Point at);
    bool Contains(Point at) const;

    FormButtonColors Colors(const TKvTheme& theme) const;

    std::function<void()> OnChanged;
    std::function<void()> OnClick;

private:
    void Changed();

    Rect bounds_{};
    std::int32_t imageIndex_ = 0;
    bool visible_ = false;
    bool down_ = false;
    bool hot_ = false;
};

}  // namespace kv
