// Pictures decoded by GDI+ under Wine, from tiny files of every accepted kind and from broken ones.
#include "win32/gdiplus_picture_loader.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "picture_fixtures.h"

namespace kv::win32app {
namespace {

// A file of the given bytes in the temporary folder, deleted at the end.
class TempPicture {
public:
    TempPicture(const wchar_t* name, std::span<const std::uint8_t> bytes) {
        wchar_t folder[MAX_PATH]{};
        GetTempPathW(MAX_PATH, folder);
        path_ = std::wstring(folder) + L"kv_picture_" + std::to_wstring(GetCurrentProcessId()) + L"_" + name;
        const HANDLE file = CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return;
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }
    ~TempPicture() { DeleteFileW(path_.c_str()); }
    std::u16string Path() const { return std::u16string(path_.begin(), path_.end()); }

private:
    std::wstring path_;
};

std::uint32_t Red(std::uint32_t argb) { return (argb >> 16) & 0xFF; }
std::uint32_t Blue(std::uint32_t argb) { return argb & 0xFF; }

TEST(GdiplusPictureLoader, ReadsEveryAcceptedKind) {
    const GdiplusPictureLoader loader;
    struct Fixture {
        const wchar_t* name;
        std::span<const std::uint8_t> bytes;
    };
    const Fixture fixtures[] = {{L"a.bmp", test::k_pic_bmp},
                                {L"a.png", test::k_pic_png},
                                {L"a.gif", test::k_pic_gif},
                                {L"a.jpg", test::k_pic_jpg}};
    for (const Fixture& f : fixtures) {
        const TempPicture file(f.name, f.bytes);
        const auto picture = loader.Decode(file.Path());
        ASSERT_TRUE(picture.has_value()) << f.name;
        ASSERT_EQ(picture->width, 16) << f.name;
        ASSERT_EQ(picture->height, 4) << f.name;
        for (int y = 0; y < 4; ++y) {
            // JPEG blurs the colours a little; the two halves stay apart.
            EXPECT_GT(Red(picture->At(1, y)), 200u) << f.name;
            EXPECT_LT(Blue(picture->At(1, y)), 60u) << f.name;
            EXPECT_GT(Blue(picture->At(14, y)), 200u) << f.name;
            EXPECT_LT(Red(picture->At(14, y)), 60u) << f.name;
        }
    }
}

TEST(GdiplusPictureLoader, RefusesBrokenMissingAndOversizedFiles) {
    const GdiplusPictureLoader loader;
    const std::span<const std::uint8_t> png(test::k_pic_png);
    const TempPicture truncated(L"cut.png", png.first(png.size() / 2));
    EXPECT_FALSE(loader.Decode(truncated.Path()).has_value());

    // A BMP header that claims 100000 x 100000 pixels and carries a few bytes of them.
    std::vector<std::uint8_t> huge(test::k_pic_bmp, test::k_pic_bmp + sizeof(test::k_pic_bmp));
    const std::int32_t side = 100000;
    std::memcpy(&huge[18], &side, 4);
    std::memcpy(&huge[22], &side, 4);
    const TempPicture oversized(L"huge.bmp", huge);
    EXPECT_FALSE(loader.Decode(oversized.Path()).has_value());

    const TempPicture empty(L"empty.png", {});
    EXPECT_FALSE(loader.Decode(empty.Path()).has_value());
    EXPECT_FALSE(loader.Decode(u"C:\\no\\such\\picture.png").has_value());

    // The loader still works after the refusals.
    const TempPicture good(L"good.bmp", test::k_pic_bmp);
    EXPECT_TRUE(loader.Decode(good.Path()).has_value());
}

TEST(GdiplusPictureLoader, RefusesAPictureAboveTheLimits) {
    const GdiplusPictureLoader loader(PictureLimits{1024 * 1024, 8, 1024});
    const TempPicture file(L"wide.png", test::k_pic_png);
    EXPECT_FALSE(loader.Decode(file.Path()).has_value());
    const GdiplusPictureLoader smallFiles(PictureLimits{100, 8192, 1024});
    EXPECT_FALSE(smallFiles.Decode(file.Path()).has_value());
}

}  // namespace
}  // namespace kv::win32app
