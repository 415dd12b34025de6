#pragma once
// Typed calls for the plain controls of the program's windows (check boxes, icons, fonts, a
// trackbar, tooltips, an edit box) instead of raw messages. Each takes the control's handle; the dialog owns
// the control.
#include <windows.h>
#include <commctrl.h>

namespace kv::win32app {

inline bool IsChecked(HWND box) { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }
inline void SetChecked(HWND box, bool checked) {
    SendMessageW(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

inline void SetControlFont(HWND control, HFONT font, bool redraw) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw ? TRUE : FALSE);
}
// An SS_ICON static shows `icon`, which the caller keeps alive (shared icons live for the process).
inline void SetStaticIcon(HWND control, HANDLE icon) {
    SendMessageW(control, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

inline void SetTrackBarRange(HWND bar, int minimum, int maximum) {
    SendMessageW(bar, TBM_SETRANGE, TRUE, MAKELPARAM(minimum, maximum));
}
inline int TrackBarPosition(HWND bar) { return static_cast<int>(SendMessageW(bar, TBM_GETPOS, 0, 0)); }
inline void SetTrackBarPosition(HWND bar, int position) { SendMessageW(bar, TBM_SETPOS, TRUE, position); }

// The tools of a tooltip control; adding is refused (false) when the control cannot take the tool.
inline bool AddToolTip(HWND tips, const TOOLINFOW& tool) {
    return SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)) != 0;
}
inline void MoveToolTip(HWND tips, const TOOLINFOW& tool) {
    SendMessageW(tips, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
}
inline void SetToolTipText(HWND tips, const TOOLINFOW& tool) {
    SendMessageW(tips, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

inline void SetEditLimit(HWND edit, int characters) {
    SendMessageW(edit, EM_SETLIMITTEXT, static_cast<WPARAM>(characters), 0);
}

}  // namespace kv::win32app
