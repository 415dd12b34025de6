#pragma once
#include <windows.h>
#include <commctrl.h>

#include "platform/win32/win32_handles.h"

namespace kv::win32app {

// An image list loaded from one of the program's bitmap strips, the large strip on screens of
// 150 % scaling and more.
class ImageStrip {
public:
    ImageStrip(int normalId, int largeId, int imageSize, bool masked);

    HIMAGELIST Handle() const { return list_.Get(); }
    int ImageSize() const { return size_; }
    // A new icon; empty for an index outside the strip.
    win32::UniqueIcon CreateIcon(int index) const;

private:
    win32::UniqueImageList list_;
    int size_ = 16;
};

// True on screens of 150 % scaling and more.
bool UseLargeImages();

}  // namespace kv::win32app
