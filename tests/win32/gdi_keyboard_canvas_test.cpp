// The on-screen keyboard drawn by GDI: the colours of its pixels where the keys are.
#include "win32/gdi_keyboard_canvas.h"

#include <gtest/gtest.h>

#include "gdi_keyboard_fixture.h"

namespace kv::test {
namespace {

// Points inside keys clear of their label (top left) and character (bottom right).
struct Probe {
    const char* what;
    std::int32_t x, y;
};

TEST(GdiKeyboardCanvas, KeysShowTheColoursOfTheirState) {
    GdiKeyboardWorld world;
    TKvKeyboard& model = *world.model;
    ASSERT_EQ(world.canvas.ImageSize(), (Point{777, 243}));
    model.Redraw();
    const TKvTheme& t = world.theme;
    EXPECT_EQ(world.canvas.PixelAt(2, 2), t.Background);
    EXPECT_EQ(world.canvas.PixelAt(69, 164), t.KeyFace);   // A, bottom left
    EXPECT_EQ(world.canvas.PixelAt(238, 220), t.KeyFace);  // Space, centre
    EXPECT_EQ(world.canvas.PixelAt(754, 230), t.KeyFace);  // numeric-pad Enter

    model.SetKeyPressed('A', true);
    model.Btn('B')->SetHot(true);
    model.SetSplitHighlight(true);
    model.Btn(13)->SetExtended(true);
    model.SetKeyPressed(13, true);
    model.Btn(13)->SetExtended(true);
    model.Btn(13)->Paint();
    EXPECT_EQ(world.canvas.PixelAt(69, 164), t.PressedFace);
    EXPECT_EQ(world.canvas.PixelAt(221, 198), t.HotFace);   // B, bottom left
    EXPECT_EQ(world.canvas.PixelAt(754, 230), t.PressedFace);
    EXPECT_EQ(world.canvas.PixelAt(490, 160), t.KeyFace);   // main Enter stays at rest
    EXPECT_EQ(world.canvas.PixelAt(238, 220), t.KeyFace);
    EXPECT_EQ(world.canvas.PixelAt(80, 136), t.PressedBorder);  // the outline's top edge
    EXPECT_EQ(world.canvas.PixelAt(2, 2), t.Background);

    model.SetKeyPressed('A', false);
    EXPECT_EQ(world.canvas.PixelAt(69, 164), t.KeyFace);
}

TEST(GdiKeyboardCanvas, TransparentBackgroundIsPureGreen) {
    GdiKeyboardWorld world;
    world.model->SetTransparentBackground(true);
    EXPECT_EQ(world.canvas.PixelAt(2, 2), 0x00FF00u);
    EXPECT_EQ(world.canvas.PixelAt(69, 164), world.theme.KeyFace);
}

}  // namespace
}  // namespace kv::test
