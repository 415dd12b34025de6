// Icon pack files that are damaged, unreadable or listed twice, and the checks of their pictures.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "../fuzz/icon_pack_check.h"
#include "icon_pack_fixture.h"
#include "platform/text.h"
#include "resources/icon_pack_file.h"
#include "resources/icon_pack_pictures.h"

namespace kv {
namespace {

using fuzz::BitmapFile;
using fuzz::IconFile;
using fuzz::Le16;
using fuzz::Le32;
using fuzz::PackFile;
using fuzz::PackLayout;

namespace fs = std::filesystem;

PackLayout WordPack() {
    PackLayout layout;
    layout.exeName = "WINWORD.EXE";
    layout.windowClass = "OpusApp";
    layout.entries = {{0x20, 67, "Copy"}, {0x20, 86, "Paste"}};
    layout.strip = BitmapFile(32);
    return layout;
}

std::string WithStrip(std::string strip) {
    PackLayout layout = WordPack();
    layout.strip = std::move(strip);
    return PackFile(layout);
}

// A bitmap file from its header fields; the pixel bytes follow the colour table.
struct BitmapLayout {
    std::uint32_t headerSize = 40;
    std::int32_t width = 16;
    std::int32_t height = 16;
    std::uint16_t planes = 1;
    std::uint16_t bits = 24;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;
    std::uint32_t tableBytes = 0;
    std::optional<std::uint32_t> pixelOffset = std::nullopt;
    std::uint32_t pixelBytes = 16 * 16 * 3;
};

std::string Bitmap(const BitmapLayout& b) {
    std::string header;
    if (b.headerSize == 12) {
        header = Le32(12) + Le16(static_cast<std::uint16_t>(b.width)) + Le16(static_cast<std::uint16_t>(b.height)) +
                 Le16(b.planes) + Le16(b.bits);
    } else {
        header = Le32(b.headerSize) + Le32(static_cast<std::uint32_t>(b.width)) + Le32(static_cast<std::uint32_t>(b.height)) +
                 Le16(b.planes) + Le16(b.bits) + Le32(b.compression) + Le32(b.pixelBytes) + Le32(0) + Le32(0) +
                 Le32(b.colorsUsed) + Le32(0);
        header.resize(b.headerSize, '\0');
    }
    const std::uint32_t offset = b.pixelOffset.value_or(14 + b.headerSize + b.tableBytes);
    return "BM" + Le32(0) + Le32(0) + Le32(offset) + header + std::string(b.tableBytes, '\0') +
           std::string(b.pixelBytes, '\x7F');
}

// ---------------------------------------------------------------- damaged packs

struct DamagedCase {
    const char* what;
    std::string bytes;
    bool error;             // an error box at the scan and at the full read
    std::u16string exeName;  // what the header keeps
    std::size_t entries;
};

std::vector<DamagedCase> DamagedCases() {
    const std::string word = PackFile(WordPack());
    PackLayout bigIcon = WordPack();
    bigIcon.icon = IconFile();
    bigIcon.iconSizeField = 0xFFFF;
    PackLayout notIcon = WordPack();
    notIcon.icon = "GIF89a, not an icon";
    PackLayout wrappingIcon = WordPack();
    wrappingIcon.icon = IconFile();
    wrappingIcon.icon.replace(14, 8, Le32(0x20) + Le32(0xFFFFFFF0));  // offset + size wraps past 2^32
    PackLayout hugeCount = WordPack();
    hugeCount.countField = 0xFFFF;
    PackLayout longHint = WordPack();
    longHint.entries.push_back({0x20, 88, "Cut"});
    longHint.strip.clear();
    std::string cutHint = PackFile(longHint);
    cutHint.pop_back();
    return {
        {"empty", "", true, u"", 0},
        {"shorter than the magic", "PNI", true, u"", 0},
        {"another magic", "PNG1" + word.substr(4), true, u"", 0},
        {"ends inside the first header text", "PNI1\x0BWINWORD", false, u"", 0},
        {"ends after the header texts", word.substr(0, 4 + 12 + 8 + 1), false, u"WINWORD.EXE", 0},
        {"ends inside the entry count", word.substr(0, 4 + 12 + 8 + 1 + 2 + 1), false, u"WINWORD.EXE", 0},
        {"pack icon size beyond the end of the file", PackFile(bigIcon), true, u"WINWORD.EXE", 0},
        {"pack icon that is no icon", PackFile(notIcon), true, u"WINWORD.EXE", 0},
        {"pack icon whose image lies beyond 4 GB", PackFile(wrappingIcon), true, u"WINWORD.EXE", 0},
        {"more entries than the file holds", PackFile(hugeCount), false, u"WINWORD.EXE", 0},
        {"last hint longer than the file", cutHint, false, u"WINWORD.EXE", 0},
        {"strip with a negative width", WithStrip(Bitmap({.width = -16})), false, u"WINWORD.EXE", 0},
        {"strip whose rows overflow 32 bits", WithStrip(Bitmap({.width = 0x7FFFFFF0, .height = 0x7FFFFFF0, .bits = 32})),
         false, u"WINWORD.EXE", 0},
        {"strip whose pixels start beyond the file", WithStrip(Bitmap({.pixelOffset = 0xFFFFFFFF})), false, u"WINWORD.EXE", 0},
        {"strip with the most negative height", WithStrip(Bitmap({.height = INT32_MIN})), false, u"WINWORD.EXE", 0},
        {"strip shorter than its rows", WithStrip(Bitmap({.pixelBytes = 16 * 16 * 3 - 1})), false, u"WINWORD.EXE", 0},
        {"intact", word, false, u"WINWORD.EXE", 2},
    };
}

TEST(IconPackDamageTest, DamagedPacksGiveTheErrorOrNoEntriesAndNeverMore) {
    for (const DamagedCase& c : DamagedCases()) {
        test::IconPackFixture fixture;
        fixture.AddPack(u"Word", c.bytes);
        fixture.packs.ScanPacks();
        TKvIcons* pack = fixture.packs.FindPack(u"Word", true);

        ASSERT_NE(pack, nullptr) << c.what;
        EXPECT_EQ(pack->Loaded(), !c.error) << c.what;
        EXPECT_EQ(pack->ExeName(), c.exeName) << c.what;
        EXPECT_EQ(pack->Items().size(), c.entries) << c.what;
        const std::vector<std::u16string> expected =
            c.error ? std::vector<std::u16string>(2, fixture.NotAPackText(u"Word")) : std::vector<std::u16string>{};
        EXPECT_EQ(fixture.ErrorTexts(), expected) << c.what;
        EXPECT_EQ(fixture.decoder.calls, c.entries ? 1 : 0) << c.what << ": only valid bitmaps reach the platform";
        EXPECT_EQ(fuzz::IconPackViolation(c.bytes), "") << c.what;
    }
}

TEST(IconPackDamageTest, TheErrorIsText7OfTheLanguageWithThePath) {
    test::IconPackFixture fixture;
    fixture.lang.SetText(7, u"Keine Symboldatei: %1");
    fixture.AddPack(u"Word", "PNG1");
    fixture.packs.ScanPacks();

    EXPECT_EQ(fixture.ErrorTexts(), std::vector<std::u16string>{u"Keine Symboldatei: " + fixture.PackPath(u"Word")});
}

TEST(IconPackDamageTest, FieldsTheFileNoLongerHoldsKeepWhatTheHeaderScanRead) {
    test::IconPackFixture fixture;
    PackLayout layout = WordPack();
    layout.comment = "Word";
    layout.icon = IconFile();
    fixture.AddPack(u"Word", PackFile(layout));
    fixture.packs.ScanPacks();
    fixture.AddPack(u"Word", "PNI1\x05Other\x03");  // new executable name, class cut short

    TKvIcons* pack = fixture.packs.FindPackForApplication(u"winword.exe", u"OpusApp");

    ASSERT_NE(pack, nullptr);
    EXPECT_TRUE(pack->Loaded());
    EXPECT_EQ(pack->ExeName(), u"Other");
    EXPECT_EQ(pack->WindowClass(), u"OpusApp");
    EXPECT_EQ(pack->Comment(), u"Word");
    EXPECT_EQ(pack->PackIcon(), IconFile());
    EXPECT_TRUE(pack->Items().empty());
    EXPECT_TRUE(fixture.ErrorTexts().empty());
}

// ---------------------------------------------------------------- file systems that misbehave

// Files that exist but cannot be read, and a listing that names some files twice.
class AwkwardFiles : public sim::SimFileSystem {
public:
    std::set<std::u16string> unreadable;
    std::vector<std::u16string> extraListing;

