#include <gtest/gtest.h>
#include <windows.h>

#include <optional>

#include "platform/win32/win32_handles.h"
#include "win32/gdi_canvas.h"

namespace kv {
namespace {

// A 120x30 memory bitmap painted blue, with black text.
class GdiCanvasTest : public ::testing::Test {
protected:
    void SetUp() override {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = 120;
        info.bmiHeader.biHeight = -30;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        bitmap_.Reset(CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&pixels_), nullptr, 0));
        selected_.emplace(dc_, bitmap_.Get());
        RECT all{0, 0, 120, 30};
        const win32::UniqueBrush blue(CreateSolidBrush(RGB(0, 0, 255)));
        FillRect(dc_, &all, blue.Get());
        SetTextColor(dc_, RGB(0, 0, 0));
        font_.emplace(dc_, GetStockObject(DEFAULT_GUI_FONT));
    }
    int Count(COLORREF color) {
        GdiFlush();
        int n = 0;
        const DWORD want = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
        for (int i = 0; i < 120 * 30; ++i) n += (pixels_[i] & 0xFFFFFF) == want;
        return n;
    }

    // In this order, so the bitmap leaves the DC before either goes.
    win32::MemoryDc memory_{nullptr};
    HDC dc_ = memory_.Get();
    win32::UniqueBitmap bitmap_;
    std::optional<win32::SelectedObject> selected_;
    std::optional<win32::SelectedObject> font_;
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
