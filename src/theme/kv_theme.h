#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "theme/theme_colors.h"
#include "theme/theme_font.h"

namespace kv {

// The colours and fonts of the on-screen keyboard and the other owner-drawn windows
// (0x00BBGGRR colours). The data module owns the one instance.
struct TKvTheme {
    std::uint32_t TabActiveFrom = 0;
    std::uint32_t TabActiveTo = 0;
    std::uint32_t TabActiveText = 0;
    std::uint32_t TabInactiveFrom = 0;
    std::uint32_t TabInactiveTo = 0;
    std::uint32_t TabInactiveText = 0;
    std::uint32_t Background = 0;
    std::uint32_t Frame = 0;
    std::uint32_t KeyFace = 0;
    std::uint32_t KeyBorder = 0;
    std::uint32_t KeyLabel = 0;
    std::uint32_t KeyChar = 0;
    std::uint32_t PressedFace = 0;
    std::uint32_t PressedBorder = 0;
    std::uint32_t PressedLabel = 0;
    std::uint32_t PressedChar = 0;
    std::uint32_t HotFace = 0;
    std::uint32_t HotBorder = 0;
    std::uint32_t HotLabel = 0;
    std::uint32_t HotChar = 0;
    std::uint16_t LabelFontSize = 0;
    std::uint16_t CharFontSize = 0;
    std::uint16_t LabelLineHeight = 0;
    std::u16string LabelFontName;
    std::u16string CharFontName;
    FontStyle LabelFontStyle;
    FontStyle CharFontStyle;
};

inline constexpr std::uint16_t kMinLabelLineHeight = 16;

// The keyboard model's drawing canvas, as far as measuring a label line needs it.
class ITextMeasureCanvas {
public:
    virtual ~ITextMeasureCanvas() = default;
    // The canvas keeps this font afterwards.
    virtual void SetFont(const ThemeFont& font) = 0;
    virtual std::int32_t TextHeight(std::u16string_view text) const = 0;
};

}  // namespace kv