    std::optional<std::string> ReadWholeFile(const std::u16string& path) const override {
        if (unreadable.count(path)) return std::nullopt;
        return SimFileSystem::ReadWholeFile(path);
    }
    std::vector<std::u16string> ListFiles(const std::u16string& folder, std::u16string_view extension) const override {
        std::vector<std::u16string> names = SimFileSystem::ListFiles(folder, extension);
        names.insert(names.end(), extraListing.begin(), extraListing.end());
        return names;
    }
};

TEST(IconPackFileSystemTest, AFileThatCannotBeReadGivesThePlatformErrorEachTimeItIsPicked) {
    test::IconPackFixture fixture;
    AwkwardFiles files;
    const std::u16string path = fixture.iconFolder + u"Word.pni";
    files.AddFile(path, PackFile(WordPack()));
    IconPackEnvironment environment{files, fixture.decoder, fixture.lang, fixture.messages, fuzz::Latin1,
                                    fixture.iconFolder, fixture.dataFolder};
    TKvIconsList packs(environment);
    packs.ScanPacks();
    files.unreadable.insert(path);

    const TKvIcons* pack = packs.FindPackForApplication(u"winword.exe", u"OpusApp");
    packs.FindPackForApplication(u"winword.exe", u"OpusApp");

    ASSERT_NE(pack, nullptr);
    EXPECT_FALSE(pack->Loaded());
    EXPECT_EQ(fixture.ErrorTexts(), std::vector<std::u16string>(2, u"Cannot open file \"" + path + u"\"."));
}

TEST(IconPackFileSystemTest, OnlyTheFirstFileOfANameIsListed) {
    test::IconPackFixture fixture;
    AwkwardFiles files;
    files.AddFile(fixture.iconFolder + u"Word.pni", PackFile(WordPack()));
    files.AddFile(fixture.iconFolder + u"Excel.pni", PackFile(WordPack()));
    files.extraListing = {u"Word.pni", u"Word.PNI", u"Notes.pni"};
    IconPackEnvironment environment{files, fixture.decoder, fixture.lang, fixture.messages, fuzz::Latin1,
                                    fixture.iconFolder, fixture.dataFolder};
    TKvIconsList packs(environment);

    packs.ScanPacks();

    std::vector<std::u16string> names;
    for (std::size_t i = 0; i < packs.Count(); ++i) names.push_back(packs.Pack(i).Name());
    EXPECT_EQ(names, (std::vector<std::u16string>{u"Excel", u"Word", u"Notes"}))
        << "a listed file that has vanished is listed all the same";
    EXPECT_TRUE(fixture.ErrorTexts().empty()) << "a missing file is no error";
}

// ---------------------------------------------------------------- the pictures

TEST(BitmapFileInfoTest, StripsThatThePlatformMayDecode) {
    struct Case {
        const char* what;
        BitmapLayout layout;
        BitmapFileInfo expected;
    };
    const Case cases[] = {
        {"24-bit bottom-up", {}, {16, 16, false, 24, 0, 54}},
        {"top-down", {.height = -16}, {16, 16, true, 24, 0, 54}},
        {"1-bit with its two colours", {.width = 80, .bits = 1, .tableBytes = 8, .pixelBytes = 16 * 12},
         {80, 16, false, 1, 0, 62}},
        {"8-bit with fewer colours used", {.bits = 8, .colorsUsed = 3, .tableBytes = 12, .pixelBytes = 16 * 16},
         {16, 16, false, 8, 0, 66}},
        {"8-bit run-length encoded", {.bits = 8, .compression = 1, .tableBytes = 1024, .pixelBytes = 20},
         {16, 16, false, 8, 1, 1078}},
        {"32-bit bit fields with their masks", {.bits = 32, .compression = 3, .tableBytes = 12, .pixelBytes = 16 * 16 * 4},
         {16, 16, false, 32, 3, 66}},
        {"version 5 header", {.headerSize = 124, .bits = 32, .pixelBytes = 16 * 16 * 4}, {16, 16, false, 32, 0, 138}},
        {"core header", {.headerSize = 12, .width = 32, .tableBytes = 0, .pixelBytes = 32 * 16 * 3},
         {32, 16, false, 24, 0, 26}},
    };
    for (const Case& c : cases) {
        const std::string bytes = Bitmap(c.layout);
        const std::optional<BitmapFileInfo> info = ReadBitmapFileInfo(bytes);
        ASSERT_TRUE(info.has_value()) << c.what;
        EXPECT_EQ(*info, c.expected) << c.what;
    }
    EXPECT_EQ(ReadBitmapFileInfo(BitmapFile(80))->width, 80);
}

TEST(BitmapFileInfoTest, HeadersThatLieAreRefused) {
    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"not BM", "BA" + Bitmap({}).substr(2)},
        {"cut inside the file header", Bitmap({}).substr(0, 16)},
        {"cut inside the info header", Bitmap({}).substr(0, 40)},
        {"unknown header size", Bitmap({.headerSize = 64})},
        {"zero width", Bitmap({.width = 0})},
        {"zero height", Bitmap({.height = 0})},
        {"two planes", Bitmap({.planes = 2})},
        {"12 bits per pixel", Bitmap({.bits = 12})},
        {"run-length encoding of 24-bit pixels", Bitmap({.compression = 1})},
        {"JPEG inside", Bitmap({.compression = 4})},
        {"top-down run-length", Bitmap({.height = -16, .bits = 8, .compression = 1, .tableBytes = 1024, .pixelBytes = 20})},
        {"more colours than the bits can index", Bitmap({.bits = 1, .colorsUsed = 3, .tableBytes = 12, .pixelBytes = 64})},
        {"colour table beyond the file", Bitmap({.bits = 8, .tableBytes = 100, .pixelOffset = 54 + 1024, .pixelBytes = 0})},
        {"colour count beyond 32 bits", Bitmap({.bits = 24, .colorsUsed = 0x40000001})},
        {"pixels start inside the header", Bitmap({.pixelOffset = 20})},
        {"no room for the rows", Bitmap({.width = 1000000, .height = 16, .pixelBytes = 100})},
        {"wider than the most images", Bitmap({.width = 65501 * 16, .height = 1, .bits = 1, .pixelBytes = 131008})},
        {"more pixels than the bound", Bitmap({.width = 4096, .height = 4097, .bits = 1, .pixelBytes = 4097 * 512})},
        {"core header with 32 bits", Bitmap({.headerSize = 12, .bits = 32, .pixelBytes = 16 * 16 * 4})},
    };
    for (const Case& c : cases) EXPECT_FALSE(ReadBitmapFileInfo(c.bytes).has_value()) << c.what;
}

