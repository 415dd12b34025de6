#pragma once
#include <cstdint>
#include <string_view>

namespace kv {

class ITabCanvas;
struct TKvTheme;

inline constexpr std::int32_t kTabHeaderHeight = 20;

// The caption tab of a keyboard window: a gradient with rounded top corners, `accentColor`
// in the two corner pixels, the caption cut with an ellipsis when it does not fit.
void PaintTabHeader(ITabCanvas& canvas, const TKvTheme& theme, std::int32_t width, bool active,
                    std::uint32_t accentColor, std::u16string_view caption);

}  // namespace kv
