#include "win32/buffered_paint.h"

namespace kv::win32app {

BufferedPaint::BufferedPaint(HWND window) : paint_(window) {
    const RECT& area = Area();
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (!paint_.Get() || width <= 0 || height <= 0) return;
    win32::MemoryDc buffer(paint_.Get());
    win32::UniqueBitmap bitmap(CreateCompatibleBitmap(paint_.Get(), width, height));
    if (!buffer || !bitmap) return;
    buffer_ = std::move(buffer);
    bitmap_ = std::move(bitmap);
    selected_.emplace(buffer_.Get(), bitmap_.Get());
    // The bitmap's (0, 0) is the area's top left, so the paint draws in client coordinates.
    SetWindowOrgEx(buffer_.Get(), area.left, area.top, nullptr);
    if (const auto background = reinterpret_cast<HBRUSH>(GetClassLongPtrW(window, GCLP_HBRBACKGROUND))) {
        FillRect(buffer_.Get(), &area, background);  // also a COLOR_* + 1 value, as classes give it
    }
}

BufferedPaint::~BufferedPaint() {
    if (!buffer_) return;
    const RECT& area = Area();
    BitBlt(paint_.Get(), area.left, area.top, area.right - area.left, area.bottom - area.top, buffer_.Get(), area.left,
           area.top, SRCCOPY);
}

}  // namespace kv::win32app
