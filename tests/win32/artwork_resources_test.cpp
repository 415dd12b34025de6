#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/paths.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_processes.h"
#include "platform/win32/win32_text.h"
#include "resources/lang_flags.h"
#include "win32/res/resource_ids.h"

namespace kv {
namespace {

struct ModuleCloser {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
using Module = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleCloser>;

// The program's resources as data, the way Explorer and the program itself see them.
Module ProgramResources() {
    win32::Win32Processes processes;
    const std::u16string exe = FolderOf(processes.ExecutablePath()) + u"Karmux.exe";
    return Module(LoadLibraryExW(win32::W(exe), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
}

struct Strip {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    std::vector<COLORREF> pixels;  // top row first

    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

Strip LoadStrip(HMODULE module, const wchar_t* name) {
    Strip strip;
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageW(module, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap) return strip;
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    strip.width = info.bmWidth;
    strip.height = info.bmHeight;
    strip.bitsPerPixel = info.bmBitsPixel;
    BITMAPINFO request{};
    request.bmiHeader.biSize = sizeof request.bmiHeader;
    request.bmiHeader.biWidth = strip.width;
    request.bmiHeader.biHeight = -strip.height;
    request.bmiHeader.biPlanes = 1;
    request.bmiHeader.biBitCount = 32;
    std::vector<std::uint32_t> bgrx(static_cast<size_t>(strip.width) * strip.height);
    GetDIBits(win32::WindowDc(nullptr).Get(), bitmap, 0, strip.height, bgrx.data(), &request, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    for (std::uint32_t px : bgrx) strip.pixels.push_back(RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF));
    return strip;
}

Strip LoadStrip(HMODULE module, int id) { return LoadStrip(module, MAKEINTRESOURCEW(id)); }

struct StripCase {
    const char* name;
    int id;
    int largeId;
    int size;  // of one image in the normal strip; the large strip doubles it
    int count;
    bool masked;
};

const StripCase kStrips[] = {
    {"tray icons", IDB_TRAY_ICONS, IDB_TRAY_ICONS_LARGE, 16, KV_TRAY_ICON_COUNT, true},
    {"main", IDB_MAIN, IDB_MAIN_LARGE, 16, KV_MAIN_IMAGE_COUNT, true},
    {"flags", IDB_FLAGS, IDB_FLAGS_LARGE, 16, KV_FLAG_COUNT, false},
    {"keys", IDB_KEYS, IDB_KEYS_LARGE, 16, KV_KEY_GLYPH_COUNT, true},
    {"form buttons", IDB_FORM_BUTTONS, IDB_FORM_BUTTONS_LARGE, 12, KV_FORM_BUTTON_COUNT, true},
    {"program actions", IDB_ACT_PONDREL, IDB_ACT_PONDREL_LARGE, 16, KV_ACT_PONDREL_COUNT, true},
    {"audio actions", IDB_ACT_AUDIO, IDB_ACT_AUDIO_LARGE, 16, KV_ACT_AUDIO_COUNT, true},
    {"monitor actions", IDB_ACT_MONITOR, IDB_ACT_MONITOR_LARGE, 16, KV_ACT_MONITOR_COUNT, true},
    {"window actions", IDB_ACT_WINDOW, IDB_ACT_WINDOW_LARGE, 16, KV_ACT_WINDOW_COUNT, true},
    {"system actions", IDB_ACT_SYSTEM, IDB_ACT_SYSTEM_LARGE, 16, KV_ACT_SYSTEM_COUNT, true},
    {"language actions", IDB_ACT_LANG, IDB_ACT_LANG_LARGE, 16, KV_ACT_LANG_COUNT, true},
    {"power actions", IDB_ACT_SHUTDOWN, IDB_ACT_SHUTDOWN_LARGE, 16, KV_ACT_SHUTDOWN_COUNT, true},
    {"wizard steps", IDB_PROCESS, IDB_PROCESS_LARGE, 16, KV_PROCESS_COUNT, true},
};

TEST(ArtworkResourcesTest, EveryStripHoldsWholeImagesAtBothSizes) {
    Module module = ProgramResources();
    ASSERT_TRUE(module);
    for (const StripCase& c : kStrips) {
        for (int factor : {1, 2}) {
            const Strip strip = LoadStrip(module.get(), factor == 1 ? c.id : c.largeId);
            const int size = c.size * factor;
            SCOPED_TRACE(std::string(c.name) + (factor == 1 ? "" : " (large)"));
            EXPECT_EQ(strip.bitsPerPixel, 24);
            EXPECT_EQ(strip.height, size);
            ASSERT_GT(strip.width, 0);
            EXPECT_EQ(strip.width % size, 0);
            EXPECT_EQ(strip.width / size, c.count);
        }
    }
}

// The about box's logo (found by the name "LOGO") and the wizard's banner: whole pictures of the
// sizes the windows stretch them to at 96 DPI, with no mask colour, since they are drawn opaque.
TEST(ArtworkResourcesTest, TheAboutLogoAndTheWizardBannerArePicturesOfTheirSize) {
    Module module = ProgramResources();
    ASSERT_TRUE(module);
    struct Picture {
        const wchar_t* name;
        int width, height;
    };
    const COLORREF mask = RGB(KV_ART_MASK_COLOUR >> 16, (KV_ART_MASK_COLOUR >> 8) & 0xFF, KV_ART_MASK_COLOUR & 0xFF);
    for (const Picture& p : {Picture{L"LOGO", 160, 300}, Picture{MAKEINTRESOURCEW(IDB_WIZARD_BANNER), 447, 56}}) {
        const Strip picture = LoadStrip(module.get(), p.name);
        SCOPED_TRACE(p.width);
        EXPECT_EQ(picture.width, p.width);
        EXPECT_EQ(picture.height, p.height);
        EXPECT_EQ(std::count(picture.pixels.begin(), picture.pixels.end(), mask), 0);
        // Drawn, not one flat colour.
        EXPECT_GT(std::count_if(picture.pixels.begin(), picture.pixels.end(),
                                [&](COLORREF c) { return c != picture.pixels.front(); }),
                  p.width * p.height / 10);
    }
}

TEST(ArtworkResourcesTest, FlagStripHasAFlagForEveryIndexTheLanguageTableGives) {
    int highest = 0;
    for (std::uint32_t language = 0; language <= 0xFFFF; ++language) {
        highest = std::max<int>(highest, LangFlagIndex(language));
    }
    Module module = ProgramResources();
    ASSERT_TRUE(module);
    const Strip flags = LoadStrip(module.get(), IDB_FLAGS);
    ASSERT_EQ(flags.height, 16);
    EXPECT_EQ(flags.width / 16, highest + 1);
    EXPECT_EQ(flags.width / 16, kLangFlagCount);

    const COLORREF white = RGB(255, 255, 255);
    for (int image = 0; image < flags.width / 16; ++image) {
        SCOPED_TRACE(image);
        int whiteOutside = 0, colouredInside = 0;
        for (int x = image * 16; x < image * 16 + 16; ++x) {
            for (int y : {0, 1, 13, 14, 15}) whiteOutside += flags.At(x, y) == white;
            for (int y = 2; y <= 12; ++y) colouredInside += flags.At(x, y) != white;
        }
        EXPECT_EQ(whiteOutside, 16 * 5);  // the flag stays within rows 2..12
        EXPECT_GT(colouredInside, 16 * 11 / 4);
    }
}

TEST(ArtworkResourcesTest, MaskedStripsUseTheMaskColourAndFlagsDoNot) {
    Module module = ProgramResources();
    ASSERT_TRUE(module);
    const COLORREF mask = RGB(KV_ART_MASK_COLOUR >> 16, (KV_ART_MASK_COLOUR >> 8) & 0xFF, KV_ART_MASK_COLOUR & 0xFF);
    for (const StripCase& c : kStrips) {
        const Strip strip = LoadStrip(module.get(), c.id);
        const auto masked = std::count(strip.pixels.begin(), strip.pixels.end(), mask);
        SCOPED_TRACE(c.name);
        if (c.masked) {
            EXPECT_GT(masked, 0);
            EXPECT_LT(masked, static_cast<long long>(strip.pixels.size()));
        } else {
            EXPECT_EQ(masked, 0);
        }
    }
}

SIZE IconSize(HICON icon) {
    ICONINFO info{};
    SIZE size{0, 0};
    if (!GetIconInfo(icon, &info)) return size;
    BITMAP bitmap{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    size = {bitmap.bmWidth, info.hbmColor ? bitmap.bmHeight : bitmap.bmHeight / 2};
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return size;
}

TEST(ArtworkResourcesTest, IconsLoadAtSixteenAndThirtyTwoPixels) {
    Module module = ProgramResources();
    ASSERT_TRUE(module);
    for (int id : {IDI_PROGRAM, IDI_TRAY_ON, IDI_TRAY_OFF}) {
        for (int size : {16, 32}) {
            SCOPED_TRACE(std::to_string(id) + " at " + std::to_string(size));
            HICON icon = static_cast<HICON>(LoadImageW(module.get(), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0));
            ASSERT_NE(icon, nullptr);
            const SIZE loaded = IconSize(icon);
            DestroyIcon(icon);
            EXPECT_EQ(loaded.cx, size);
            EXPECT_EQ(loaded.cy, size);
        }
    }
}

#pragma pack(push, 2)
struct IconGroupEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

BOOL CALLBACK TakeFirstName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR first) {
    *reinterpret_cast<ULONG_PTR*>(first) = reinterpret_cast<ULONG_PTR>(name);
    return FALSE;
}

TEST(ArtworkResourcesTest, ProgramIconComesFirstWithAllItsSizes) {
    Module module = ProgramResources();
    ASSERT_TRUE(module);
    ULONG_PTR first = 0;
    EnumResourceNamesW(module.get(), RT_GROUP_ICON, TakeFirstName, reinterpret_cast<LONG_PTR>(&first));
    EXPECT_EQ(first, static_cast<ULONG_PTR>(IDI_PROGRAM));

    HRSRC found = FindResourceW(module.get(), MAKEINTRESOURCEW(IDI_PROGRAM), RT_GROUP_ICON);
    ASSERT_NE(found, nullptr);
    const auto* group = static_cast<const BYTE*>(LockResource(LoadResource(module.get(), found)));
    const WORD count = *reinterpret_cast<const WORD*>(group + 4);
    std::vector<int> sizes;
    for (WORD i = 0; i < count; ++i) {
        const auto* entry = reinterpret_cast<const IconGroupEntry*>(group + 6 + i * sizeof(IconGroupEntry));
        sizes.push_back(entry->width == 0 ? 256 : entry->width);
        EXPECT_EQ(entry->bitCount, 32);
    }
    std::sort(sizes.begin(), sizes.end());
    EXPECT_EQ(sizes, (std::vector<int>{16, 32, 48, 256}));
}

}  // namespace
}  // namespace kv
