// Icon packs: the start-up scan, the full read, finding packs, and what a key draws.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "icon_pack_fixture.h"
#include "platform/text.h"
#include "resources/icon_pack_names.h"

namespace kv {

static void PrintTo(const TKvIcon& icon, std::ostream* out) {
    *out << '{' << int(icon.KeyCode) << ", 0x" << std::hex << icon.Modifiers << std::dec << ", \""
         << Utf16ToUtf8(icon.Hint) << "\"}";
}

namespace {

using fuzz::BitmapFile;
using fuzz::IconFile;
using fuzz::PackEntryLayout;
using fuzz::PackFile;
using fuzz::PackLayout;
using fuzz::RecordingImageCanvas;

constexpr std::uint8_t kKeyA = 65;
constexpr std::uint8_t kKeyC = 67;
constexpr std::uint8_t kKeyF = 70;

// One image per entry, each 16 pixels wide.
PackLayout PackFor(std::string exeName, std::string windowClass, std::vector<PackEntryLayout> entries = {}) {
    PackLayout pack;
    pack.exeName = std::move(exeName);
    pack.windowClass = std::move(windowClass);
    pack.strip = BitmapFile(16 * static_cast<std::int32_t>(entries.size()));
    pack.entries = std::move(entries);
    return pack;
}

class IconPackTest : public ::testing::Test, public test::IconPackFixture {};

// ---------------------------------------------------------------- the start-up scan

TEST_F(IconPackTest, ScanReadsEveryHeaderInDirectoryOrderAndNothingMore) {
    PackLayout word = PackFor("WINWORD.EXE", "", {{0x20, kKeyC, "Copy"}});
    word.comment = "Word 2003";
    word.icon = IconFile();
    AddPack(u"Word", PackFile(word));
    AddPack(u"Desktop2000", PackFile(PackFor("", "", {{0x80, 69, "Explorer"}})));
    AddPack(u"Broken", "PNG1 no pack");
    os.files.AddFile(iconFolder + u"readme.txt", "not a pack");

    packs.ScanPacks();

    ASSERT_EQ(packs.Count(), 3u);
    EXPECT_EQ(packs.Pack(0).Name(), u"Broken");
    EXPECT_EQ(packs.Pack(1).Name(), u"Desktop2000");
    EXPECT_EQ(packs.Pack(2).Name(), u"Word");
    const TKvIcons& scanned = packs.Pack(2);
    EXPECT_EQ(scanned.ExeName(), u"WINWORD.EXE");
    EXPECT_EQ(scanned.WindowClass(), u"");
    EXPECT_EQ(scanned.Comment(), u"Word 2003");
    EXPECT_EQ(scanned.PackIcon(), IconFile());
    for (std::size_t i = 0; i < packs.Count(); ++i) {
        EXPECT_FALSE(packs.Pack(i).Loaded());
        EXPECT_TRUE(packs.Pack(i).Items().empty());
        EXPECT_EQ(packs.Pack(i).Images(), nullptr);
    }
    EXPECT_EQ(decoder.calls, 0) << "no image is decoded at start-up";
    EXPECT_FALSE(os.files.FileExists(CachePath()));
    EXPECT_EQ(ErrorTexts(), std::vector<std::u16string>{NotAPackText(u"Broken")});
}

TEST_F(IconPackTest, RescanForgetsPacksNoLongerInTheFolder) {
    AddPack(u"Word", PackFile(PackFor("WINWORD.EXE", "")));
    packs.ScanPacks();
    TKvIcons* before = packs.FindPack(u"Word", true);
    ASSERT_NE(before, nullptr);
    ASSERT_TRUE(before->Loaded());

    os.files.RemoveFile(PackPath(u"Word"));
    AddPack(u"Excel", PackFile(PackFor("EXCEL.EXE", "")));
    packs.ScanPacks();

    ASSERT_EQ(packs.Count(), 1u);
    EXPECT_EQ(packs.Pack(0).Name(), u"Excel");
    EXPECT_EQ(packs.FindPack(u"Word", false), nullptr);
}

// ---------------------------------------------------------------- the full read

TEST_F(IconPackTest, FullReadTakesEntriesAndImagesOnceAndLeavesTheStripInIconsTmp) {
    const PackLayout layout = PackFor("WINWORD.EXE", "OpusApp",
                                      {{0x20, kKeyC, "Copy"}, {0x10, kKeyC, "Shift \xC4"}, {0x20, 86, "Paste"}});
    AddPack(u"Word", PackFile(layout));
    os.files.WriteWholeFile(CachePath(), "an earlier strip");
    packs.ScanPacks();

    TKvIcons* pack = packs.FindPack(u"Word", true);

    ASSERT_NE(pack, nullptr);
    EXPECT_TRUE(pack->Loaded());
    EXPECT_EQ(pack->Items(), (std::vector<TKvIcon>{{kKeyC, 0x20, u"Copy"}, {kKeyC, 0x10, u"Shift \u00C4"}, {86, 0x20, u"Paste"}}));
    ASSERT_NE(pack->Images(), nullptr);
    EXPECT_EQ(pack->Images()->Count(), 3u);
    EXPECT_EQ(pack->RunIndex()[kKeyC], (IconRun{0, 1}));
    EXPECT_EQ(pack->RunIndex()[86], (IconRun{2, 2}));
    EXPECT_EQ(pack->RunIndex()[kKeyA], IconRun{});
    EXPECT_EQ(os.files.ReadWholeFile(CachePath()), layout.strip);
    EXPECT_EQ(static_cast<const fuzz::FakeIconImages*>(pack->Images())->Source(), layout.strip);

    AddPack(u"Word", PackFile(PackFor("OTHER.EXE", "", {})));
    EXPECT_EQ(packs.FindPack(u"Word", true), pack);
    EXPECT_EQ(pack->Items().size(), 3u) << "a loaded pack is never read again";
    EXPECT_EQ(pack->ExeName(), u"WINWORD.EXE");
    EXPECT_EQ(decoder.calls, 1);
    EXPECT_TRUE(ErrorTexts().empty());
}

TEST(IconPackImagesTest, ImagesDecideHowManyEntriesThereAre) {
    struct Case {
        const char* what;
        std::string strip;
        std::size_t entries;
        std::vector<TKvIcon> expected;
    };
    auto entry = [](std::size_t i) { return TKvIcon{static_cast<std::uint8_t>(65 + i), 0x20, u"e" + Utf8ToUtf16(std::to_string(i))}; };
    const std::vector<Case> cases = {
        {"80 pixels for 7 entries: the last two are dropped", BitmapFile(80), 7,
         {entry(0), entry(1), entry(2), entry(3), entry(4)}},
        {"48 pixels for 1 entry: two empty entries are added", BitmapFile(48), 1, {entry(0), {}, {}}},
        {"an incomplete last image does not count", BitmapFile(47), 3, {entry(0), entry(1)}},
        {"narrower than one image", BitmapFile(15), 2, {}},
        {"no strip", "", 2, {}},
        {"a strip that is no bitmap", "PNG image data", 2, {}},
    };
    for (const Case& c : cases) {
        PackLayout layout = PackFor("APP.EXE", "");
        for (std::size_t i = 0; i < c.entries; ++i) {
            const TKvIcon icon = entry(i);
            layout.entries.push_back({icon.Modifiers, icon.KeyCode, Utf16ToUtf8(icon.Hint)});
        }
        layout.strip = c.strip;
        test::IconPackFixture fixture;
        fixture.AddPack(u"App", PackFile(layout));
        fixture.packs.ScanPacks();
        const TKvIcons* pack = fixture.packs.FindPack(u"App", true);
        ASSERT_NE(pack, nullptr) << c.what;
        EXPECT_TRUE(pack->Loaded()) << c.what;
        EXPECT_EQ(pack->Items(), c.expected) << c.what;
        EXPECT_TRUE(fixture.ErrorTexts().empty()) << c.what;
    }
}

TEST_F(IconPackTest, ADataFolderThatCannotBeWrittenStillGivesTheImages) {
    AddPack(u"App", PackFile(PackFor("APP.EXE", "", {{0x20, kKeyC, "Copy"}})));
    IconPackEnvironment unwritable = environment;
    unwritable.dataFolder = u"C:\\Missing\\";
    TKvIconsList list(unwritable);
    list.ScanPacks();

    const TKvIcons* pack = list.FindPack(u"App", true);

    ASSERT_NE(pack, nullptr);
    EXPECT_TRUE(pack->Loaded());
    EXPECT_EQ(pack->Items().size(), 1u);
    EXPECT_TRUE(ErrorTexts().empty());
}

// ---------------------------------------------------------------- finding packs

TEST_F(IconPackTest, FindPackComparesNamesExactly) {
    AddPack(u"WinXP", PackFile(PackFor("", "", {{0x80, 69, "Explorer"}})));
    packs.ScanPacks();

    EXPECT_EQ(packs.FindPack(u"winxp", true), nullptr);
    EXPECT_EQ(packs.FindPack(u"WinVista", true), nullptr);
    TKvIcons* header = packs.FindPack(u"WinXP", false);
    ASSERT_NE(header, nullptr);
    EXPECT_FALSE(header->Loaded());
    EXPECT_EQ(packs.FindPack(u"WinXP", true), header);
    EXPECT_TRUE(header->Loaded());
}

TEST_F(IconPackTest, ApplicationsFindTheFirstPackNamingThem) {
    AddPack(u"A_Word", PackFile(PackFor("WINWORD.EXE", "")));
    AddPack(u"B_Opus", PackFile(PackFor("", "OpusApp")));
    AddPack(u"C_ByNameOnly", PackFile(PackFor("", "")));
    AddPack(u"D_Excel", PackFile(PackFor("EXCEL.EXE", "XLMAIN")));
    AddPack(u"E_WordAgain", PackFile(PackFor("winword.exe", "")));
    AddPack(u"F_Apple", PackFile(PackFor("\xC4PFEL.EXE", "")));
    packs.ScanPacks();

    struct Case {
        std::u16string exe;
        std::u16string windowClass;
        const char16_t* expected;
    };
    const Case cases[] = {
        {u"winword.exe", u"_WwG", u"A_Word"},
        {u"WinWord.Exe", u"OpusApp", u"A_Word"},
        {u"notepad.exe", u"OpusApp", u"B_Opus"},
        {u"notepad.exe", u"opusapp", nullptr},
        {u"excel.exe", u"XLMAIN", u"D_Excel"},
        {u"excel.exe", u"EXCEL7", nullptr},
        {u"calc.exe", u"XLMAIN", nullptr},
        {u"notepad.exe", u"Notepad", nullptr},
        {u"\u00E4pfel.exe", u"", u"F_Apple"},
        {u"", u"", nullptr},
    };
    for (const Case& c : cases) {
        const TKvIcons* pack = packs.FindPackForApplication(c.exe, c.windowClass);
        const std::string what = Utf16ToUtf8(c.exe) + " / " + Utf16ToUtf8(c.windowClass);
        if (!c.expected) {
            EXPECT_EQ(pack, nullptr) << what;
            continue;
        }
        ASSERT_NE(pack, nullptr) << what;
        EXPECT_EQ(pack->Name(), c.expected) << what;
        EXPECT_TRUE(pack->Loaded()) << what;
    }
    EXPECT_FALSE(packs.FindPack(u"C_ByNameOnly", false)->Loaded());
    EXPECT_FALSE(packs.FindPack(u"E_WordAgain", false)->Loaded());
}

TEST(IconPackNamesTest, WindowsVersionsPickTheirDesktopAndWindowsPacks) {
    struct Case {
        std::uint32_t major;
        std::uint32_t minor;
        std::u16string_view desktop;
        std::u16string_view windows;
    };
    const Case cases[] = {
        {5, 0, u"Desktop2000", u"Win2000"}, {5, 1, u"DesktopXP", u"WinXP"},
        {5, 2, u"DesktopXP", u"WinXP"},     {6, 0, u"DesktopVista", u"WinVista"},
        {6, 1, u"DesktopVista", u"WinVista"}, {10, 0, u"DesktopVista", u"WinVista"},
        {4, 0, u"DesktopVista", u"WinVista"},
    };
    for (const Case& c : cases) {
        const OsVersion version{2, c.major, c.minor, 0};
        EXPECT_EQ(DesktopPackName(version), c.desktop) << c.major << "." << c.minor;
        EXPECT_EQ(WindowsPackName(version), c.windows) << c.major << "." << c.minor;
    }
}

// ---------------------------------------------------------------- what a key shows

class IconLookupTest : public IconPackTest {
protected:
    const TKvIcons& Load(const std::vector<PackEntryLayout>& entries) {
        AddPack(u"App", PackFile(PackFor("APP.EXE", "", entries)));
        packs.ScanPacks();
        const TKvIcons* pack = packs.FindPack(u"App", true);
        EXPECT_TRUE(pack && pack->Loaded());
        return *pack;
    }
};

TEST_F(IconLookupTest, TheFirstEntryOfTheKeyWithEitherModifierCodeMatches) {
    const TKvIcons& pack = Load({{0x20, kKeyC, "Copy"}, {0x10, kKeyC, "Shift C"}, {0x20, 86, "Paste"}});
    struct Case {
        std::uint8_t key;
        std::uint16_t a;
        std::uint16_t b;
        std::optional<std::size_t> image;
        const char* what;
    };
    const Case cases[] = {
        {kKeyC, 0x20, 0x20, 0, "left Ctrl"},
        {kKeyC, 0x20, 0x02, 0, "right Ctrl: side-free 0x20, side-specific 0x02"},
        {kKeyC, 0x10, 0x10, 1, "only Shift"},
        {kKeyC, 0x10, 0x01, 1, "right Shift"},
        {kKeyC, 0x02, 0x20, 0, "either code may match"},
        {kKeyC, 0x30, 0x30, std::nullopt, "Ctrl+Shift has no entry"},
        {kKeyC, 0x40, 0x04, std::nullopt, "Alt"},
        {86, 0x20, 0x20, 2, "another key"},
        {kKeyA, 0x20, 0x20, std::nullopt, "a key without entries"},
    };
    for (const Case& c : cases) {
        RecordingImageCanvas screen;
        const bool drawn = pack.DrawIcon(screen, c.key, c.a, c.b, 30, 40);
        EXPECT_EQ(drawn, c.image.has_value()) << c.what;
        const std::vector<std::string> expected =
            c.image ? std::vector<std::string>{"image " + std::to_string(*c.image) + " at 30,40"} : std::vector<std::string>{};
        EXPECT_EQ(screen.calls, expected) << c.what;

        std::u16string hint = u"stale";
        EXPECT_EQ(pack.GetIconHint(c.key, c.a, c.b, hint, nullptr), c.image.has_value()) << c.what;
        EXPECT_EQ(hint, c.image ? pack.Items()[*c.image].Hint : u"") << c.what;
    }
}

TEST_F(IconLookupTest, OnlyTheLaterRunOfASplitKeyIsFound) {
    const TKvIcons& pack = Load({{0x20, kKeyA, "first"}, {0x10, kKeyA, "second"}, {0x20, 66, "b"},
                                 {0x20, kKeyC, "c"}, {0x20, 68, "d"}, {0x20, kKeyA, "later"}, {0x20, 69, "e"}});

    EXPECT_EQ(pack.RunIndex()[kKeyA], (IconRun{5, 5}));
    std::u16string hint;
    EXPECT_TRUE(pack.GetIconHint(kKeyA, 0x20, 0x20, hint, nullptr));
    EXPECT_EQ(hint, u"later");
    EXPECT_FALSE(pack.GetIconHint(kKeyA, 0x10, 0x10, hint, nullptr)) << "position 1 is out of reach";
}

TEST_F(IconLookupTest, AHintBitmapGetsTheImageOrGrey) {
    const TKvIcons& pack = Load({{0x00, kKeyC, "Letter"}, {0x20, kKeyC, "Copy"}});
    RecordingImageCanvas bitmap;
    bitmap.brush = 0x123456;
    std::u16string hint;

    EXPECT_TRUE(pack.GetIconHint(kKeyC, 0x20, 0x02, hint, &bitmap));
    EXPECT_FALSE(pack.GetIconHint(kKeyC, 0x40, 0x04, hint, &bitmap));

    EXPECT_EQ(bitmap.calls, (std::vector<std::string>{"image 1 at 0,0", "fill 0,0,16,16 rgb(119,119,119)"}));
    EXPECT_EQ(bitmap.brush, 0x123456u);
    EXPECT_EQ(hint, u"");
}

TEST(HotkeySquaresTest, SideFreeCtrlAndAltCombinationsShowAsColouredSquares) {
    struct Case {
        std::vector<std::uint16_t> codes;
        std::vector<std::string> fills;
    };
    const std::vector<Case> cases = {
        {{0x20, 0x50}, {"fill 10,25,14,29 rgb(24,146,88)", "fill 15,20,19,24 rgb(255,78,26)"}},
        {{0x30, 0x50, 0x20, 0x40},
         {"fill 10,20,14,24 rgb(254,203,1)", "fill 15,20,19,24 rgb(255,78,26)", "fill 10,25,14,29 rgb(24,146,88)",
          "fill 15,25,19,29 rgb(136,210,255)"}},
        {{0x02, 0x04, 0x10, 0x00, 0x60}, {}},
        {{}, {}},
    };
    for (const Case& c : cases) {
        std::vector<PackEntryLayout> entries{{0x20, kKeyA, "another key"}};
        for (std::uint16_t code : c.codes) entries.push_back({code, kKeyF, "f"});
        test::IconPackFixture fixture;
        fixture.AddPack(u"App", PackFile(PackFor("APP.EXE", "", entries)));
        fixture.packs.ScanPacks();
        const TKvIcons* pack = fixture.packs.FindPack(u"App", true);
        ASSERT_NE(pack, nullptr);
        RecordingImageCanvas canvas;
        canvas.brush = 0xABCDEF;

        EXPECT_EQ(pack->DrawHotkeySquares(canvas, kKeyF, 10, 20), !c.fills.empty());
        EXPECT_EQ(canvas.calls, c.fills);
        EXPECT_EQ(canvas.brush, 0xABCDEFu);
    }
}

TEST_F(IconLookupTest, APackReadOnlyInItsHeaderShowsNothing) {
    AddPack(u"App", PackFile(PackFor("APP.EXE", "", {{0x20, kKeyC, "Copy"}})));
    packs.ScanPacks();
    const TKvIcons* pack = packs.FindPack(u"App", false);
    ASSERT_NE(pack, nullptr);
    RecordingImageCanvas canvas;
    std::u16string hint;

    EXPECT_FALSE(pack->DrawIcon(canvas, kKeyC, 0x20, 0x20, 0, 0));
    EXPECT_FALSE(pack->GetIconHint(kKeyC, 0x20, 0x20, hint, nullptr));
    EXPECT_FALSE(pack->DrawHotkeySquares(canvas, kKeyC, 0, 0));
    EXPECT_TRUE(canvas.calls.empty());
}

}  // namespace
}  // namespace kv
