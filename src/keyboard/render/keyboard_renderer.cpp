#include "keyboard/render/keyboard_renderer.h"

#include <algorithm>
#include <string>

#include "common/canvas.h"
#include "common/key_classes.h"
#include "keyboard/kv_keyboard.h"
#include "keyboard/render/polygon_content_box.h"
#include "resources/icon_pack.h"
#include "theme/key_glyphs.h"
#include "theme/kv_theme.h"

namespace kv {
namespace {

constexpr std::uint8_t kShift = 16, kCtrl = 17, kSpace = 32, kLeftWin = 91, kRightWin = 92, kNumLock = 144,
                       kRightAlt = 165;

bool Held(const TKvKeyboard& keyboard, std::uint8_t code) { return (keyboard.KeyState()[code] & 0x80) != 0; }

bool IsSeparator(const Point& p) { return p.x == -1 && p.y == -1; }

// What a numeric-pad key does with NumLock off; 0 when the key is not one.
std::uint8_t NumPadNavigation(std::uint8_t code) {
    switch (code) {
        case 96: return 45;
        case 97: return 35;
        case 98: return 40;
        case 99: return 34;
        case 100: return 37;
        case 101: return 7;
        case 102: return 39;
        case 103: return 36;
        case 104: return 38;
        case 105: return 33;
        case 110: return 46;
        default: return 0;
    }
}

// Hides Ctrl from the model while the character is looked up, so the key shows what it types
// without Ctrl, as the option asks.
class CtrlHidden {
public:
    CtrlHidden(TKvKeyboard& keyboard, bool hide) : keyboard_(keyboard), saved_(keyboard.KeyState()[kCtrl]), hide_(hide) {
        if (hide_) keyboard_.SetKeyStateByte(kCtrl, 0);
    }
    ~CtrlHidden() {
        if (hide_) keyboard_.SetKeyStateByte(kCtrl, saved_);
    }
    CtrlHidden(const CtrlHidden&) = delete;
    CtrlHidden& operator=(const CtrlHidden&) = delete;

private:
    TKvKeyboard& keyboard_;
    std::uint8_t saved_;
    bool hide_;
};

}  // namespace

void KeyboardRenderer::DrawKeyboard(TKvKeyboard& keyboard) {
    if (!keyboard.DrawEnabled() || look_.theme == nullptr) return;
    const TKvTheme& theme = *look_.theme;
    bool frame = keyboard.FrameVisible();
    if (surface_.HasPicture() && surface_.PictureHasWhiteCorner()) frame = false;

    keyboard.SetTextMetrics(surface_.MeasureText(KeyFont::Canvas, u"gqW").y, surface_.MeasureText(KeyFont::Canvas, u"W").x);

    if (keyboard.TransparentBackground()) {
        surface_.Fill(kColorLime);
    } else {
        surface_.Fill(theme.Background);
        if (surface_.HasPicture()) surface_.DrawPictureFitted();
    }
    for (int code = 1; code <= 255; ++code) {
        if (TKvBtn* key = keyboard.Btn(static_cast<std::uint8_t>(code))) DrawKey(*key);
    }
    if (look_.showCaption && frame) surface_.TabHeader(surface_.ImageSize().x, look_.caption);
}

void KeyboardRenderer::DrawKey(TKvBtn& key) {
    TKvKeyboard& keyboard = key.Keyboard();
    if (!keyboard.DrawEnabled() || look_.theme == nullptr || key.Shape() == nullptr || key.Shape()->Points().empty()) return;
    const TKvTheme& theme = *look_.theme;
    const std::vector<Point>& outline = key.Shape()->Points();
    const auto colorsOf = [&](bool pressed, bool hot) {
        return StateColors(theme, key.Vk(), pressed, hot, look_.showKeyboardZone, keyboard.TransparentBackground());
    };
    const auto separator = std::find_if(outline.begin(), outline.end(), IsSeparator);
    if (outline.size() <= 2 || separator == outline.end()) {
        DrawPart(key, outline, colorsOf(key.Pressed(), key.Hot()));
        return;
    }
    const bool split = keyboard.SplitHighlight();
    const bool extended = key.Extended();
    KeyColors colors = split ? colorsOf(key.Pressed() && !extended, key.Hot() && !extended) : colorsOf(key.Pressed(), key.Hot());
    DrawPart(key, std::span<const Point>(outline.begin(), separator), colors);
    if (split) colors = colorsOf(key.Pressed() && extended, key.Hot() && extended);
    DrawPart(key, std::span<const Point>(separator + 1, outline.end()), colors);
}

Rect KeyboardRenderer::ContentBox(TKvBtn& key, std::span<const Point> outline) {
    const std::uint8_t code = key.Vk();
    const bool fixedBox = IsPrintableKey(code) || (code >= 112 && code <= 135) || KeyGlyphIndex(code) >= 0;
    const auto initial = [&](Point c) -> Rect {
        if (fixedBox) return {c.x - 16, c.y - 16, c.x + 16, c.y + 16};
        const Point size = surface_.MeasureText(KeyFont::Label, key.Keyboard().KeyLabel(code));
        const std::int32_t halfWidth = size.x / 2 > 13 ? size.x / 2 + 2 : 16;
        const std::int32_t halfHeight = size.y >= 14 ? size.y + 2 : 16;
        return {c.x - halfWidth, c.y - halfHeight, c.x + halfWidth, c.y + halfHeight};
    };
    const auto inside = [&](std::int32_t x, std::int32_t y) {
        bool extended = false;
        return key.HitTest(x, y, extended);
    };
    return PolygonContentBox(outline, initial, inside);
}

void KeyboardRenderer::DrawPart(TKvBtn& key, std::span<const Point> outline, const KeyColors& colors) {
    if (outline.size() < 2) return;
    TKvKeyboard& keyboard = key.Keyboard();
    key.LabelColor = colors.label;
    key.CharColor = colors.character;
    const std::uint8_t code = key.Vk();
    Rect box;
    if (outline.size() == 2) {
        const Rect rect{outline[0].x, outline[0].y, outline[1].x, outline[1].y};
        surface_.RoundRect(rect, colors.pen, colors.brush);
        box = {rect.left, rect.top, rect.right - 2, rect.bottom - 2};
    } else {
        surface_.Polygon(outline, colors.pen, colors.brush);
        box = ContentBox(key, outline);
    }

    const bool printable = IsPrintableKey(code);
    const bool ctrlWithoutAltGr = Held(keyboard, kCtrl) && !Held(keyboard, kRightAlt);
    if (const int glyph = KeyGlyphIndex(code); glyph >= 0) {
        surface_.Glyph(glyph, box.left + 2, box.top + 2);
    } else if (!printable || (key.KeyHeight() >= 30 && look_.showLabels)) {
        if (code != kSpace) {
            const Rect clip{box.left, box.top, box.right - 1, std::min(box.top + 1 + keyboard.LabelHeight(), box.bottom)};
            DrawLabel(key, colors, box.left + 2, box.top + 1, clip);
        }
    } else if (!look_.showLabels && !look_.centerInfo) {
        const CtrlHidden hidden(keyboard, ctrlWithoutAltGr && !look_.showCharCtrl);
        DrawCharacter(key, colors, box.left + 2, box.top + 1, box);
    }
    if (DrawPackPictures(key, box, outline.size() == 2)) return;  // nothing goes over an icon

    const bool winHeld = Held(keyboard, kLeftWin) || Held(keyboard, kRightWin);
    if (printable && (look_.showLabels || look_.centerInfo) && !winHeld && !(ctrlWithoutAltGr && !look_.showCharCtrl)) {
        if (look_.centerInfo) {
            DrawCharacter(key, colors, box.left + 2, box.top + 1, box);
        } else {
            const std::int32_t lineHeight = look_.theme->LabelLineHeight;
            DrawCharacter(key, colors, box.right - 16, std::max(box.bottom - lineHeight, box.top + 1), box);
        }
    }
}

bool KeyboardRenderer::DrawPackPictures(const TKvBtn& key, const Rect& box, bool rounded) {
    const TKvKeyboard& keyboard = key.Keyboard();
    const TKvIcons* appIcons = keyboard.AppIcons();
    IImageCanvas& canvas = surface_.PackCanvas();
    if (look_.showHotkeySquare && appIcons != nullptr) {
        appIcons->DrawHotkeySquares(canvas, key.IconKey(), rounded ? box.left + 2 : box.right - 27, box.bottom - 16);
    }
    const auto drawIcon = [&](const TKvIcons* pack) {
        return pack != nullptr &&
               pack->DrawIcon(canvas, key.IconKey(), keyboard.ModsSided(), keyboard.ModsAny(), box.right - 16, box.bottom - 16);
    };
    if (look_.showIconApp && drawIcon(appIcons)) return true;
    return look_.showIconWindows && drawIcon(keyboard.SystemIcons());
}

void KeyboardRenderer::DrawLabel(TKvBtn& key, const KeyColors& colors, std::int32_t x, std::int32_t y, const Rect& clip) {
    if (IsPrintableKey(key.Vk()) && look_.centerInfo) return;
    surface_.Text(KeyFont::Label, colors.label, clip, x, y, key.Keyboard().KeyLabel(key.Vk()));
}

bool KeyboardRenderer::DrawNumPadNavigation(TKvBtn& key, const KeyColors& colors, std::int32_t x, std::int32_t y,
                                            const Rect& box) {
    const std::uint8_t nav = NumPadNavigation(key.Vk());
    if (nav == 0) return false;
    const TKvKeyboard& keyboard = key.Keyboard();
    const std::uint8_t numLock = keyboard.KeyState()[kNumLock];
    if (!(numLock == 0 || (numLock == 1 && Held(keyboard, kShift)))) return false;
    if (const int glyph = KeyGlyphIndex(nav); glyph >= 0) {
        if (look_.centerInfo) {
            surface_.Glyph(glyph, x + 8, y + 8);
        } else {
            surface_.Glyph(glyph, x, y);
        }
    } else {
        surface_.Text(KeyFont::Label, colors.character, box, box.left + 2, y, key.Keyboard().KeyLabel(nav));
    }
    return true;
}

void KeyboardRenderer::DrawCharacter(TKvBtn& key, const KeyColors& colors, std::int32_t x, std::int32_t y, Rect box) {
    if (key.Vk() == kSpace) return;
    if (DrawNumPadNavigation(key, colors, x, y, box)) return;
    box.right = std::min(box.right, x + 32);
    box.bottom = std::min(box.bottom, y + 32);
    const char16_t ch = key.Keyboard().CharOf(key.Vk());
    if (ch == 0) return;
    const std::u16string text(1, ch);
    if (look_.centerInfo) {
        surface_.CenteredText(KeyFont::Character, colors.character, box, text);
    } else {
        surface_.Text(KeyFont::Character, colors.character, box, x, y, text);
    }
}

}  // namespace kv
