#include "win32/gdi_canvas.h"

#include <string>

#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_text.h"

namespace kv::win32app {

namespace {

RECT ToRect(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

}  // namespace

std::int32_t GdiCanvas::TextWidth(std::u16string_view text) const {
    SIZE size{};
    GetTextExtentPoint32W(dc_, reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(text.size()), &size);
    return size.cx;
}

void GdiCanvas::TextOutClipped(const Rect& clip, std::int32_t x, std::int32_t y, std::u16string_view text, bool opaque) {
    const RECT r = ToRect(clip);
    const int oldMode = SetBkMode(dc_, opaque ? OPAQUE : TRANSPARENT);
    const COLORREF oldBk = SetBkColor(dc_, brush_);
    ::ExtTextOutW(dc_, x, y, ETO_CLIPPED | (opaque ? ETO_OPAQUE : 0), &r, reinterpret_cast<const wchar_t*>(text.data()),
                static_cast<UINT>(text.size()), nullptr);
    SetBkColor(dc_, oldBk);
    SetBkMode(dc_, oldMode);
}

void GdiCanvas::DrawTextFormatted(const Rect& rect, std::u16string_view text, std::uint32_t dtFlags) {
    RECT r = ToRect(rect);
    std::wstring copy = win32::ToWide(text);  // DrawTextEx may write into the text with DT_MODIFYSTRING
    const int oldMode = SetBkMode(dc_, clearBrush_ ? TRANSPARENT : OPAQUE);
    const COLORREF oldBk = SetBkColor(dc_, brush_);
    if (!clearBrush_) {
        const win32::UniqueBrush brush(CreateSolidBrush(brush_));
        FillRect(dc_, &r, brush.Get());
    }
    ::DrawTextExW(dc_, copy.data(), static_cast<int>(copy.size()), &r, dtFlags, nullptr);
    SetBkColor(dc_, oldBk);
    SetBkMode(dc_, oldMode);
}

void GdiCanvas::DrawTextThroughWorkBitmap(const Rect& rect, std::int32_t x, std::int32_t y, std::u16string_view text,
                                          std::uint32_t dtFlags, bool formatted) {
    const int width = rect.Width();
    const int height = rect.Height();
    if (width <= 0 || height <= 0) return;
    const win32::MemoryDc work(dc_);
    const win32::UniqueBitmap bitmap(CreateCompatibleBitmap(dc_, width, height));
    if (!work || !bitmap) return;
    const win32::SelectedObject selectBitmap(work.Get(), bitmap.Get());
    const win32::SelectedObject selectFont(work.Get(), GetCurrentObject(dc_, OBJ_FONT));
    RECT area{0, 0, width, height};
    const win32::UniqueBrush fill(CreateSolidBrush(kWorkBitmapColor));
    FillRect(work.Get(), &area, fill.Get());
    SetTextColor(work.Get(), GetTextColor(dc_));
    SetBkMode(work.Get(), TRANSPARENT);
    std::wstring copy = win32::ToWide(text);
    if (formatted) {
        ::DrawTextExW(work.Get(), copy.data(), static_cast<int>(copy.size()), &area, dtFlags, nullptr);
    } else {
        ::ExtTextOutW(work.Get(), x, y, ETO_CLIPPED, &area, copy.c_str(), static_cast<UINT>(copy.size()), nullptr);
    }
    ::GdiTransparentBlt(dc_, rect.left, rect.top, width, height, work.Get(), 0, 0, width, height, kWorkBitmapColor);
}

}  // namespace kv::win32app
