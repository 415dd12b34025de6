// A flag picture beside the program replaces the built-in flags 1, 2, ... in the image list every
// window draws its flags from; flag 0 and the flags past the picture stay as they were.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/paths.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_processes.h"
#include "platform/win32/win32_text.h"
#include "resources/flag_overrides.h"
#include "win32/common_controls.h"
#include "win32/image_strips.h"
#include "win32/res/resource_ids.h"

namespace kv::win32app {
namespace {

struct ModuleCloser {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
using Module = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleCloser>;

Module ProgramResources() {
    win32::Win32Processes processes;
    const std::u16string exe = FolderOf(processes.ExecutablePath()) + u"Karmux.exe";
    return Module(LoadLibraryExW(win32::W(exe), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
}

// Image `index` drawn on grey, as 0x00RRGGBB pixels, top row first.
std::vector<std::uint32_t> Drawn(ImageStrip& strip, int index) {
    const int size = strip.ImageSize();
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB};
    void* bits = nullptr;
    const win32::MemoryDc dc(nullptr);
    const win32::UniqueBitmap bitmap(CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size) * size, 0x808080);
    bool drawn = false;
    {
        const win32::SelectedObject selected(dc.Get(), bitmap.Get());
        std::copy(pixels.begin(), pixels.end(), static_cast<std::uint32_t*>(bits));
        drawn = strip.Draw(index, dc.Get(), 0, 0);
        GdiFlush();
        if (drawn) std::copy_n(static_cast<const std::uint32_t*>(bits), pixels.size(), pixels.begin());
    }
    for (auto& p : pixels) p &= 0xFFFFFF;
    return drawn ? pixels : std::vector<std::uint32_t>{};
}

TEST(FlagOverrides, AFortyPixelPictureReplacesFlagsOneAndTwoOnly) {
    const Module resources = ProgramResources();
    ASSERT_TRUE(resources) << "Karmux.exe beside the tests";
    const HINSTANCE module = reinterpret_cast<HINSTANCE>(resources.get());
    CommonControls controls;
    ImageStrip builtIn(controls, IDB_FLAGS, IDB_FLAGS_LARGE, 16, false, module);
    ImageStrip replaced(controls, IDB_FLAGS, IDB_FLAGS_LARGE, 16, false, module);

    constexpr std::uint32_t kRed = 0xFFE00000, kBlue = 0xFF0000E0, kGreen = 0xFF00E000;
    Pixels32 picture(40, 11);
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 40; ++x) picture.At(x, y) = x < 16 ? kRed : x < 32 ? kBlue : kGreen;
    replaced.ReplaceImages(1, FlagOverrideImages(picture));

    const int size = replaced.ImageSize();
    const int scale = size / 16;
    const auto at = [&](const std::vector<std::uint32_t>& image, int x, int y) { return image[(y * scale) * size + x * scale]; };
    const std::vector<std::uint32_t> one = Drawn(replaced, 1), two = Drawn(replaced, 2);
    ASSERT_FALSE(one.empty());
    EXPECT_EQ(at(one, 8, 7), 0xE00000u);
    EXPECT_EQ(at(two, 8, 7), 0x0000E0u);
    // The picture's 11 rows sit at rows 2 to 12; above and below is the strip's white.
    EXPECT_EQ(at(one, 8, 1), 0xFFFFFFu);
    EXPECT_EQ(at(one, 8, 2), 0xE00000u);
    EXPECT_EQ(at(one, 8, 12), 0xE00000u);
    EXPECT_EQ(at(one, 8, 13), 0xFFFFFFu);
    for (const int kept : {0, 3, 4}) {
        const std::vector<std::uint32_t> image = Drawn(replaced, kept);
        EXPECT_FALSE(image.empty()) << kept;
        EXPECT_EQ(image, Drawn(builtIn, kept)) << "flag " << kept;
    }
    EXPECT_NE(Drawn(builtIn, 1), one);
}

}  // namespace
}  // namespace kv::win32app
