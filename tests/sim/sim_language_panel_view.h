#pragma once
// The floating language panel's window on the simulated desktop: where it is, what it shows, how
// opaque it is and how often it was raised. A move the desktop refuses can be set up with
// `refuseMovesBeyond`, as a system that keeps windows within limits does.
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "indicators/language_panel_view.h"

namespace kv::sim {

class SimLanguagePanelView : public ILanguagePanelView {
public:
    bool shown = false;
    Rect bounds{0, 0, 10, 10};
    Point cursor{};
    std::int32_t dpi = 96;
    std::uint8_t alpha = 255;
    bool blending = false;
    std::vector<PanelButton> buttons;
    std::vector<std::size_t> repaintedButtons;
    int fullRepaints = 0;
    int raised = 0;
    std::u16string hint;
    // Moves are clamped to this rectangle for the panel's top-left corner, when set.
    std::optional<Rect> refuseMovesBeyond;

    bool IsShown() const override { return shown; }
    void ShowPanel() override { shown = true; }
    void HidePanel() override { shown = false; }
    Rect Bounds() const override { return bounds; }
    void MoveTo(Point p) override {
        if (refuseMovesBeyond) {
            p.x = std::clamp(p.x, refuseMovesBeyond->left, refuseMovesBeyond->right);
            p.y = std::clamp(p.y, refuseMovesBeyond->top, refuseMovesBeyond->bottom);
        }
        bounds = {p.x, p.y, p.x + bounds.Width(), p.y + bounds.Height()};
    }
    void Resize(Point size) override {
        bounds.right = bounds.left + size.x;
        bounds.bottom = bounds.top + size.y;
    }
    void SetOpacity(std::uint8_t a, bool blend) override {
        alpha = a;
        blending = blend;
    }
    // What the screen shows: the alpha when blending, else fully opaque.
    std::uint8_t ShownAlpha() const { return blending ? alpha : 255; }
    void RaiseTopmost() override { ++raised; }
    std::int32_t Dpi() const override { return dpi; }
    Point CursorPos() const override { return cursor; }
    void SetButtons(const std::vector<PanelButton>& b) override {
        buttons = b;
        ++fullRepaints;
    }
    void UpdateButton(std::size_t index, const PanelButton& button) override {
        if (index < buttons.size()) buttons[index] = button;
        repaintedButtons.push_back(index);
    }
    void RepaintAll() override { ++fullRepaints; }
    void SetHint(const std::u16string& text) override { hint = text; }
};

}  // namespace kv::sim
