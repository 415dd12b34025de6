// The catalogue of action kinds: order, kinds, pictures and the texts of the language loaded.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "hotkeys/action_kinds.h"
#include "platform/text.h"
#include "resources/kv_lang.h"
#include "resources/language_file.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

struct Expected {
    int nameNumber;
    int kind;
    ActionImageList images;
    std::vector<int> subItemNumbers;
};

// Position by position.
const std::vector<Expected> kCatalogue = {
    {6, 0, ActionImageList::None, {}},
    {201, 5, ActionImageList::None, {}},
    {202, 6, ActionImageList::None, {}},
    {203, 3, ActionImageList::None, {}},
    {205, 7, ActionImageList::None, {}},
    {605, 4, ActionImageList::None, {}},
    {213, 8, ActionImageList::Pondrel, {206, 204, 209, 210, 233, 207, 208, 234}},
    {604, 11, ActionImageList::Audio, {219, 220, 221, 607}},
    {609, 12, ActionImageList::Monitor, {610, 611, 612, 613}},
    {614, 10, ActionImageList::Window, {224, 225, 229, 230, 231}},
    {226, 13, ActionImageList::System, {615, 616, 617, 618, 619, 620, 621}},
    {218, 9, ActionImageList::Lang, {214, 232, 215, 633, 216, 217, 631, 648, 649}},
    {622, 14, ActionImageList::Shutdown, {623, 625, 626, 627, 628, 629, 630}},
    {227, 1, ActionImageList::None, {}},
    {228, 2, ActionImageList::None, {}},
};

std::u16string Marker(int number) { return u"#" + Utf8ToUtf16(std::to_string(number)); }

TEST(ActionKindsTest, EveryKindHasItsPositionTextsAndPictures) {
    // Every text replaced by its own number shows which number lands where.
    TKvLang lang;
    for (const Expected& e : kCatalogue) {
        lang.SetText(e.nameNumber, Marker(e.nameNumber));
        for (int n : e.subItemNumbers) lang.SetText(n, Marker(n));
    }
    lang.SetText(213, u"#213 %1");

    const ActionKindCatalogue catalogue = BuildActionKinds(lang);
    ASSERT_EQ(catalogue.Entries().size(), kCatalogue.size());
    for (std::size_t position = 0; position < kCatalogue.size(); ++position) {
        SCOPED_TRACE(testing::Message() << "position " << position);
        const Expected& e = kCatalogue[position];
        const TKvActionKind& entry = catalogue.Entries()[position];
        EXPECT_EQ(entry.Name, e.nameNumber == 213 ? u"#213 Tolvex" : Marker(e.nameNumber));
        EXPECT_EQ(static_cast<int>(entry.Kind), e.kind);
        EXPECT_EQ(entry.Images, e.images);
        std::vector<std::u16string> subItems;
        for (int n : e.subItemNumbers) subItems.push_back(Marker(n));
        EXPECT_EQ(entry.SubItems, subItems);
        EXPECT_EQ(catalogue.KindIndex(static_cast<ActionKind>(e.kind)), static_cast<int>(position));
        EXPECT_EQ(catalogue.Find(static_cast<ActionKind>(e.kind)), &entry);
    }
}

TEST(ActionKindsTest, UnknownKindsSortLastAndHaveNoEntry) {
    const ActionKindCatalogue empty;
    const ActionKindCatalogue built = BuildActionKinds(TKvLang());
    for (int kind : {0, 9, 14}) {
        EXPECT_EQ(empty.KindIndex(static_cast<ActionKind>(kind)), kActionKindCount);
        EXPECT_EQ(empty.Find(static_cast<ActionKind>(kind)), nullptr);
    }
    for (int kind : {15, 200, 255}) {
        EXPECT_EQ(built.KindIndex(static_cast<ActionKind>(kind)), kActionKindCount);
        EXPECT_EQ(built.Find(static_cast<ActionKind>(kind)), nullptr);
    }
}

// Without a language file the catalogue reads as the shipped English one.
TEST(ActionKindsTest, FallbackTextsAreTheEnglishTexts) {
    const fs::path english = fs::path(__FILE__).parent_path().parent_path().parent_path() / "Lang" / "en.txt";
    std::ifstream in(english, std::ios::binary);
    ASSERT_TRUE(in) << english;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    TKvLang lang;
    for (TKvLangItem& item : ParseLanguageFile(bytes.str())) lang.SetText(item.Number, std::move(item.Text));

    const ActionKindCatalogue fromFile = BuildActionKinds(lang);
    const ActionKindCatalogue fromFallbacks = BuildActionKinds(TKvLang());
    ASSERT_EQ(fromFile.Entries().size(), fromFallbacks.Entries().size());
    for (std::size_t i = 0; i < fromFile.Entries().size(); ++i) {
        EXPECT_EQ(Utf16ToUtf8(fromFallbacks.Entries()[i].Name), Utf16ToUtf8(fromFile.Entries()[i].Name));
        EXPECT_EQ(fromFallbacks.Entries()[i].SubItems, fromFile.Entries()[i].SubItems) << "position " << i;
    }
}

}  // namespace
}  // namespace kv
