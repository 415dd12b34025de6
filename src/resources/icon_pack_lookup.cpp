#include "resources/icon_pack.h"

namespace kv {

namespace {

constexpr std::uint32_t Rgb(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    return red | green << 8 | blue << 16;
}

struct HotkeySquare {
    std::uint16_t modifiers;
    std::int32_t dx;
    std::int32_t dy;
    std::uint32_t color;
};

constexpr std::int32_t kSquareSize = 4;
// Side-free codes only: Ctrl+Shift and Alt+Shift on top, Ctrl and Alt below.
constexpr HotkeySquare kHotkeySquares[] = {
    {0x30, 0, 0, Rgb(254, 203, 1)},
    {0x50, 5, 0, Rgb(255, 78, 26)},
    {0x20, 0, 5, Rgb(24, 146, 88)},
    {0x40, 5, 5, Rgb(136, 210, 255)},
};

void FillWithColor(IImageCanvas& canvas, const Rect& rect, std::uint32_t color) {
    const std::uint32_t previous = canvas.BrushColor();
    canvas.SetBrushColor(color);
    canvas.FillRect(rect);
    canvas.SetBrushColor(previous);
}

}  // namespace

std::optional<std::size_t> TKvIcons::Match(std::uint8_t keyCode, std::uint16_t a, std::uint16_t b) const {
    const IconRun run = runIndex_[keyCode];
    if (run.first == kNoIconRun || run.last < run.first) return std::nullopt;
    for (std::size_t i = run.first; i <= run.last && i < items_.size(); ++i) {
        if (items_[i].Modifiers == a || items_[i].Modifiers == b) return i;
    }
    return std::nullopt;
}

bool TKvIcons::DrawIcon(IImageCanvas& canvas, std::uint8_t keyCode, std::uint16_t a, std::uint16_t b, std::int32_t x,
                        std::int32_t y) const {
    const std::optional<std::size_t> match = Match(keyCode, a, b);
    if (!match || !HasImage(*match)) return false;
    canvas.DrawImage(*images_, *match, x, y);
    return true;
}

bool TKvIcons::GetIconHint(std::uint8_t keyCode, std::uint16_t a, std::uint16_t b, std::u16string& hint,
                           IImageCanvas* bitmap) const {
    const std::optional<std::size_t> match = Match(keyCode, a, b);
    if (!match || !HasImage(*match)) {
        hint.clear();
        if (bitmap) FillWithColor(*bitmap, Rect{0, 0, kIconImageSize, kIconImageSize}, kNoIconHintColor);
        return false;
    }
    hint = items_[*match].Hint;
    if (bitmap) bitmap->DrawImage(*images_, *match, 0, 0);
    return true;
}

bool TKvIcons::DrawHotkeySquares(IImageCanvas& canvas, std::uint8_t keyCode, std::int32_t x, std::int32_t y) const {
    const IconRun run = runIndex_[keyCode];
    if (run.first == kNoIconRun || run.last < run.first) return false;
    bool drawn = false;
    for (std::size_t i = run.first; i <= run.last && i < items_.size(); ++i) {
        for (const HotkeySquare& square : kHotkeySquares) {
            if (items_[i].Modifiers != square.modifiers) continue;
            const std::int32_t left = x + square.dx;
            const std::int32_t top = y + square.dy;
            FillWithColor(canvas, Rect{left, top, left + kSquareSize, top + kSquareSize}, square.color);
            drawn = true;
        }
    }
    return drawn;
}

}  // namespace kv