TEST(IconFileTest, OnlyADirectoryOfImagesInsideTheDataIsAnIcon) {
    std::string twoImages = Le16(0) + Le16(1) + Le16(2) + std::string(4, '\x10') + Le16(1) + Le16(32) + Le32(8) + Le32(38) +
                            std::string(4, '\x10') + Le16(1) + Le16(32) + Le32(8) + Le32(46) + std::string(16, '\x01');
    EXPECT_TRUE(IsIconFile(IconFile()));
    EXPECT_TRUE(IsIconFile(twoImages));

    const std::string icon = IconFile();
    const std::string cases[] = {
        "",
        icon.substr(0, 5),
        Le16(1) + icon.substr(2),                     // reserved word set
        icon.substr(0, 2) + Le16(2) + icon.substr(4),  // a cursor
        icon.substr(0, 4) + Le16(0) + icon.substr(6),  // no images
        icon.substr(0, 4) + Le16(2) + icon.substr(6),  // a second directory entry cut off
        icon.substr(0, icon.size() - 1),               // image cut short
        icon.substr(0, 14) + Le32(0) + icon.substr(18),  // an empty image
        icon.substr(0, 18) + Le32(4) + icon.substr(22),  // image inside the directory
        twoImages.substr(0, twoImages.size() - 1),
    };
    for (const std::string& bytes : cases) EXPECT_FALSE(IsIconFile(bytes)) << testing::PrintToString(bytes);
}

// ---------------------------------------------------------------- the fuzz target's finds

TEST(IconPackFuzzRegressionTest, KeptInputsKeepEveryProperty) {
    const fs::path folder = fs::path(__FILE__).parent_path().parent_path() / "fuzz" / "regressions" / "icon_pack_fuzzer";
    ASSERT_TRUE(fs::is_directory(folder));
    int replayed = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        EXPECT_EQ(fuzz::IconPackViolation(bytes.str()), "") << entry.path();
        ++replayed;
    }
    EXPECT_GT(replayed, 0);
}

}  // namespace
}  // namespace kv
