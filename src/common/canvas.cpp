#include "common/canvas.h"

namespace kv {

namespace {

struct FlagPair {
    std::uint32_t option;
    std::uint32_t dt;
};

// The DT_ values of the system.
constexpr FlagPair kDrawTextFlags[] = {
    {kTextBottom, 0x8},          {kTextCalcRect, 0x400},     {kTextCenter, 0x1},
    {kTextEditControl, 0x2000},  {kTextEndEllipsis, 0x8000}, {kTextPathEllipsis, 0x4000},
    {kTextExpandTabs, 0x40},     {kTextLeft, 0x0},           {kTextNoClip, 0x100},
    {kTextNoPrefix, 0x800},      {kTextRight, 0x2},          {kTextRtlReading, 0x20000},
    {kTextSingleLine, 0x20},     {kTextTop, 0x0},            {kTextVerticalCenter, 0x4},
    {kTextWordBreak, 0x10},      {kTextWordEllipsis, 0x40000},
};

// A lone "&" would be taken as the prefix of an accelerator and vanish.
std::u16string WithAmpersandsDoubled(std::u16string_view text) {
    std::u16string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'&') {
            if (i + 1 < text.size() && text[i + 1] == u'&') {
                out += u"&&";
                ++i;
                continue;
            }
            out += u"&&";
            continue;
        }
        out.push_back(text[i]);
    }
    return out;
}

}  // namespace

std::uint32_t ToDrawTextFlags(std::uint32_t options) {
    std::uint32_t flags = 0;
    for (const auto& pair : kDrawTextFlags) {
        if (options & pair.option) flags |= pair.dt;
    }
    return flags;
}

void DrawTextOn(ICanvas& canvas, const Rect& rect, std::int32_t x, std::int32_t y, std::u16string_view text) {
    if (canvas.IsRightToLeft()) x += canvas.TextWidth(text) + 1;
    if (canvas.BrushColor() == kColorLime && !canvas.BrushIsClear()) {
        canvas.DrawTextThroughWorkBitmap(rect, x - rect.left, y - rect.top, text, 0, false);
        return;
    }
    canvas.TextOutClipped(rect, x, y, text, !canvas.BrushIsClear());
}

void DrawFormattedText(ICanvas& canvas, const Rect& rect, std::u16string_view text, std::uint32_t options) {
    const std::u16string shown = WithAmpersandsDoubled(text);
    const std::uint32_t flags = ToDrawTextFlags(options);
    if (canvas.BrushColor() == kColorLime && !canvas.BrushIsClear()) {
        canvas.DrawTextThroughWorkBitmap(rect, 0, 0, shown, flags, true);
        return;
    }
    canvas.DrawTextFormatted(rect, shown, flags);
}

}  // namespace kv
