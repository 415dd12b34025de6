#include <gtest/gtest.h>

#include "sim_platform.h"
#include "theme/key_glyphs.h"
#include "theme/menu_style.h"

namespace kv {
namespace {

TEST(KeyGlyphIndex, GlyphKeysHaveImagesAndOthersText) {
    struct Case {
        std::uint32_t vk;
        int index;
    };
    const Case cases[] = {
        {91, 0},  {92, 0},   {93, 1},   {8, 2},    {37, 3},   {38, 4},  {39, 5},  {40, 6},
        {166, 7}, {175, 16}, {183, 24}, {165, -1}, {184, -1}, {65, -1}, {0, -1}, {13, -1},
        {36, -1}, {41, -1},  {94, -1},  {255, -1}, {0x10000 + 91, -1},
    };
    for (const Case& c : cases) EXPECT_EQ(KeyGlyphIndex(c.vk), c.index) << "vk " << c.vk;
}

TEST(MenuStyleForOS, OwnerDrawnBeforeVistaStandardFromVistaOn) {
    struct Case {
        OsVersion version;
        MenuStyle style;
    };
    const Case cases[] = {
        {{2, 5, 0, 2195}, MenuStyle::XpOwnerDrawn},  // Windows 2000
        {{2, 5, 1, 2600}, MenuStyle::XpOwnerDrawn},  // XP
        {{2, 5, 2, 3790}, MenuStyle::XpOwnerDrawn},  // Server 2003
        {{2, 6, 0, 6000}, MenuStyle::Standard},      // Vista
        {{2, 10, 0, 19045}, MenuStyle::Standard},
        {{1, 6, 0, 0}, MenuStyle::XpOwnerDrawn},     // not the NT family
    };
    sim::SimPlatform os;
    for (const Case& c : cases) {
        os.desktop.SetVersion(c.version);
        EXPECT_EQ(MenuStyleForOS(os.desktop), c.style) << c.version.major << "." << c.version.minor;
    }
}

}  // namespace
}  // namespace kv
