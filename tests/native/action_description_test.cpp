// What the actions menu says about an action.
#include <gtest/gtest.h>

#include <string>

#include "actions/action_description.h"
#include "actions/layout_text.h"
#include "platform/text.h"
#include "resources/kv_lang.h"
#include "sim_platform.h"

namespace kv {
namespace {

TEST(ActionDescriptionTest, NamesComeFromTheCatalogueOrTheActionsText) {
    sim::SimPlatform os;
    const ActionKindCatalogue kinds = BuildActionKinds(TKvLang());
    const std::u16string longText(450, u'x');
    struct Case {
        int kind, subKind;
        std::u16string text;
        std::u16string description;
    };
    const Case cases[] = {
        {9, 0, u"", u"Convert Last Typed Text"},
        {9, 8, u"", u"Capitalize Each Word of Selected Text"},
        {9, 9, u"", u""},  // beyond the sub-items
        {8, 4, u"", u"On-Screen Keyboard"},
        {0, 0, u"", u"None"},
        {1, 5, u"", u"Block Key"},  // a kind without sub-items is named by the kind
        {7, 0, u"macro", u"Play Macro"},
        {3, 0, u"http://example.org", u"http://example.org"},
        {4, 0, longText, longText.substr(0, 400)},
        {6, 2, u"", u""},
        {15, 0, u"", u""},  // not in the catalogue
        {9, 3, u"67699721", u"Switch to Layout - English (United States) 04090409"},
        {9, 3, u"-255851511", u"Switch to Layout - English (United States) F0C00409"},
        {9, 3, u"68748313", u"Switch to Layout - Russian 04190419"},
        {9, 3, u"layout", u"Switch to Layout -  00000000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " sub " << c.subKind << " text " << Utf16ToUtf8(c.text));
        TKvAction action(65, 0);
        action.SetKind(static_cast<ActionKind>(c.kind));
        action.SetSubKind(static_cast<std::uint8_t>(c.subKind));
        action.SetText(c.text);
        EXPECT_EQ(ActionDescription(action, kinds, os.desktop), c.description);
    }
}

TEST(ActionDescriptionTest, LayoutTextIsASigned32BitDecimalNumber) {
    struct Case {
        std::u16string text;
        LayoutHandle layout;
    };
    const Case cases[] = {
        {u"67699721", 0x04090409},      {u"+67699721", 0x04090409},   {u"-255851511", 0xF0C00409},
        {u"-2147483648", 0x80000000},   {u"2147483647", 0x7FFFFFFF},  {u"2147483648", 0},
        {u"-2147483649", 0},            {u"99999999999999999999", 0}, {u"", 0},
        {u"-", 0},                      {u"12a", 0},                  {u" 12", 0},
        {u"0x0409", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LayoutFromText(c.text), c.layout) << Utf16ToUtf8(c.text);
    }
}

class FixedHotkeyText : public IHotkeyTextSource {
public:
    std::u16string HotkeyText(std::uint8_t key, std::uint16_t mods) const override {
        return u"key " + Utf8ToUtf16(std::to_string(key)) + u" mods " + Utf8ToUtf16(std::to_string(mods));
    }
};

TEST(ActionDescriptionTest, HotkeyTextIsTheKeyboardModelsTextOfTheActionsHotkey) {
    EXPECT_EQ(ActionHotkeyText(TKvAction(191, 0x80), FixedHotkeyText()), u"key 191 mods 128");
}

}  // namespace
}  // namespace kv
