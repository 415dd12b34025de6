#pragma once
// Pieces the program's dialogs with a gradient header share (the settings window, the first-run
// wizard, the about box): the version-6 common controls, fonts made for the window's DPI, and the
// header band painted between the system's active-caption colours, and the logo.
#include <windows.h>

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/win32/win32_handles.h"
#include "resources/language_list.h"

namespace kv::win32app {

// The common-controls library loaded by name, so the manifest's version 6 is the one taken; it
// must outlive every control made from it. Also the dialog's fonts.
class DialogControls {
public:
    // `classes`: the ICC_* flags of the controls the dialog uses. Throws when the library is missing.
    explicit DialogControls(DWORD classes);
    DialogControls(const DialogControls&) = delete;
    DialogControls& operator=(const DialogControls&) = delete;

    // The form's font scaled from the system's DPI to the window's, the header font (bold Arial,
    // 15 pixels at 96 DPI) and the link font (the body font underlined).
    void MakeFonts(HFONT formFont, int dpi, int systemDpi);
    HFONT Body() const { return body_.Get(); }
    HFONT Header() const { return header_.Get(); }
    HFONT Link() const { return link_.Get(); }

private:
    win32::UniqueModule library_;
    win32::UniqueFont body_;
    win32::UniqueFont header_;
    win32::UniqueFont link_;
};

struct WindowDpi {
    int window = 96;
    int system = 96;
};
// The DPI of the window's monitor where the system tells it (Windows 10 and later), else the
// system's.
WindowDpi DpiOfWindow(HWND window);

void SetFontOfChildren(HWND parent, HFONT font);

// The interface languages in a combo box, the one with id `current` selected (English when none
// has it).
void FillLanguageCombo(HWND combo, const std::vector<TKvLangListItem>& languages, std::int32_t current);

// WM_DPICHANGED: the window takes the rectangle the system suggests in `lParam`.
void MoveToSuggestedRect(HWND window, LPARAM lParam);

// A vertical gradient band with the caption in the caption text colour, `indent` pixels in.
void PaintGradientHeader(HDC dc, const RECT& band, std::u16string_view caption, HFONT font, int indent);

// `picture` stretched into `box` with the system's smoothing: the program's logo in the about box
// and on the wizard's first step. Nothing for a null picture.
void PaintLogo(HDC dc, HBITMAP picture, const RECT& box);

}  // namespace kv::win32app
