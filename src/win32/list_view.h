#pragma once
// A report-style list-view control through typed calls instead of raw messages. It borrows the
// handle: the dialog owns the control, so a ListView is made where it is used and thrown away.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "platform/win32/win32_text.h"

namespace kv::win32app {

class ListView {
public:
    explicit ListView(HWND control) : control_(control) {}
    HWND Handle() const { return control_; }

    void SetExtendedStyle(DWORD style) const { SendMessageW(control_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, style); }
    void InsertColumn(int index, int width) const {
        LVCOLUMNW column{};
        column.mask = LVCF_WIDTH;
        column.cx = width;
        SendMessageW(control_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
    }
    void SetColumnText(int index, const std::u16string& text) const {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT;
        column.pszText = const_cast<wchar_t*>(win32::W(text));
        SendMessageW(control_, LVM_SETCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
    }

    void Clear() const { SendMessageW(control_, LVM_DELETEALLITEMS, 0, 0); }
    // The item's text in the first column; `data` is the item's own number.
    void InsertItem(int index, const std::u16string& text, LPARAM data) const {
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = index;
        item.pszText = const_cast<wchar_t*>(win32::W(text));
        item.lParam = data;
        SendMessageW(control_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    void SetSubItemText(int index, int subItem, const std::u16string& text) const {
        LVITEMW item{};
        item.iSubItem = subItem;
        item.pszText = const_cast<wchar_t*>(win32::W(text));
        SendMessageW(control_, LVM_SETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    }

    // -1 when no item is selected.
    int SelectedIndex() const {
        return static_cast<int>(SendMessageW(control_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    }
    // Selected and focused.
    void Select(int index) const {
        LVITEMW state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(control_, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&state));
    }

    // The check boxes of LVS_EX_CHECKBOXES: state image 2 is ticked, 1 not.
    bool Checked(int index) const { return ListView_GetCheckState(control_, index) != 0; }
    void SetChecked(int index, bool checked) const { ListView_SetCheckState(control_, index, checked ? TRUE : FALSE); }

private:
    HWND control_;
};

}  // namespace kv::win32app
