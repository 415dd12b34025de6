#pragma once
#include <windows.h>
#include <commctrl.h>

#include "platform/win32/win32_handles.h"

namespace kv::win32app {

// The image-list functions of comctl32.dll, which the program loads when an image strip is first
// drawn instead of with the program: a start that shows no menu and no flag icon does without
// the library (about 2 MB under Wine). Loaded by name, so that the manifest's side-by-side
// version 6 is the one taken, and from the system folder only.
class CommonControls {
public:
    CommonControls() = default;
    CommonControls(const CommonControls&) = delete;
    CommonControls& operator=(const CommonControls&) = delete;

    // Each returns what the function returns, or null/0/FALSE when the library cannot be loaded.
    HIMAGELIST LoadImageStrip(HINSTANCE instance, int resourceId, int imageSize, COLORREF mask, UINT flags);
    int ImageCount(HIMAGELIST list);
    HICON GetIcon(HIMAGELIST list, int index, UINT flags);
    bool Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style);
    void Destroy(HIMAGELIST list);
    bool Replace(HIMAGELIST list, int index, HBITMAP image, HBITMAP mask);
    // Registers the window classes of `classes` (ICC_* flags); false when that fails.
    bool RegisterClasses(DWORD classes);

private:
    bool Load();

    using LoadImageFn = HIMAGELIST(WINAPI*)(HINSTANCE, LPCWSTR, int, int, COLORREF, UINT, UINT);
    using CountFn = int(WINAPI*)(HIMAGELIST);
    using GetIconFn = HICON(WINAPI*)(HIMAGELIST, int, UINT);
    using DrawFn = BOOL(WINAPI*)(HIMAGELIST, int, HDC, int, int, UINT);
    using DestroyFn = BOOL(WINAPI*)(HIMAGELIST);
    using ReplaceFn = BOOL(WINAPI*)(HIMAGELIST, int, HBITMAP, HBITMAP);

    win32::UniqueModule library_;
    bool tried_ = false;
    LoadImageFn loadImage_ = nullptr;
    CountFn count_ = nullptr;
    GetIconFn getIcon_ = nullptr;
    DrawFn draw_ = nullptr;
    DestroyFn destroy_ = nullptr;
    ReplaceFn replace_ = nullptr;
};

}  // namespace kv::win32app
