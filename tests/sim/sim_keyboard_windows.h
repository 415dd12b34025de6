#pragma once
// The on-screen keyboard's two windows and its hint on the simulated desktop: where they are, what
// they show and how often they were raised.
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "indicators/keyboard_window_view.h"

namespace kv::sim {

class SimKeyboardWindows : public IKeyboardWindowView {
public:
    bool shown = false;
    Rect bounds{0, 0, 100, 50};
    Point cursor{};
    std::uint8_t keyboardOpacity = 255, backdropOpacity = 255;
    std::optional<std::u16string> hint;
    Rect hintArea{};
    int broughtToFront = 0;
    int buttonRepaints = 0;
    int backdropRepaints = 0;
    std::vector<std::u16string> pictures;

    bool IsShown() const override { return shown; }
    void ShowWindows(std::uint8_t opacity) override {
        shown = true;
        backdropOpacity = opacity;
    }
    void HideWindows() override {
        shown = false;
        hint.reset();
    }
    Rect Bounds() const override { return bounds; }
    void MoveTo(Point p) override { bounds = {p.x, p.y, p.x + bounds.Width(), p.y + bounds.Height()}; }
    void SetImageSize(std::int32_t width, std::int32_t height) override {
        bounds.right = bounds.left + width;
        bounds.bottom = bounds.top + height;
    }
    void SetOpacity(std::uint8_t keyboard, std::uint8_t backdrop) override {
        keyboardOpacity = keyboard;
        backdropOpacity = backdrop;
    }
    Point CursorPos() const override { return cursor; }
    // Seven pixels a character, one line.
    Point MeasureHint(std::u16string_view text, std::int32_t maxWidth) const override {
        return {std::min(static_cast<std::int32_t>(text.size()) * 7, maxWidth), 18};
    }
    void ShowHint(const Rect& area, std::u16string_view text) override {
        hint = std::u16string(text);
        hintArea = area;
    }
    void HideHint() override { hint.reset(); }
    void RepaintButtons() override { ++buttonRepaints; }
    void RepaintBackdrop() override { ++backdropRepaints; }
    bool SetBackdropPicture(const std::u16string& path) override {
        pictures.push_back(path);
        return true;
    }
    void ClearBackdropPicture() override { pictures.clear(); }
    void BringToFront() override { ++broughtToFront; }
};

}  // namespace kv::sim
