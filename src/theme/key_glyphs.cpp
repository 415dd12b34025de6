#include "theme/key_glyphs.h"

namespace kv {

namespace {

constexpr std::uint32_t kVkBack = 8, kVkLeft = 37, kVkUp = 38, kVkRight = 39, kVkDown = 40, kVkLeftWin = 91,
                        kVkRightWin = 92, kVkApps = 93;
// Browser, volume, media and launch keys: consecutive glyphs from 7 on.
constexpr std::uint32_t kVkBrowserBack = 166, kVkLaunchApp2 = 183;
constexpr int kFirstMediaGlyph = 7;

}  // namespace

int KeyGlyphIndex(std::uint32_t vk) {
    switch (vk) {
        case kVkLeftWin:
        case kVkRightWin: return 0;
        case kVkApps: return 1;
        case kVkBack: return 2;
        case kVkLeft: return 3;
        case kVkUp: return 4;
        case kVkRight: return 5;
        case kVkDown: return 6;
        default: break;
    }
    if (vk >= kVkBrowserBack && vk <= kVkLaunchApp2) return static_cast<int>(vk - kVkBrowserBack) + kFirstMediaGlyph;
    return -1;
}

}  // namespace kv
