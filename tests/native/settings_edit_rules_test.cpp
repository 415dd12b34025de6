// The enable and matching rules of the settings window, apart from its controls: which caret-flag
// boxes can be used, and how the sound box shows an event's stored sound and turns the user's
// choice back into one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/text.h"
#include "settings/settings_edits.h"

namespace kv {
namespace {

TEST(CaretFlagRule, TheSubordinateBoxesFollowTheFlagAndTheOnChangeBox) {
    struct Case {
        bool showFlag;
        bool onlyOnChange;
        CaretFlagBoxes expected;
    };
    const Case cases[] = {
        {false, false, {false, false}},
        {false, true, {false, false}},
        {true, false, {true, true}},
        {true, true, {true, false}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CaretFlagBoxStates(c.showFlag, c.onlyOnChange), c.expected)
            << "flag " << c.showFlag << ", only on change " << c.onlyOnChange;
    }
}

const std::vector<std::u16string> kChoices{u"(none)", u"Type1", u"Type2", u"Click"};

TEST(SoundBox, AStoredSoundShowsAsItsEntryOrAsTypedText) {
    struct Case {
        std::u16string stored;
        SoundBoxState expected;
    };
    const Case cases[] = {
        {u"", {0, u""}},
        {u"Type1", {1, u""}},
        {u"Click", {3, u""}},
        // The "no sound" entry's text is no sound of the folder.
        {u"(none)", {-1, u"(none)"}},
        {u"D:\\Other\\x.wav", {-1, u"D:\\Other\\x.wav"}},
        // Case matters, as in the folder's listing.
        {u"type1", {-1, u"type1"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SoundBoxFor(kChoices, c.stored), c.expected) << Utf16ToUtf8(c.stored);
    }
    EXPECT_EQ(SoundBoxFor({}, u"Type1"), (SoundBoxState{-1, u"Type1"})) << "no choices at all";
}

TEST(SoundBox, TheChoiceBecomesTheEntryTheTypedTextOrNoSound) {
    struct Case {
        int index;
        std::u16string typed;
        std::u16string expected;
    };
    const Case cases[] = {
        {0, u"(none)", u""},
        {0, u"C:\\x.wav", u""},
        {1, u"", u"Type1"},
        {3, u"whatever", u"Click"},
        {-1, u"C:\\x.wav", u"C:\\x.wav"},
        {-1, u"", u""},
        {4, u"C:\\y.wav", u"C:\\y.wav"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SoundFromBox(kChoices, c.index, c.typed), c.expected)
            << "index " << c.index << ", typed " << Utf16ToUtf8(c.typed);
    }
}

TEST(SoundBox, WhatTheBoxShowsGivesBackTheStoredSound) {
    for (const std::u16string& stored : {u"", u"Type2", u"Click", u"D:\\Other\\x.wav"}) {
        const SoundBoxState shown = SoundBoxFor(kChoices, stored);
        const std::u16string typed = shown.index >= 0 ? kChoices[static_cast<std::size_t>(shown.index)] : shown.text;
        EXPECT_EQ(SoundFromBox(kChoices, shown.index, typed), stored) << Utf16ToUtf8(stored);
    }
}

}  // namespace
}  // namespace kv
