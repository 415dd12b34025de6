#include "theme/tab_header.h"

#include <array>

#include "common/canvas.h"
#include "common/scope_exit.h"
#include "theme/kv_theme.h"
#include "theme/tab_canvas.h"

namespace kv {

namespace {

}  // namespace

void PaintTabHeader(ITabCanvas& canvas, const TKvTheme& theme, std::int32_t width, bool active,
                    std::uint32_t accentColor, std::u16string_view caption) {
    const std::int32_t w = width;
    const std::int32_t bottom = kTabHeaderHeight - 1;
    canvas.FillVerticalGradient(Rect{1, 1, w - 1, bottom}, active ? theme.TabActiveFrom : theme.TabInactiveFrom,
                                active ? theme.TabActiveTo : theme.TabInactiveTo);

    const std::array<Point, 15> outline{{{0, bottom},
                                         {0, 5},
                                         {1, 4},
                                         {1, 3},
                                         {3, 1},
                                         {4, 1},
                                         {5, 0},
                                         {w - 6, 0},
                                         {w - 5, 1},
                                         {w - 4, 1},
                                         {w - 2, 3},
                                         {w - 2, 4},
                                         {w - 1, 5},
                                         {w - 1, bottom},
                                         {0, bottom}}};
    canvas.DrawPolyline(outline, theme.Frame);

    for (Point p : {Point{1, 1}, Point{2, 1}, Point{1, 2}, Point{w - 2, 1}, Point{w - 3, 1}, Point{w - 2, 2}}) {
        canvas.PutPixel(p.x, p.y, accentColor);
    }

    canvas.SelectFontWithClearBrush(ThemeFont{u"Tahoma", FontStyle{true, false}, 8});
    const ScopeExit restoreFont([&canvas] { canvas.RestoreFontAndBrush(); });
    canvas.WriteText(Rect{7, 3, w - 30, 18}, caption, active ? theme.TabActiveText : theme.TabInactiveText,
                     kTextSingleLine | kTextEndEllipsis);
}

}  // namespace kv
