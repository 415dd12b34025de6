// The windows' one paint path on a real desktop: what a paint draws reaches the window in client
// coordinates, only inside the area it was asked to paint, and the part it leaves shows the
// class's background as an erase would.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>

#include "platform/win32/win32_handles.h"
#include "win32/buffered_paint.h"

namespace kv::win32app {
namespace {

constexpr COLORREF kDrawn = RGB(200, 30, 40);
constexpr COLORREF kBefore = RGB(10, 120, 230);

// A visible popup whose WM_PAINT runs `paint` through a BufferedPaint.
class PaintedWindow {
public:
    PaintedWindow(HBRUSH background, std::function<void(const BufferedPaint&)> paint) : paint_(std::move(paint)) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = background;
        wc.lpszClassName = L"KvBufferedPaintTest";
        UnregisterClassW(wc.lpszClassName, wc.hInstance);  // each case its own background
        RegisterClassExW(&wc);
        window_.Reset(CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE,
                                      40, 40, 120, 80, nullptr, nullptr, wc.hInstance, this));
        UpdateWindow(window_.Get());
    }

    HWND Handle() const { return window_.Get(); }
    COLORREF Pixel(int x, int y) const {
        const win32::WindowDc dc(window_.Get());
        return GetPixel(dc.Get(), x, y);
    }
    // Fills the client area with `color` straight, so what a later paint leaves shows.
    void FillDirectly(COLORREF color) const {
        const win32::WindowDc dc(window_.Get());
        const win32::UniqueBrush brush(CreateSolidBrush(color));
        RECT all{0, 0, 120, 80};
        FillRect(dc.Get(), &all, brush.Get());
    }
    void Repaint(const RECT& area) const {
        InvalidateRect(window_.Get(), &area, FALSE);
        UpdateWindow(window_.Get());
    }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        }
        auto* self = reinterpret_cast<PaintedWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (message == WM_PAINT && self) {
            const BufferedPaint paint(hwnd);
            self->paint_(paint);
            return 0;
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }

    std::function<void(const BufferedPaint&)> paint_;
    win32::UniqueWindow window_;
};

void FillSquare(HDC dc, int left, int top, COLORREF color) {
    const win32::UniqueBrush brush(CreateSolidBrush(color));
    RECT square{left, top, left + 10, top + 10};
    FillRect(dc, &square, brush.Get());
}

TEST(BufferedPaintTest, DrawsInClientCoordinatesOnlyInsideTheAreaToPaint) {
    RECT asked{};
    PaintedWindow window(nullptr, [&](const BufferedPaint& paint) {
        asked = paint.Area();
        FillSquare(paint.Dc(), 30, 20, kDrawn);  // inside the area asked below
        FillSquare(paint.Dc(), 80, 50, kDrawn);  // outside it
    });
    ASSERT_NE(window.Handle(), nullptr);
    window.FillDirectly(kBefore);
    window.Repaint(RECT{25, 15, 60, 40});
    EXPECT_EQ(asked.left, 25);
    EXPECT_EQ(asked.top, 15);
    EXPECT_EQ(window.Pixel(30, 20), kDrawn) << "the square's corner where it was drawn";
    EXPECT_EQ(window.Pixel(39, 29), kDrawn);
    EXPECT_EQ(window.Pixel(85, 55), kBefore) << "nothing reaches the window outside the area";
    EXPECT_EQ(window.Pixel(10, 10), kBefore);
}

TEST(BufferedPaintTest, WhatThePaintLeavesShowsTheClassBackground) {
    struct Case {
        const char* name;
        HBRUSH background;
        COLORREF shown;
    };
    const win32::UniqueBrush green(CreateSolidBrush(RGB(0, 160, 0)));
    const Case cases[] = {
        {"a system colour's number", reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), GetSysColor(COLOR_BTNFACE)},
        {"a brush", green.Get(), RGB(0, 160, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PaintedWindow window(c.background, [](const BufferedPaint& paint) { FillSquare(paint.Dc(), 30, 20, kDrawn); });
        ASSERT_NE(window.Handle(), nullptr);
        window.FillDirectly(kBefore);
        window.Repaint(RECT{25, 15, 60, 40});
        EXPECT_EQ(window.Pixel(35, 25), kDrawn);
        EXPECT_EQ(window.Pixel(50, 35), c.shown) << "inside the area, beside the square";
        EXPECT_EQ(window.Pixel(70, 50), kBefore) << "outside the area";
    }
}

}  // namespace
}  // namespace kv::win32app
