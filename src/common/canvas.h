#pragma once
#include <cstdint>

namespace kv {

constexpr std::uint32_t kColorLime = 0x00FF00;  // a lime brush asks for text without background

// Text layout options of portable drawing code; the Win32 layer turns them into DT_ flags.
enum TextFormatOption : std::uint32_t {
    kTextBottom = 1u << 0,
    kTextCalcRect = 1u << 1,
    kTextCenter = 1u << 2,
    kTextEditControl = 1u << 3,
    kTextEndEllipsis = 1u << 4,
    kTextPathEllipsis = 1u << 5,
    kTextExpandTabs = 1u << 6,
    kTextLeft = 1u << 7,
    kTextNoClip = 1u << 8,
    kTextNoPrefix = 1u << 9,
    kTextRight = 1u << 10,
    kTextRtlReading = 1u << 11,
    kTextSingleLine = 1u << 12,
    kTextTop = 1u << 13,
    kTextVerticalCenter = 1u << 14,
    kTextWordBreak = 1u << 15,
    kTextWordEllipsis = 1u << 16,
};

// The DrawTextEx flags of a set of TextFormatOption bits.
std::uint32_t ToDrawTextFlags(std::uint32_t options);

}  // namespace kv
