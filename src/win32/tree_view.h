#pragma once
// A flat tree-view control (pages, steps, events) through typed calls instead of raw messages. It
// borrows the handle: the dialog owns the control.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "platform/win32/win32_text.h"

namespace kv::win32app {

class TreeView {
public:
    explicit TreeView(HWND control) : control_(control) {}
    HWND Handle() const { return control_; }

    // A node at the end of the top level; `data` is the node's own number. `image` also sets the
    // selected image; without one the node shows none of its own.
    HTREEITEM Append(const std::u16string& text, LPARAM data, int image = -1) const {
        TVINSERTSTRUCTW node{};
        node.hParent = TVI_ROOT;
        node.hInsertAfter = TVI_LAST;
        node.item.mask = TVIF_TEXT | TVIF_PARAM;
        if (image >= 0) node.item.mask |= TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        node.item.pszText = const_cast<wchar_t*>(win32::W(text));
        node.item.lParam = data;
        node.item.iImage = node.item.iSelectedImage = image;
        return reinterpret_cast<HTREEITEM>(SendMessageW(control_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&node)));
    }
    void Clear() const { SendMessageW(control_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT)); }

    void SetText(HTREEITEM node, const std::u16string& text) const {
        TVITEMW item{};
        item.mask = TVIF_TEXT;
        item.hItem = node;
        item.pszText = const_cast<wchar_t*>(win32::W(text));
        SendMessageW(control_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    std::u16string Text(HTREEITEM node) const {
        wchar_t text[256] = L"";
        TVITEMW item{};
        item.mask = TVIF_TEXT;
        item.hItem = node;
        item.pszText = text;
        item.cchTextMax = 256;
        SendMessageW(control_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        return std::u16string(reinterpret_cast<const char16_t*>(text));
    }
    void SetImage(HTREEITEM node, int image) const {
        TVITEMW item{};
        item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        item.hItem = node;
        item.iImage = item.iSelectedImage = image;
        SendMessageW(control_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    LPARAM Data(HTREEITEM node) const {
        TVITEMW item{};
        item.mask = TVIF_PARAM;
        item.hItem = node;
        SendMessageW(control_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        return item.lParam;
    }

    HTREEITEM First() const { return TreeView_GetRoot(control_); }
    HTREEITEM Next(HTREEITEM node) const { return TreeView_GetNextSibling(control_, node); }
    // Null when no node is selected.
    HTREEITEM Selection() const { return TreeView_GetSelection(control_); }
    void Select(HTREEITEM node) const { TreeView_SelectItem(control_, node); }

    void SetImageList(HIMAGELIST images) const {
        SendMessageW(control_, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
    }
    void SetItemHeight(int height) const { SendMessageW(control_, TVM_SETITEMHEIGHT, static_cast<WPARAM>(height), 0); }

private:
    HWND control_;
};

}  // namespace kv::win32app
