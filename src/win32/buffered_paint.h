#pragma once
// The one way our windows answer WM_PAINT: BeginPaint and EndPaint, with the drawing done on a
// memory bitmap of the area to paint that reaches the window in one copy at the end, so no
// half-drawn state ever shows. The bitmap starts as the erase leaves the window (the class's
// background), so a paint that covers only part of its area looks as when drawn directly.
#include <windows.h>

#include <optional>

#include "platform/win32/win32_handles.h"

namespace kv::win32app {

class BufferedPaint {
public:
    explicit BufferedPaint(HWND window);
    ~BufferedPaint();
    BufferedPaint(const BufferedPaint&) = delete;
    BufferedPaint& operator=(const BufferedPaint&) = delete;

    // Where to draw, in the window's client coordinates: the bitmap, or the window itself when
    // the system had no memory for one.
    HDC Dc() const { return buffer_ ? buffer_.Get() : paint_.Get(); }
    // The part of the client area this paint covers; drawing outside it is lost.
    const RECT& Area() const { return paint_.Paint().rcPaint; }

private:
    win32::PaintDc paint_;
    // In this order, so the bitmap leaves the memory DC before either goes.
    win32::MemoryDc buffer_;
    win32::UniqueBitmap bitmap_;
    std::optional<win32::SelectedObject> selected_;
};

}  // namespace kv::win32app
