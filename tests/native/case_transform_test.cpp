#include <gtest/gtest.h>

#include "actions/case_transform.h"
#include "platform/text.h"
#include "sim_platform.h"

namespace kv {
namespace {

TEST(CaseTransformTest, ModesOnLatinAndCyrillicText) {
    struct Case {
        int mode;
        const char16_t* text;
        const char16_t* expected;
    };
    const Case cases[] = {
        {4, u"Hello world. bye", u"HELLO WORLD. BYE"},
        {5, u"Hello World. BYE", u"hello world. bye"},
        {6, u"Hello world. bye", u"hELLO WORLD. BYE"},
        {7, u"Hello world. bye", u"Hello world. Bye"},
        {8, u"Hello world. bye", u"Hello World. Bye"},
        {7, u"one. two!three?  four", u"One. Two!Three?  Four"},
        {7, u"end.\r\nnext", u"End.\r\nnext"},  // the line break uses up the capital
        {8, u"  leading spaces", u"  Leading Spaces"},
        {4, u"привет, мир", u"ПРИВЕТ, МИР"},
        {6, u"Привет МИР", u"пРИВЕТ мир"},
        {7, u"привет. пока", u"Привет. Пока"},
        {5, u"ΑΘΗΝΑ 2024", u"αθηνα 2024"},
        // Windows maps each character alone: no final sigma at a word's end, and ς stays ς.
        {5, u"ΟΔΥΣΣΕΑΣ", u"οδυσσεασ"},
        {4, u"οδυσσέας", u"ΟΔΥΣΣΈΑς"},
        {6, u"Σς", u"σς"},
        {3, u"Unchanged", u"Unchanged"},
    };
    sim::SimPlatform os;
    for (const Case& c : cases) {
        EXPECT_EQ(TransformCase(c.mode, c.text, os.desktop), c.expected) << c.mode << " " << Utf16ToUtf8(c.text);
    }
}

}  // namespace
}  // namespace kv
