#include <gtest/gtest.h>

#include <stdexcept>

#include "keyboard/layout_char_cache.h"
#include "keyboard/layout_chars_ahead.h"
#include "sim_devices.h"

namespace kv {
namespace {

class FailingKeyboard : public sim::SimKeyboard {
public:
    int TranslateToUnicode(std::uint32_t, std::uint32_t, const std::uint8_t*, char16_t*, int, std::uint32_t,
                           LayoutHandle) override {
        throw std::runtime_error("no translation");
    }
};

TEST(LayoutCharsAheadTest, TheCacheTakesTheRecordComputedAheadOnlyForItsLayout) {
    sim::SimKeyboard keyboard;
    TKvLayoutChars expectedRu;
    TKvLayoutChars expectedUs;
    ComputeLayoutChars(keyboard, sim::kLayoutRu, expectedRu);
    ComputeLayoutChars(keyboard, sim::kLayoutUs, expectedUs);
    ASSERT_NE(expectedRu.Chars, expectedUs.Chars);

    LayoutCharsAhead ahead(keyboard, sim::kLayoutRu);
    const std::optional<TKvLayoutChars> computed = ahead.Take();
    ASSERT_TRUE(computed);
    EXPECT_EQ(computed->Chars, expectedRu.Chars);

    for (const bool singleSlot : {false, true}) {
        SCOPED_TRACE(singleSlot ? "one slot" : "a slot per layout");
        TKvLayoutCharCache cache;
        cache.Offer(*computed);
        const std::size_t before = keyboard.Translations();
        const std::size_t ru = cache.SlotFor(keyboard, sim::kLayoutRu, singleSlot);
        EXPECT_EQ(keyboard.Translations(), before) << "the record computed ahead is not computed again";
        EXPECT_EQ(cache.Record(ru).Layout, sim::kLayoutRu);
        EXPECT_EQ(cache.Record(ru).Chars, expectedRu.Chars);

        // Offered for one layout, asked for another: the other is computed, not mislabelled.
        cache.Offer(*computed);
        const std::size_t us = cache.SlotFor(keyboard, sim::kLayoutUs, singleSlot);
        EXPECT_GT(keyboard.Translations(), before);
        EXPECT_EQ(cache.Record(us).Chars, expectedUs.Chars);
    }
}

TEST(LayoutCharsAheadTest, AFailedComputationOffersNothing) {
    FailingKeyboard keyboard;
    LayoutCharsAhead ahead(keyboard, sim::kLayoutUs);
    EXPECT_FALSE(ahead.Take());
}

}  // namespace
}  // namespace kv
