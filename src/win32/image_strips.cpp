#include "win32/image_strips.h"

#include "win32/res/resource_ids.h"

namespace kv::win32app {

bool UseLargeImages() {
    const win32::WindowDc screen(nullptr);
    return GetDeviceCaps(screen.Get(), LOGPIXELSX) >= 144;
}

ImageStrip::ImageStrip(int normalId, int largeId, int imageSize, bool masked) {
    const bool large = UseLargeImages();
    size_ = large ? imageSize * 2 : imageSize;
    list_.Reset(ImageList_LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(large ? largeId : normalId), size_, 0,
                                     masked ? COLORREF{KV_ART_MASK_COLOUR} : CLR_NONE, IMAGE_BITMAP,
                                     LR_CREATEDIBSECTION));
}

win32::UniqueIcon ImageStrip::CreateIcon(int index) const {
    if (!list_ || index < 0 || index >= ImageList_GetImageCount(list_.Get())) return {};
    return win32::UniqueIcon(ImageList_GetIcon(list_.Get(), index, ILD_TRANSPARENT));
}

}  // namespace kv::win32app
