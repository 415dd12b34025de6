#include "win32/image_strips.h"

#include "win32/res/resource_ids.h"

namespace kv::win32app {

bool UseLargeImages() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi >= 144;
}

ImageStrip::ImageStrip(int normalId, int largeId, int imageSize, bool masked) {
    const bool large = UseLargeImages();
    size_ = large ? imageSize * 2 : imageSize;
    list_ = ImageList_LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(large ? largeId : normalId), size_, 0,
                                 masked ? COLORREF{KV_ART_MASK_COLOUR} : CLR_NONE, IMAGE_BITMAP, LR_CREATEDIBSECTION);
}

ImageStrip::~ImageStrip() {
    if (list_) ImageList_Destroy(list_);
}

HICON ImageStrip::CreateIcon(int index) const {
    if (!list_ || index < 0 || index >= ImageList_GetImageCount(list_)) return nullptr;
    return ImageList_GetIcon(list_, index, ILD_TRANSPARENT);
}

}  // namespace kv::win32app
