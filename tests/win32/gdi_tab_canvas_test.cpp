#include <gtest/gtest.h>
#include <windows.h>

#include <optional>

#include "platform/win32/win32_handles.h"
#include "theme/kv_theme.h"
#include "theme/tab_header.h"
#include "win32/gdi_tab_canvas.h"

namespace kv {
namespace {

constexpr int kWidth = 80, kHeight = 24;
constexpr COLORREF kBlue = RGB(0, 0, 255);

// A memory bitmap painted blue on which one tab is drawn.
class GdiTabCanvasTest : public ::testing::Test {
protected:
    void SetUp() override {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = kWidth;
        info.bmiHeader.biHeight = -kHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        bitmap_.Reset(CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&pixels_), nullptr, 0));
        selected_.emplace(dc_, bitmap_.Get());
        RECT all{0, 0, kWidth, kHeight};
        const win32::UniqueBrush blue(CreateSolidBrush(kBlue));
        FillRect(dc_, &all, blue.Get());

        theme_.TabActiveFrom = RGB(250, 250, 250);
        theme_.TabActiveTo = RGB(100, 100, 100);
        theme_.TabActiveText = RGB(0, 0, 0);
        theme_.Frame = RGB(128, 0, 0);
    }
    COLORREF At(int x, int y) {
        GdiFlush();
        const DWORD p = pixels_[y * kWidth + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    int CountIn(const RECT& r, COLORREF color) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) n += At(x, y) == color;
        return n;
    }

    // In this order, so the bitmap leaves the DC before either goes.
    win32::MemoryDc memory_{nullptr};
    HDC dc_ = memory_.Get();
    win32::UniqueBitmap bitmap_;
    std::optional<win32::SelectedObject> selected_;
    DWORD* pixels_ = nullptr;
    TKvTheme theme_;
};

TEST_F(GdiTabCanvasTest, PaintsFrameAccentsGradientAndCaption) {
    const COLORREF accent = RGB(0, 255, 0);
    const HGDIOBJ fontBefore = GetCurrentObject(dc_, OBJ_FONT);
    const HGDIOBJ brushBefore = GetCurrentObject(dc_, OBJ_BRUSH);
    {
        win32app::GdiTabCanvas canvas(dc_);
        PaintTabHeader(canvas, theme_, kWidth, true, accent, u"WWWWWWWWWWWWWWWW");
    }
    EXPECT_EQ(At(0, 10), theme_.Frame) << "left edge";
    EXPECT_EQ(At(kWidth - 1, 10), theme_.Frame) << "right edge";
    EXPECT_EQ(At(40, 0), theme_.Frame) << "top edge";
    EXPECT_EQ(At(40, 19), theme_.Frame) << "bottom edge";
    EXPECT_EQ(At(0, 0), kBlue) << "the rounded corner leaves the background";
    for (POINT p : {POINT{1, 1}, POINT{2, 1}, POINT{1, 2}, POINT{kWidth - 2, 1}, POINT{kWidth - 3, 1},
                    POINT{kWidth - 2, 2}}) {
        EXPECT_EQ(At(p.x, p.y), accent) << p.x << "," << p.y;
    }
    const COLORREF top = At(kWidth - 10, 2), bottom = At(kWidth - 10, 18);
    EXPECT_GT(GetRValue(top), 200) << "light at the top";
    EXPECT_LT(GetRValue(bottom), 120) << "dark at the bottom";
    EXPECT_EQ(At(40, 21), kBlue) << "nothing below the tab";

    const RECT caption{7, 3, kWidth - 30, 18};
    EXPECT_GT(CountIn(caption, RGB(0, 0, 0)), 0) << "the caption is written";
    const RECT right{kWidth - 30, 1, kWidth - 1, 19};
    EXPECT_EQ(CountIn(right, RGB(0, 0, 0)), 0) << "a long caption is cut at its rectangle";
    EXPECT_EQ(GetCurrentObject(dc_, OBJ_FONT), fontBefore);
    EXPECT_EQ(GetCurrentObject(dc_, OBJ_BRUSH), brushBefore);
}

}  // namespace
}  // namespace kv
