#pragma once
#include <windows.h>

#include "platform/win32/win32_handles.h"
#include "win32/common_controls.h"

namespace kv::win32app {

// An image list of one of the program's bitmap strips, the large strip on screens of 150 %
// scaling and more. The list is loaded when an image is first asked for.
class ImageStrip {
public:
    // `controls` must outlive the strip.
    ImageStrip(CommonControls& controls, int normalId, int largeId, int imageSize, bool masked);
    // Exactly this strip with images of `imageSize`, whatever the screen: for a window that picks
    // the strip by its own monitor's scale.
    ImageStrip(CommonControls& controls, int resourceId, int imageSize, bool masked);
    ~ImageStrip();
    ImageStrip(const ImageStrip&) = delete;
    ImageStrip& operator=(const ImageStrip&) = delete;

    int ImageSize() const { return size_; }
    // A new icon; empty for an index outside the strip.
    win32::UniqueIcon CreateIcon(int index);
    // False when the strip cannot be loaded or has no such image.
    bool Draw(int index, HDC dc, int x, int y);

private:
    HIMAGELIST List();

    CommonControls& controls_;
    int resourceId_;
    bool masked_;
    int size_ = 16;
    bool loaded_ = false;
    HIMAGELIST list_ = nullptr;
};

// True on screens of 150 % scaling and more.
bool UseLargeImages();

}  // namespace kv::win32app
