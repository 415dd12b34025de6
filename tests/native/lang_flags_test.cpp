#include <gtest/gtest.h>

#include <cstdint>
#include <set>

#include "resources/lang_flags.h"
#include "resources/language_list.h"
#include "sim_platform.h"

namespace kv {
namespace {

TEST(LangFlagsTest, LayoutHandlesAndLanguageIdsGiveTheFlagOfTheirLanguage) {
    struct Case {
        std::uint32_t value;
        int flag;
        const char* what;
    };
    const Case cases[] = {
        {0x0409, 1, "English (United States)"},
        {0x04090409, 1, "the US layout handle"},
        {0xF0020409, 1, "a US variant layout: only the low word counts"},
        {0x0809, 2, "English (United Kingdom)"},
        {0x08090809, 2, "the UK layout handle"},
        {0x0416, 26, "Portuguese (Brazil)"},
        {0x04160416, 26, "the Brazilian layout handle"},
        {0x0816, 27, "Portuguese (Portugal)"},
        {25, 29, "a bare primary language: Russian"},
        {0x04190419, 29, "the Russian layout handle"},
        {0x042B, 0, "Armenian"},
        {0x042B042B, 0, "the Armenian layout handle"},
        {0, 0, "no language"},
        {0x0407, 15, "German"},
        {0x0807, 15, "German (Switzerland) shares the primary language"},
        {0x0C0C, 14, "French (Canada)"},
        {0x040A, 32, "Spanish"},
        {0x041A, 40, "Croatian"},
        {0x081A, 40, "Serbian (Latin)"},
        {0x141A, 40, "Bosnian"},
        {0x0440, 21, "Kyrgyz"},
        {0x045A, 39, "Syriac"},
        {0x0843, 36, "Uzbek (Cyrillic)"},
        {0x0109, 2, "only the low byte is the primary language"},
    };
    for (const Case& c : cases) EXPECT_EQ(int(LangFlagIndex(c.value)), c.flag) << c.what;
}

TEST(LangFlagsTest, EveryFlagBelongsToOneLanguageOfTheTable) {
    // (primary language, flag) for the rows matched by primary language.
    const std::pair<std::uint8_t, int> rows[] = {
        {0x09, 2},  {0x1C, 3},  {0x01, 4},  {0x23, 5},  {0x02, 6},  {0x03, 7},  {0x04, 8},  {0x05, 9},
        {0x06, 10}, {0x13, 11}, {0x25, 12}, {0x0B, 13}, {0x0C, 14}, {0x07, 15}, {0x08, 16}, {0x0E, 17},
        {0x10, 18}, {0x11, 19}, {0x12, 20}, {0x40, 21}, {0x26, 22}, {0x27, 23}, {0x14, 24}, {0x15, 25},
        {0x16, 27}, {0x18, 28}, {0x19, 29}, {0x1B, 30}, {0x24, 31}, {0x0A, 32}, {0x1D, 33}, {0x1F, 34},
        {0x22, 35}, {0x43, 36}, {0x2A, 37}, {0x0D, 38}, {0x5A, 39}, {0x1A, 40},
    };
    for (const auto& [primary, flag] : rows) {
        EXPECT_EQ(int(LangFlagIndex(primary)), flag) << std::hex << int(primary);
        EXPECT_EQ(int(LangFlagIndex(0x0800u | primary)), flag) << "second sub-language of " << std::hex << int(primary);
    }

    std::set<int> reached;
    for (std::uint32_t id = 0; id <= 0xFFFF; ++id) {
        const int flag = LangFlagIndex(id);
        ASSERT_LT(flag, kLangFlagCount) << id;
        reached.insert(flag);
    }
    EXPECT_EQ(reached.size(), static_cast<std::size_t>(kLangFlagCount)) << "some flag image is never chosen";
}

TEST(LangFlagsTest, TheLanguageListShowsEachFileWithItsFlag) {
    sim::SimPlatform os;
    os.InstallLanguages();

    const auto list = BuildLanguageList(os.files, LanguageFolder(sim::SimPlatform::kAppFolder), LangFlagIndex);

    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].FileName, u"en");
    EXPECT_EQ(int(list[0].FlagIndex), 1) << "1033 is English (United States)";
    EXPECT_EQ(list[1].FileName, u"ru");
    EXPECT_EQ(int(list[1].FlagIndex), 29) << "1049 is Russian";
}

}  // namespace
}  // namespace kv
