#include <gtest/gtest.h>

#include "actions/text_conversion.h"
#include "keyboard_engine_fixture.h"
#include "platform/text.h"

namespace kv {
namespace {

TEST(TextConversionTest, SameKeysInTheNextLayout) {
    struct Case {
        LayoutHandle from, to;
        const char16_t* text;
        const char16_t* expected;
    };
    const Case cases[] = {
        {sim::kLayoutUs, sim::kLayoutRu, u"ghbdtn", u"привет"},
        {sim::kLayoutUs, sim::kLayoutRu, u"Ghbdtn!", u"Привет!"},
        {sim::kLayoutRu, sim::kLayoutUs, u"Привет, мир", u"Ghbdtn? vbh"},
        // Characters the old layout cannot type are kept.
        {sim::kLayoutUs, sim::kLayoutRu, u"ghbdtn мир 42 €", u"привет мир 42 €"},
        {sim::kLayoutUs, sim::kLayoutDe, u"yz[", u"zyü"},
        {sim::kLayoutDe, sim::kLayoutUs, u"züY", u"y[Z"},
        // A dead key gives its spacing form and does not change the next character.
        {sim::kLayoutUs, sim::kLayoutDe, u"`a", u"^a"},
        // AltGr has nothing at that position in the US layout: the character stays.
        {sim::kLayoutDe, sim::kLayoutUs, u"a@b", u"a@b"},
        {sim::kLayoutUs, sim::kLayoutFr, u"qa", u"aq"},
        {sim::kLayoutFr, sim::kLayoutUs, u"aq", u"qa"},
    };
    for (const Case& c : cases) {
        test::EngineWorld w({c.from, c.to});
        w.os.keyboard.SetLayoutOfThread(sim::SimForegroundApp::kThreadId, c.from);
        ASSERT_TRUE(w.Activate());
        ASSERT_EQ(w.Model().Layout(), c.from);
        const std::u16string converted =
            ConvertText(c.text, w.Model(), w.engine->Switcher(), w.os.keyboard);
        EXPECT_EQ(converted, c.expected) << Utf16ToUtf8(c.text);
        EXPECT_EQ(w.editor->Layout(), c.to) << "the application follows";
    }
}

}  // namespace
}  // namespace kv
