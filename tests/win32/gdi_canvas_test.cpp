#include <gtest/gtest.h>
#include <windows.h>

#include "win32/gdi_canvas.h"

namespace kv {
namespace {

// A 120x30 memory bitmap painted blue, with black text.
class GdiCanvasTest : public ::testing::Test {
protected:
    void SetUp() override {
        dc_ = CreateCompatibleDC(nullptr);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = 120;
        info.bmiHeader.biHeight = -30;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&pixels_), nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        RECT all{0, 0, 120, 30};
        HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
        FillRect(dc_, &all, blue);
        DeleteObject(blue);
        SetTextColor(dc_, RGB(0, 0, 0));
        SelectObject(dc_, GetStockObject(DEFAULT_GUI_FONT));
    }
    void TearDown() override {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    int Count(COLORREF color) {
        GdiFlush();
        int n = 0;
        const DWORD want = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
        for (int i = 0; i < 120 * 30; ++i) n += (pixels_[i] & 0xFFFFFF) == want;
        return n;
    }

    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    DWORD* pixels_ = nullptr;
};

TEST_F(GdiCanvasTest, OpaqueTextPaintsItsBackground) {
    win32app::GdiCanvas canvas(dc_, false, RGB(255, 255, 255));
    DrawTextOn(canvas, {0, 0, 120, 30}, 2, 2, u"Hello");
    EXPECT_GT(Count(RGB(255, 255, 255)), 0);
    EXPECT_GT(Count(RGB(0, 0, 0)), 0);
}

TEST_F(GdiCanvasTest, LimeBrushDrawsTextWithoutBackground) {
    win32app::GdiCanvas canvas(dc_, false, kColorLime);
    DrawTextOn(canvas, {0, 0, 120, 30}, 2, 2, u"Hello");
    EXPECT_GT(Count(RGB(0, 0, 0)), 0) << "the text is there";
    EXPECT_EQ(Count(RGB(0, 255, 0)), 0) << "no lime background";
    EXPECT_EQ(Count(RGB(0x77, 0x77, 0x77)), 0) << "the work bitmap's fill is transparent";
    EXPECT_GT(Count(RGB(0, 0, 255)), 120 * 30 / 2) << "the blue background shows through";
}

TEST_F(GdiCanvasTest, FormattedTextWithClearBrushKeepsTheBackground) {
    win32app::GdiCanvas canvas(dc_, true, RGB(255, 255, 255));
    DrawFormattedText(canvas, {0, 0, 120, 30}, u"A & B", kTextCenter | kTextSingleLine | kTextVerticalCenter);
    EXPECT_EQ(Count(RGB(255, 255, 255)), 0);
    EXPECT_GT(Count(RGB(0, 0, 0)), 0);
}

}  // namespace
}  // namespace kv
