#pragma once
#include <windows.h>

#include <vector>

#include "common/pixels32.h"
#include "platform/win32/win32_handles.h"
#include "win32/common_controls.h"

namespace kv::win32app {

// An image list of one of the program's bitmap strips, the large strip on screens of 150 %
// scaling and more. The list is loaded when an image is first asked for.
class ImageStrip {
public:
    // `controls` must outlive the strip. The bitmaps are resources of `module`, the program's
    // own when null.
    ImageStrip(CommonControls& controls, int normalId, int largeId, int imageSize, bool masked,
               HINSTANCE module = nullptr);
    // The strip `resourceId` at `imageSize` whatever the screen's scaling.
    struct FixedSize {};
    ImageStrip(CommonControls& controls, FixedSize, int resourceId, int imageSize, bool masked);
    ~ImageStrip();
    ImageStrip(const ImageStrip&) = delete;
    ImageStrip& operator=(const ImageStrip&) = delete;

    int ImageSize() const { return size_; }
    // A new icon; empty for an index outside the strip.
    win32::UniqueIcon CreateIcon(int index);
    // False when the strip cannot be loaded or has no such image.
    bool Draw(int index, HDC dc, int x, int y);
    // Puts `images` (16 x 16, magenta where the strip shows through) in place of the images from
    // `first` on, enlarged on the large strip. Kept until the list loads, so a strip that is
    // never drawn costs nothing; indexes past the strip are ignored.
    void ReplaceImages(int first, std::vector<Pixels32> images);

private:
    HIMAGELIST List();
    void ApplyReplacements();

    CommonControls& controls_;
    HINSTANCE module_;
    int resourceId_;
    bool masked_;
    int size_ = 16;
    bool loaded_ = false;
    HIMAGELIST list_ = nullptr;
    int firstReplaced_ = 0;
    std::vector<Pixels32> replacements_;
};

// True on screens of 150 % scaling and more.
bool UseLargeImages();

// The language flags (ilLangs) in both sizes, for windows that follow their monitor's scaling,
// with the flags a picture beside the program puts in place of the built-in ones.
class LanguageFlags {
public:
    explicit LanguageFlags(CommonControls& controls);
    // Image `index` at `scale` 1 (16 x 16) or 2 (32 x 32); false when it cannot be drawn.
    bool Draw(int scale, int index, HDC dc, int x, int y);
    // The size the screen's scaling asks for, for windows of the system's scaling (the tray).
    ImageStrip& ForSystemScale() { return UseLargeImages() ? large_ : normal_; }
    void ReplaceImages(int first, const std::vector<Pixels32>& images);

private:
    ImageStrip normal_;
    ImageStrip large_;
};

}  // namespace kv::win32app
