// The icon packs shipped in Icons\ read as the program reads them: every header, every entry and
// one picture per entry, and each pack found for what it serves.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "icon_pack_fixture.h"
#include "platform/text.h"
#include "resources/icon_pack_names.h"

namespace kv {
namespace {

namespace fs = std::filesystem;
const fs::path kIcons = fs::path(__FILE__).parent_path().parent_path().parent_path() / "Icons";

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class ShippedIconPacksTest : public ::testing::Test, public test::IconPackFixture {
protected:
    ShippedIconPacksTest() {
        for (const auto& entry : fs::directory_iterator(kIcons)) {
            if (entry.path().extension() != ".pni") continue;
            AddPack(Utf8ToUtf16(entry.path().stem().string()), ReadFile(entry.path()));
            ++files;
        }
        packs.ScanPacks();
    }
    int files = 0;
};

TEST_F(ShippedIconPacksTest, EveryPackReadsInFullWithAPicturePerEntry) {
    ASSERT_GE(files, 2);
    ASSERT_EQ(packs.Count(), static_cast<std::size_t>(files));
    for (std::size_t i = 0; i < packs.Count(); ++i) {
        TKvIcons* pack = packs.FindPack(packs.Pack(i).Name(), true);
        ASSERT_NE(pack, nullptr);
        EXPECT_TRUE(pack->Loaded()) << Utf16ToUtf8(pack->Name());
        EXPECT_GE(pack->Items().size(), 3u) << Utf16ToUtf8(pack->Name());
        for (const TKvIcon& icon : pack->Items()) EXPECT_FALSE(icon.Hint.empty()) << int(icon.KeyCode);
    }
    EXPECT_TRUE(ErrorTexts().empty());
}

TEST_F(ShippedIconPacksTest, NotepadAndWindowsFindTheirPacks) {
    const TKvIcons* notepad = packs.FindPackForApplication(u"notepad.exe", u"Notepad");
    ASSERT_NE(notepad, nullptr);
    std::u16string hint;
    EXPECT_TRUE(notepad->GetIconHint('S', 0x20, 0x20, hint, nullptr));
    EXPECT_EQ(hint, u"Save");
    EXPECT_FALSE(notepad->GetIconHint('S', 0x00, 0x00, hint, nullptr)) << "only with Ctrl";

    const TKvIcons* windows = packs.FindPack(WindowsPackName({2, 6, 1, 7601}), true);
    ASSERT_NE(windows, nullptr);
    EXPECT_TRUE(windows->GetIconHint('E', 0x80, 0x80, hint, nullptr));
    EXPECT_EQ(hint, u"Open Explorer");
}

}  // namespace
}  // namespace kv
