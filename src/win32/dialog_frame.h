#pragma once
#include <windows.h>

#include <string_view>

namespace kv::win32app {

// Window and control plumbing shared by the program's small dialogs.

// Gives a created form its final frame styles and a client area of the given size.
void SetFrame(HWND window, DWORD style, DWORD exStyle, int clientWidth, int clientHeight);
// Centres the window on the work area of the monitor nearest to it.
void CenterOnWorkArea(HWND window);
HWND CreateChild(HWND parent, const wchar_t* className, DWORD style, int x, int y, int width, int height, int id,
                 HFONT font);
void SetText(HWND window, std::u16string_view text);
// The font a form's controls use: the form's own, or the system's GUI font before it has one.
HFONT FormFontOrDefault(HFONT formFont);

// Runs a modal loop for `dialog` until `closed` becomes true or the application quits; the
// program's other windows of this thread are disabled meanwhile.
void RunModal(HWND dialog, const bool& closed);

}  // namespace kv::win32app
