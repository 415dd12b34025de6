#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/win32_platform.h"
#include "win32/image_strips.h"
#include "win32/res/resource_ids.h"

namespace kv {
namespace {

// Sounds are off unless the user turns them on, and most runs never reach the internet: their
// libraries (winmm brings COM along) are loaded when first used, not with the program.
TEST(LazyLibrariesTest, SoundAndInternetLibrariesLoadWhenFirstUsed) {
    ASSERT_EQ(GetModuleHandleW(L"winmm.dll"), nullptr) << "another test of this process loaded it";
    ASSERT_EQ(GetModuleHandleW(L"wininet.dll"), nullptr) << "another test of this process loaded it";
    win32::Win32Platform os;
    EXPECT_EQ(GetModuleHandleW(L"winmm.dll"), nullptr);
    EXPECT_EQ(GetModuleHandleW(L"wininet.dll"), nullptr);

    os.sound.SndPlaySound(nullptr, 0);  // stops the sound playing now, if any
    EXPECT_NE(GetModuleHandleW(L"winmm.dll"), nullptr);
    EXPECT_EQ(GetModuleHandleW(L"wininet.dll"), nullptr);

    os.internet.Connected();
    EXPECT_NE(GetModuleHandleW(L"wininet.dll"), nullptr);
}

// The menus' and flags' image strips are the only users of comctl32.dll's own functions: the
// library (about 2 MB under Wine) comes when an image is first asked for.
TEST(LazyLibrariesTest, CommonControlsLoadWhenAnImageIsFirstAskedFor) {
    ASSERT_EQ(GetModuleHandleW(L"comctl32.dll"), nullptr) << "another test of this process loaded it";
    win32app::CommonControls controls;
    win32app::ImageStrip strip(controls, IDB_MAIN, IDB_MAIN_LARGE, 16, true);
    EXPECT_EQ(GetModuleHandleW(L"comctl32.dll"), nullptr);

    strip.CreateIcon(0);
    EXPECT_NE(GetModuleHandleW(L"comctl32.dll"), nullptr);
}

}  // namespace
}  // namespace kv
