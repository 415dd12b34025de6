#pragma once
// A keyboard canvas that shows nothing: the simulation has no pixels, and tests that are not
// about drawing give the model this.
#include <cstdint>
#include <string>

#include "keyboard/keyboard_canvas.h"

namespace kv::sim {

class NoDrawingCanvas final : public IKeyboardCanvas {
public:
    Point DisplaySize() const override { return {}; }
    void Resize(std::int32_t, std::int32_t) override {}
    bool LoadPicture(const std::u16string&) override { return true; }
    void ClearPicture() override {}
    void DrawKeyboard(TKvKeyboard&) override {}
    void DrawKey(TKvBtn&) override {}
    void CopyToDisplay() override {}
};

}  // namespace kv::sim
