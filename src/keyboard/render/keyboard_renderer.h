#pragma once
#include <cstdint>
#include <span>

#include "keyboard/render/key_colors.h"
#include "keyboard/render/key_paint_surface.h"
#include "keyboard/render/keyboard_look.h"

namespace kv {

class TKvBtn;
class TKvKeyboard;

// Draws the keyboard model: background or picture, each key in its state's colours with its
// label, character or glyph, and the caption strip.
class KeyboardRenderer {
public:
    KeyboardRenderer(IKeyPaintSurface& surface, const KeyboardLook& look) : surface_(surface), look_(look) {}

    void DrawKeyboard(TKvKeyboard& keyboard);
    void DrawKey(TKvBtn& key);

private:
    void DrawPart(TKvBtn& key, std::span<const Point> outline, const KeyColors& colors);
    Rect ContentBox(TKvBtn& key, std::span<const Point> outline);
    void DrawLabel(TKvBtn& key, const KeyColors& colors, std::int32_t x, std::int32_t y, const Rect& clip);
    void DrawCharacter(TKvBtn& key, const KeyColors& colors, std::int32_t x, std::int32_t y, Rect box);
    // True when a pack drew an icon on the key.
    bool DrawPackPictures(const TKvBtn& key, const Rect& box, bool rounded);
    bool DrawNumPadNavigation(TKvBtn& key, const KeyColors& colors, std::int32_t x, std::int32_t y, const Rect& box);

    IKeyPaintSurface& surface_;
    const KeyboardLook& look_;
};

}  // namespace kv
