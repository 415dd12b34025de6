// The simulation changes case as CharUpperBuffW and CharLowerBuffW do (the table of Wine 8,
// which follows Windows, was compared character by character), so a case story on the
// simulation checks what a user on Windows sees.
#include <gtest/gtest.h>

#include "sim_case_mapping.h"

namespace kv::sim {
namespace {

TEST(SimCaseMappingTest, EachCharacterOnItsOwnAsWindowsMapsIt) {
    struct Case {
        char16_t c;
        char16_t lower;
        char16_t upper;
        const char* why;
    };
    for (const Case& k : {Case{u'Σ', u'σ', u'Σ', "no context: never the final sigma"},
                          Case{u'ς', u'ς', u'ς', "the final sigma keeps its case"},
                          Case{u'σ', u'σ', u'Σ', ""},
                          Case{u'Ά', u'ά', u'Ά', ""},
                          Case{u'Ÿ', u'ÿ', u'Ÿ', "its small letter lies below it"},
                          Case{u'ÿ', u'ÿ', u'Ÿ', ""},
                          Case{u'I', u'i', u'I', "not the dotless i"},
                          Case{u'ı', u'ı', u'ı', "the dotless i keeps its case"},
                          Case{u'µ', u'µ', u'µ', "the micro sign is no Greek mu"},
                          Case{u'M', u'm', u'M', ""},
                          Case{u'Ё', u'ё', u'Ё', ""},
                          Case{u'ß', u'ß', u'ß', "one character never becomes two"},
                          Case{u'7', u'7', u'7', ""}}) {
        EXPECT_EQ(WindowsLowerCase(k.c), k.lower) << static_cast<int>(k.c) << " " << k.why;
        EXPECT_EQ(WindowsUpperCase(k.c), k.upper) << static_cast<int>(k.c) << " " << k.why;
    }
}

TEST(SimCaseMappingTest, EveryCapitalLowersToTheLetterItCameFrom) {
    for (char32_t c = 1; c <= 0x052F; ++c) {
        const auto small = static_cast<char16_t>(c);
        const char16_t capital = WindowsUpperCase(small);
        if (capital == small) continue;
        EXPECT_EQ(WindowsLowerCase(capital), small) << std::hex << static_cast<int>(c);
        EXPECT_EQ(WindowsUpperCase(capital), capital) << std::hex << static_cast<int>(c);
    }
}

}  // namespace
}  // namespace kv::sim
