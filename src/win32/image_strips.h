#pragma once
#include <windows.h>
#include <commctrl.h>

namespace kv::win32app {

// An image list loaded from one of the program's bitmap strips, the large strip on screens of
// 150 % scaling and more.
class ImageStrip {
public:
    ImageStrip(int normalId, int largeId, int imageSize, bool masked);
    ~ImageStrip();
    ImageStrip(const ImageStrip&) = delete;
    ImageStrip& operator=(const ImageStrip&) = delete;

    HIMAGELIST Handle() const { return list_; }
    int ImageSize() const { return size_; }
    // A new icon the caller destroys; null for an index outside the strip.
    HICON CreateIcon(int index) const;

private:
    HIMAGELIST list_ = nullptr;
    int size_ = 16;
};

// True on screens of 150 % scaling and more.
bool UseLargeImages();

}  // namespace kv::win32app
