// The portable part of drawing the on-screen keyboard: one full redraw and one pressed-key repaint
// on the built-in geometry, with a surface that only counts (GDI's share is timed under Wine by
// tests/bench/keyboard_render_bench_win32.cpp).
#include <benchmark/benchmark.h>

#include "keyboard/render/keyboard_renderer.h"
#include "keyboard_model_fixture.h"
#include "theme/kv_theme.h"

namespace kv::test {
namespace {

class NoImageCanvas : public IImageCanvas {
public:
    void DrawImage(const IIconImages&, std::size_t, std::int32_t, std::int32_t) override {}
    std::uint32_t BrushColor() const override { return 0; }
    void SetBrushColor(std::uint32_t) override {}
    void FillRect(const Rect&) override {}
};

class CountingSurface : public IKeyPaintSurface {
public:
    std::int64_t operations = 0;
    Point ImageSize() const override { return {777, 243}; }
    void Fill(std::uint32_t) override { ++operations; }
    void RoundRect(const Rect&, std::uint32_t, std::uint32_t) override { ++operations; }
    void Polygon(std::span<const Point>, std::uint32_t, std::uint32_t) override { ++operations; }
    Point MeasureText(KeyFont, std::u16string_view text) override { return {7 * static_cast<std::int32_t>(text.size()), 13}; }
    void Text(KeyFont, std::uint32_t, const Rect&, std::int32_t, std::int32_t, std::u16string_view) override { ++operations; }
    void CenteredText(KeyFont, std::uint32_t, const Rect&, std::u16string_view) override { ++operations; }
    void Glyph(int, std::int32_t, std::int32_t) override { ++operations; }
    bool HasPicture() const override { return false; }
    bool PictureHasWhiteCorner() const override { return false; }
    void DrawPictureFitted() override {}
    void TabHeader(std::int32_t, std::u16string_view) override { ++operations; }
    IImageCanvas& PackCanvas() override { return pack; }
    NoImageCanvas pack;
};

struct RenderSetup {
    KeyboardWorld world;
    TKvTheme theme;
    KeyboardLook look;
    CountingSurface surface;
    KeyboardRenderer renderer{surface, look};
    RenderSetup() {
        look.theme = &theme;
        look.showLabels = true;
        look.showKeyboardZone = true;
        world.Create().BuildLayoutChars();
    }
};

void BM_FullRedraw(benchmark::State& state) {
    RenderSetup s;
    for (auto _ : state) s.renderer.DrawKeyboard(*s.world.model);
    benchmark::DoNotOptimize(s.surface.operations);
}
BENCHMARK(BM_FullRedraw);

void BM_PressedKeyRepaint(benchmark::State& state) {
    RenderSetup s;
    TKvBtn& key = *s.world.model->Btn('A');
    bool down = false;
    for (auto _ : state) {
        down = !down;
        key.SetPressed(down);  // the recording canvas of the model takes the model's own repaint
        s.renderer.DrawKey(key);
        s.world.canvas.drawnKeys.clear();
    }
    benchmark::DoNotOptimize(s.surface.operations);
}
BENCHMARK(BM_PressedKeyRepaint);

void BM_LShapedEnterRepaint(benchmark::State& state) {
    RenderSetup s;
    TKvBtn& enter = *s.world.model->Btn(13);
    for (auto _ : state) s.renderer.DrawKey(enter);
    benchmark::DoNotOptimize(s.surface.operations);
}
BENCHMARK(BM_LShapedEnterRepaint);

}  // namespace
}  // namespace kv::test
