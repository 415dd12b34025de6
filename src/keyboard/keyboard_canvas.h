#pragma once
#include <cstdint>
#include <string>

#include "platform/types.h"

namespace kv {

class TKvBtn;
class TKvKeyboard;

// The keyboard image and the display it is shown on: everything the model draws goes through
// here. The on-screen keyboard window's renderer implements it.
class IKeyboardCanvas {
public:
    virtual ~IKeyboardCanvas() = default;
    // The display's size, which the image takes until a geometry sets its own.
    virtual Point DisplaySize() const = 0;
    // The image and its bitmap.
    virtual void Resize(std::int32_t width, std::int32_t height) = 0;
    // The geometry's background picture; its resampled copy is emptied. False when the file
    // cannot be read as a picture (the previous picture is then kept).
    virtual bool LoadPicture(const std::u16string& path) = 0;
    virtual void ClearPicture() = 0;
    // The whole image: background, every key, caption strip.
    virtual void DrawKeyboard(TKvKeyboard& keyboard) = 0;
    virtual void DrawKey(TKvBtn& key) = 0;
    // Copies the image onto the display.
    virtual void CopyToDisplay() = 0;
};

}  // namespace kv
