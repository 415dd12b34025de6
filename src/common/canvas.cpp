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

}  // namespace

std::uint32_t ToDrawTextFlags(std::uint32_t options) {
    std::uint32_t flags = 0;
    for (const auto& pair : kDrawTextFlags) {
        if (options & pair.option) flags |= pair.dt;
    }
    return flags;
}

}  // namespace kv
