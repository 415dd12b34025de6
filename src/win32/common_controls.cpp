#include "win32/common_controls.h"

#include "platform/win32/system_library.h"

namespace kv::win32app {

bool CommonControls::Load() {
    if (tried_) return destroy_ != nullptr;
    tried_ = true;
    library_ = win32::LoadSideBySideSystemLibrary(L"comctl32.dll");
    if (!library_) return false;
    HMODULE module = library_.Get();
    loadImage_ = win32::ExportOf<LoadImageFn>(module, "ImageList_LoadImageW");
    count_ = win32::ExportOf<CountFn>(module, "ImageList_GetImageCount");
    getIcon_ = win32::ExportOf<GetIconFn>(module, "ImageList_GetIcon");
    draw_ = win32::ExportOf<DrawFn>(module, "ImageList_Draw");
    destroy_ = win32::ExportOf<DestroyFn>(module, "ImageList_Destroy");
    replace_ = win32::ExportOf<ReplaceFn>(module, "ImageList_Replace");
    if (loadImage_ && count_ && getIcon_ && draw_ && destroy_ && replace_) return true;
    loadImage_ = nullptr;
    destroy_ = nullptr;
    return false;
}

HIMAGELIST CommonControls::LoadImageStrip(HINSTANCE instance, int resourceId, int imageSize, COLORREF mask,
                                          UINT flags) {
    if (!Load()) return nullptr;
    return loadImage_(instance, MAKEINTRESOURCEW(resourceId), imageSize, 0, mask, IMAGE_BITMAP, flags);
}

int CommonControls::ImageCount(HIMAGELIST list) { return list && Load() ? count_(list) : 0; }

HICON CommonControls::GetIcon(HIMAGELIST list, int index, UINT flags) {
    return list && Load() ? getIcon_(list, index, flags) : nullptr;
}

bool CommonControls::Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style) {
    return list && Load() && draw_(list, index, dc, x, y, style) != FALSE;
}

void CommonControls::Destroy(HIMAGELIST list) {
    if (list && Load()) destroy_(list);
}

bool CommonControls::Replace(HIMAGELIST list, int index, HBITMAP image, HBITMAP mask) {
    return list && Load() && replace_(list, index, image, mask) != FALSE;
}

bool CommonControls::RegisterClasses(DWORD classes) {
    using InitFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    if (!Load()) return false;
    const auto init = win32::ExportOf<InitFn>(library_.Get(), "InitCommonControlsEx");
    const INITCOMMONCONTROLSEX request{sizeof request, classes};
    return init && init(&request) != FALSE;
}

}  // namespace kv::win32app
