#include "win32/image_strips.h"

#include <commctrl.h>

#include "win32/res/resource_ids.h"

namespace kv::win32app {

bool UseLargeImages() {
    const win32::WindowDc screen(nullptr);
    return GetDeviceCaps(screen.Get(), LOGPIXELSX) >= 144;
}

ImageStrip::ImageStrip(CommonControls& controls, int normalId, int largeId, int imageSize, bool masked)
    : controls_(controls), masked_(masked) {
    const bool large = UseLargeImages();
    resourceId_ = large ? largeId : normalId;
    size_ = large ? imageSize * 2 : imageSize;
}

ImageStrip::ImageStrip(CommonControls& controls, int resourceId, int imageSize, bool masked)
    : controls_(controls), resourceId_(resourceId), masked_(masked), size_(imageSize) {}

ImageStrip::~ImageStrip() { controls_.Destroy(list_); }

HIMAGELIST ImageStrip::List() {
    if (!loaded_) {
        loaded_ = true;
        list_ = controls_.LoadImageStrip(GetModuleHandleW(nullptr), resourceId_, size_,
                                         masked_ ? COLORREF{KV_ART_MASK_COLOUR} : CLR_NONE, LR_CREATEDIBSECTION);
    }
    return list_;
}

win32::UniqueIcon ImageStrip::CreateIcon(int index) {
    HIMAGELIST list = List();
    if (!list || index < 0 || index >= controls_.ImageCount(list)) return {};
    return win32::UniqueIcon(controls_.GetIcon(list, index, ILD_TRANSPARENT));
}

bool ImageStrip::Draw(int index, HDC dc, int x, int y) {
    HIMAGELIST list = List();
    return list && index >= 0 && index < controls_.ImageCount(list) &&
           controls_.Draw(list, index, dc, x, y, ILD_TRANSPARENT);
}

}  // namespace kv::win32app
