#pragma once
// A floating window as the saved placement sees it: a normal window of fixed size, so only its
// position is kept. `View` gives Bounds() and MoveTo(Point).
#include <string>
#include <string_view>

#include "settings/form_placement.h"

namespace kv {

template <class View>
class PositionOnlyPlacement final : public IPlacedForm {
public:
    PositionOnlyPlacement(View& view, std::u16string_view className) : view_(view), className_(className) {}
    std::u16string ClassName() const override { return std::u16string(className_); }
    Rect Bounds() const override { return view_.Bounds(); }
    void MoveTo(std::int32_t left, std::int32_t top) override { view_.MoveTo({left, top}); }
    void Resize(std::int32_t, std::int32_t) override {}
    WindowState State() const override { return WindowState::Normal; }
    void SetState(WindowState) override {}
    bool HasMaximizeButton() const override { return false; }
    bool IsResizable() const override { return false; }
    bool StartsCentred() const override { return false; }
    void UseDesignedPosition() override {}

private:
    View& view_;
    std::u16string_view className_;
};

}  // namespace kv
