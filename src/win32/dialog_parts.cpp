#include "win32/dialog_parts.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "platform/error.h"
#include "platform/win32/system_library.h"
#include "platform/win32/win32_text.h"
#include "win32/combo_box.h"
#include "win32/dialog_frame.h"
#include "win32/window_controls.h"

namespace kv::win32app {

DialogControls::DialogControls(DWORD classes) : library_(win32::LoadSideBySideSystemLibrary(L"comctl32.dll")) {
    using InitFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    if (!library_) throw KvError(u"The common controls library could not be loaded.");
    auto init = win32::ExportOf<InitFn>(library_.Get(), "InitCommonControlsEx");
    INITCOMMONCONTROLSEX wanted{sizeof wanted, classes};
    if (init) init(&wanted);
}

void DialogControls::MakeFonts(HFONT formFont, int dpi, int systemDpi) {
    LOGFONTW face{};
    GetObjectW(FormFontOrDefault(formFont), sizeof face, &face);
    face.lfHeight = MulDiv(face.lfHeight, dpi, systemDpi);
    body_.Reset(CreateFontIndirectW(&face));
    LOGFONTW header{};
    header.lfHeight = -MulDiv(15, dpi, 96);
    header.lfWeight = FW_BOLD;
    header.lfCharSet = face.lfCharSet;
    lstrcpynW(header.lfFaceName, L"Arial", LF_FACESIZE);
    header_.Reset(CreateFontIndirectW(&header));
    LOGFONTW link = face;
    link.lfUnderline = TRUE;
    link_.Reset(CreateFontIndirectW(&link));
}

WindowDpi DpiOfWindow(HWND window) {
    WindowDpi dpi;
    const win32::WindowDc screen(nullptr);
    dpi.system = GetDeviceCaps(screen.Get(), LOGPIXELSY);
    dpi.window = dpi.system;
    using DpiForWindowFn = UINT(WINAPI*)(HWND);
    if (auto dpiFor = win32::ExportOf<DpiForWindowFn>(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")) {
        if (const UINT value = dpiFor(window)) dpi.window = static_cast<int>(value);
    }
    return dpi;
}

void SetFontOfChildren(HWND parent, HFONT font) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        SetControlFont(child, font, true);
    }
}

void PaintGradientHeader(HDC dc, const RECT& band, std::u16string_view caption, HFONT font, int indent) {
    const COLORREF top = GetSysColor(COLOR_GRADIENTACTIVECAPTION);
    const COLORREF bottom = GetSysColor(COLOR_ACTIVECAPTION);
    const int height = band.bottom - band.top;
    for (int y = 0; y < height; ++y) {
        auto mix = [&](int a, int b) { return a + (b - a) * y / std::max(1, height - 1); };
        win32::UniqueBrush line(CreateSolidBrush(RGB(mix(GetRValue(top), GetRValue(bottom)),
                                                     mix(GetGValue(top), GetGValue(bottom)),
                                                     mix(GetBValue(top), GetBValue(bottom)))));
        RECT row{band.left, band.top + y, band.right, band.top + y + 1};
        FillRect(dc, &row, line.Get());
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_CAPTIONTEXT));
    const win32::SelectedObject selected(dc, font);
    RECT text{band.left + indent, band.top, band.right, band.bottom};
    const std::u16string shown(caption);
    DrawTextW(dc, win32::W(shown), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void PaintLogo(HDC dc, HBITMAP picture, const RECT& box) {
    if (!picture) return;
    BITMAP info{};
    GetObjectW(picture, sizeof info, &info);
    const win32::MemoryDc source(dc);
    const win32::SelectedObject selected(source.Get(), picture);
    SetStretchBltMode(dc, HALFTONE);
    StretchBlt(dc, box.left, box.top, box.right - box.left, box.bottom - box.top, source.Get(), 0, 0, info.bmWidth,
               info.bmHeight, SRCCOPY);
}

void FillLanguageCombo(HWND combo, const std::vector<TKvLangListItem>& languages, std::int32_t current) {
    constexpr std::int32_t kEnglish = 1033;
    const ComboBox box(combo);
    box.Clear();
    int selected = -1;
    int english = -1;
    for (std::size_t i = 0; i < languages.size(); ++i) {
        box.Add(languages[i].DisplayName);
        if (languages[i].Id == current && selected < 0) selected = static_cast<int>(i);
        if (languages[i].Id == kEnglish && english < 0) english = static_cast<int>(i);
    }
    box.Select(selected >= 0 ? selected : english);
}

void MoveToSuggestedRect(HWND window, LPARAM lParam) {
    const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
    SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace kv::win32app
