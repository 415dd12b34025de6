#include "sim_keyboard_layouts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <set>
#include <string>

namespace kv::sim {
namespace {

// winuser.h values, written out because these tests build without Windows headers.
constexpr std::uint32_t VK_BACK = 0x08, VK_TAB = 0x09, VK_RETURN = 0x0D, VK_SHIFT = 0x10, VK_CONTROL = 0x11,
                        VK_MENU = 0x12, VK_CAPITAL = 0x14, VK_ESCAPE = 0x1B, VK_SPACE = 0x20, VK_F1 = 0x70,
                        VK_LSHIFT = 0xA0, VK_RSHIFT = 0xA1, VK_LCONTROL = 0xA2, VK_RCONTROL = 0xA3,
                        VK_LMENU = 0xA4, VK_RMENU = 0xA5, VK_OEM_1 = 0xBA, VK_OEM_PLUS = 0xBB,
                        VK_OEM_COMMA = 0xBC, VK_OEM_MINUS = 0xBD, VK_OEM_PERIOD = 0xBE, VK_OEM_2 = 0xBF,
                        VK_OEM_3 = 0xC0, VK_OEM_4 = 0xDB, VK_OEM_5 = 0xDC, VK_OEM_6 = 0xDD, VK_OEM_7 = 0xDE,
                        VK_OEM_8 = 0xDF, VK_OEM_102 = 0xE2;
constexpr std::uint32_t MAPVK_VK_TO_VSC = 0, MAPVK_VSC_TO_VK = 1, MAPVK_VK_TO_CHAR = 2, MAPVK_VSC_TO_VK_EX = 3;
constexpr std::uint32_t kKeepState = 0x4;

enum Mods : unsigned {
    kNone = 0,
    kShift = 1,
    kCtrl = 2,
    kAlt = 4,     // left Alt
    kRAlt = 8,    // right Alt alone (AltGr key without the synthetic Ctrl)
    kCaps = 16,   // CapsLock toggled on
    kAltGr = kCtrl | kAlt,
};

std::array<std::uint8_t, 256> MakeState(unsigned mods) {
    std::array<std::uint8_t, 256> state{};
    if (mods & kShift) state[VK_SHIFT] = state[VK_LSHIFT] = 0x80;
    if (mods & kCtrl) state[VK_CONTROL] = state[VK_LCONTROL] = 0x80;
    if (mods & kAlt) state[VK_MENU] = state[VK_LMENU] = 0x80;
    if (mods & kRAlt) state[VK_MENU] = state[VK_RMENU] = 0x80;
    if (mods & kCaps) state[VK_CAPITAL] = 0x01;
    return state;
}

struct Typed {
    int ret;
    std::u16string text;
};

Typed Press(SimKeyboardLayouts& kb, std::uint32_t hkl, std::uint32_t vk, unsigned mods, std::uint32_t flags = 0) {
    const auto state = MakeState(mods);
    char16_t buffer[8];
    std::fill(std::begin(buffer), std::end(buffer), u'\uAAAA');
    const std::uint32_t scan = kb.MapVirtualKeyEx(vk, MAPVK_VK_TO_VSC, hkl);
    const int ret = kb.ToUnicodeEx(vk, scan, state.data(), buffer, 8, flags, hkl);
    return {ret, std::u16string(buffer, static_cast<std::size_t>(ret < 0 ? -ret : ret))};
}

std::string Hex(const std::u16string& s) {
    std::string out;
    char cell[8];
    for (char16_t c : s) {
        std::snprintf(cell, sizeof cell, "%04X ", static_cast<unsigned>(c));
        out += cell;
    }
    return out;
}

const char* Name(std::uint32_t hkl) {
    switch (hkl) {
        case kLayoutUs: return "US";
        case kLayoutRu: return "RU";
        case kLayoutDe: return "DE";
        case kLayoutFr: return "FR";
        default: return "?";
    }
}

TEST(SimKeyboardLayouts, KnowsTheFourLayoutsInOrder) {
    const std::vector<std::uint32_t> expected{0x04090409, 0x04190419, 0x04070407, 0x040C040C};
    EXPECT_EQ(SimKeyboardLayouts::KnownLayouts(), expected);
    SimKeyboardLayouts kb;
    for (std::uint32_t hkl : expected) EXPECT_TRUE(kb.IsKnown(hkl)) << Name(hkl);
    EXPECT_FALSE(kb.IsKnown(0x04110411));
    EXPECT_FALSE(kb.IsKnown(0x0409));
}

// Scan code <-> VK pairs of Windows' layouts (KBDUS, KBDRU, KBDGR, KBDFR).
TEST(SimKeyboardLayouts, MapsScanCodesAndVirtualKeysBothWays) {
    struct Case {
        std::uint32_t hkl, scan, vk;
    };
    const Case cases[] = {
        {kLayoutUs, 0x10, 'Q'}, {kLayoutUs, 0x1E, 'A'}, {kLayoutUs, 0x2C, 'Z'}, {kLayoutUs, 0x02, '1'},
        {kLayoutUs, 0x0B, '0'}, {kLayoutUs, 0x29, VK_OEM_3}, {kLayoutUs, 0x0C, VK_OEM_MINUS},
        {kLayoutUs, 0x1A, VK_OEM_4}, {kLayoutUs, 0x27, VK_OEM_1}, {kLayoutUs, 0x2B, VK_OEM_5},
        {kLayoutUs, 0x35, VK_OEM_2}, {kLayoutUs, 0x56, VK_OEM_102}, {kLayoutUs, 0x39, VK_SPACE},
        {kLayoutUs, 0x1C, VK_RETURN}, {kLayoutUs, 0x0E, VK_BACK}, {kLayoutUs, 0x0F, VK_TAB},
        {kLayoutUs, 0x01, VK_ESCAPE},
        {kLayoutRu, 0x10, 'Q'}, {kLayoutRu, 0x29, VK_OEM_3}, {kLayoutRu, 0x27, VK_OEM_1},
        {kLayoutRu, 0x34, VK_OEM_PERIOD}, {kLayoutRu, 0x35, VK_OEM_2}, {kLayoutRu, 0x56, VK_OEM_102},
        {kLayoutDe, 0x15, 'Z'}, {kLayoutDe, 0x2C, 'Y'}, {kLayoutDe, 0x1A, VK_OEM_1}, {kLayoutDe, 0x1B, VK_OEM_PLUS},
        {kLayoutDe, 0x27, VK_OEM_3}, {kLayoutDe, 0x28, VK_OEM_7}, {kLayoutDe, 0x2B, VK_OEM_2},
        {kLayoutDe, 0x0C, VK_OEM_4}, {kLayoutDe, 0x0D, VK_OEM_6}, {kLayoutDe, 0x29, VK_OEM_5},
        {kLayoutDe, 0x35, VK_OEM_MINUS}, {kLayoutDe, 0x56, VK_OEM_102},
        {kLayoutFr, 0x10, 'A'}, {kLayoutFr, 0x1E, 'Q'}, {kLayoutFr, 0x11, 'Z'}, {kLayoutFr, 0x2C, 'W'},
        {kLayoutFr, 0x27, 'M'}, {kLayoutFr, 0x03, '2'}, {kLayoutFr, 0x0B, '0'}, {kLayoutFr, 0x32, VK_OEM_COMMA},
        {kLayoutFr, 0x33, VK_OEM_PERIOD}, {kLayoutFr, 0x34, VK_OEM_2}, {kLayoutFr, 0x35, VK_OEM_8},
        {kLayoutFr, 0x29, VK_OEM_7}, {kLayoutFr, 0x1A, VK_OEM_6}, {kLayoutFr, 0x1B, VK_OEM_1},
        {kLayoutFr, 0x28, VK_OEM_3}, {kLayoutFr, 0x2B, VK_OEM_5}, {kLayoutFr, 0x0C, VK_OEM_4},
        {kLayoutFr, 0x0D, VK_OEM_PLUS}, {kLayoutFr, 0x56, VK_OEM_102},
    };
    SimKeyboardLayouts kb;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << Name(c.hkl) << " scan 0x" << std::hex << c.scan);
        EXPECT_EQ(kb.MapVirtualKeyEx(c.scan, MAPVK_VSC_TO_VK, c.hkl), c.vk);
        EXPECT_EQ(kb.MapVirtualKeyEx(c.scan, MAPVK_VSC_TO_VK_EX, c.hkl), c.vk);
        EXPECT_EQ(kb.MapVirtualKeyEx(c.vk, MAPVK_VK_TO_VSC, c.hkl), c.scan);
    }
}

// Each layout puts every letter and digit VK on exactly one key of the typing block.
TEST(SimKeyboardLayouts, TypingBlockCarriesEachLetterAndDigitOnce) {
    SimKeyboardLayouts kb;
    for (std::uint32_t hkl : SimKeyboardLayouts::KnownLayouts()) {
        SCOPED_TRACE(Name(hkl));
        std::multiset<std::uint32_t> vks;
        for (std::uint32_t scan = 0x02; scan <= 0x56; ++scan) {
            if (scan > 0x35 && scan != 0x56) continue;
            const std::uint32_t vk = kb.MapVirtualKeyEx(scan, MAPVK_VSC_TO_VK, hkl);
            if (scan == 0x0E || scan == 0x0F || scan == 0x1C || scan == 0x1D || scan == 0x2A) continue;
            ASSERT_NE(vk, 0u) << "scan 0x" << std::hex << scan;
            EXPECT_EQ(kb.MapVirtualKeyEx(vk, MAPVK_VK_TO_VSC, hkl), scan);
            vks.insert(vk);
        }
        for (std::uint32_t vk = 'A'; vk <= 'Z'; ++vk) EXPECT_EQ(vks.count(vk), 1u) << char(vk);
        for (std::uint32_t vk = '0'; vk <= '9'; ++vk) EXPECT_EQ(vks.count(vk), 1u) << char(vk);
        EXPECT_EQ(vks.count(VK_OEM_102), 1u);
    }
}

TEST(SimKeyboardLayouts, MapVirtualKeyExTellsLeftFromRightOnlyWhenAsked) {
    struct Case {
        std::uint32_t code, type, expected;
    };
    const Case cases[] = {
        {0x2A, MAPVK_VSC_TO_VK, VK_SHIFT},       {0x36, MAPVK_VSC_TO_VK, VK_SHIFT},
        {0x2A, MAPVK_VSC_TO_VK_EX, VK_LSHIFT},   {0x36, MAPVK_VSC_TO_VK_EX, VK_RSHIFT},
        {0x1D, MAPVK_VSC_TO_VK, VK_CONTROL},     {0xE01D, MAPVK_VSC_TO_VK, VK_CONTROL},
        {0x1D, MAPVK_VSC_TO_VK_EX, VK_LCONTROL}, {0xE01D, MAPVK_VSC_TO_VK_EX, VK_RCONTROL},
        {0x38, MAPVK_VSC_TO_VK, VK_MENU},        {0xE038, MAPVK_VSC_TO_VK_EX, VK_RMENU},
        {0x3A, MAPVK_VSC_TO_VK, VK_CAPITAL},
        {VK_SHIFT, MAPVK_VK_TO_VSC, 0x2A},       {VK_LSHIFT, MAPVK_VK_TO_VSC, 0x2A},
        {VK_RSHIFT, MAPVK_VK_TO_VSC, 0x36},      {VK_CONTROL, MAPVK_VK_TO_VSC, 0x1D},
        {VK_MENU, MAPVK_VK_TO_VSC, 0x38},
        // MAPVK_VK_TO_VSC never returns the E0 prefix.
        {VK_RCONTROL, MAPVK_VK_TO_VSC, 0x1D},    {VK_RMENU, MAPVK_VK_TO_VSC, 0x38},
        // Codes no Windows layout assigns, and an unknown map type.
        {0x00, MAPVK_VSC_TO_VK, 0},              {0xE056, MAPVK_VSC_TO_VK_EX, 0},
        {0xE02A, MAPVK_VSC_TO_VK, 0},            {'A', 99, 0},
    };
    SimKeyboardLayouts kb;
    for (std::uint32_t hkl : SimKeyboardLayouts::KnownLayouts()) {
        for (const Case& c : cases) {
            EXPECT_EQ(kb.MapVirtualKeyEx(c.code, c.type, hkl), c.expected)
                << Name(hkl) << " code 0x" << std::hex << c.code << " type " << c.type;
        }
    }
    EXPECT_EQ(kb.MapVirtualKeyEx(0x1E, MAPVK_VSC_TO_VK, 0x04110411), 0u);
    EXPECT_EQ(kb.MapVirtualKeyEx('A', MAPVK_VK_TO_VSC, 0), 0u);
}

TEST(SimKeyboardLayouts, MapVirtualKeyExToCharGivesTheUnshiftedCharacter) {
    struct Case {
        std::uint32_t hkl, vk, expected;
    };
    const Case cases[] = {
        // A-Z give the VK itself, also where the key types Cyrillic.
        {kLayoutUs, 'A', 'A'}, {kLayoutRu, 'Q', 'Q'}, {kLayoutFr, 'Q', 'Q'},
        {kLayoutUs, VK_OEM_PERIOD, '.'}, {kLayoutRu, VK_OEM_PERIOD, 0x044E /* yu */},
        {kLayoutRu, VK_OEM_3, 0x0451 /* yo */}, {kLayoutDe, VK_OEM_1, 0x00FC}, {kLayoutDe, VK_OEM_4, 0x00DF},
        {kLayoutFr, '2', 0x00E9}, {kLayoutFr, '0', 0x00E0}, {kLayoutFr, VK_OEM_7, 0x00B2},
        // Dead keys have the top bit set.
        {kLayoutDe, VK_OEM_5, 0x8000005E}, {kLayoutDe, VK_OEM_6, 0x800000B4}, {kLayoutFr, VK_OEM_6, 0x8000005E},
        {kLayoutUs, VK_RETURN, 0x0D}, {kLayoutUs, VK_SPACE, 0x20}, {kLayoutDe, VK_BACK, 0x08},
        {kLayoutUs, VK_F1, 0}, {kLayoutUs, VK_SHIFT, 0}, {kLayoutUs, VK_OEM_8, 0},
    };
    SimKeyboardLayouts kb;
    for (const Case& c : cases) {
        EXPECT_EQ(kb.MapVirtualKeyEx(c.vk, MAPVK_VK_TO_CHAR, c.hkl), c.expected)
            << Name(c.hkl) << " vk 0x" << std::hex << c.vk;
    }
}

struct KeyCase {
    std::uint32_t hkl;
    std::uint32_t vk;
    unsigned mods;
    int ret;
    std::u16string text;
};

void ExpectKeys(const KeyCase* begin, const KeyCase* end) {
    for (const KeyCase* c = begin; c != end; ++c) {
        SimKeyboardLayouts kb;
        const Typed got = Press(kb, c->hkl, c->vk, c->mods);
        SCOPED_TRACE(testing::Message() << Name(c->hkl) << " vk 0x" << std::hex << c->vk << " mods " << c->mods);
        EXPECT_EQ(got.ret, c->ret);
        EXPECT_EQ(Hex(got.text), Hex(c->text));
    }
}

TEST(SimKeyboardLayouts, ToUnicodeExUs) {
    const KeyCase cases[] = {
        {kLayoutUs, 'A', kNone, 1, u"a"},
        {kLayoutUs, 'A', kShift, 1, u"A"},
        {kLayoutUs, '2', kShift, 1, u"@"},
        {kLayoutUs, VK_OEM_7, kShift, 1, u"\""},
        {kLayoutUs, VK_OEM_102, kNone, 1, u"\\"},
        {kLayoutUs, VK_OEM_102, kShift, 1, u"|"},
        // Alt alone selects nothing: Alt+A still types a (WM_SYSCHAR).
        {kLayoutUs, 'A', kAlt, 1, u"a"},
        {kLayoutUs, 'A', kShift | kAlt, 1, u"A"},
        {kLayoutUs, 'A', kRAlt, 1, u"a"},
        {kLayoutUs, 'A', kShift | kCtrl | kAlt, 0, u""},
        {kLayoutUs, 'Q', kAltGr, 0, u""},
        // Control characters.
        {kLayoutUs, 'A', kCtrl, 1, u"\x01"},
        {kLayoutUs, 'A', kShift | kCtrl, 1, u"\x01"},
        {kLayoutUs, 'Z', kCtrl, 1, u"\x1A"},
        {kLayoutUs, VK_OEM_4, kCtrl, 1, u"\x1B"},
        {kLayoutUs, VK_OEM_5, kCtrl, 1, u"\x1C"},
        {kLayoutUs, VK_OEM_6, kCtrl, 1, u"\x1D"},
        {kLayoutUs, '6', kShift | kCtrl, 1, u"\x1E"},
        {kLayoutUs, VK_OEM_MINUS, kShift | kCtrl, 1, u"\x1F"},
        {kLayoutUs, '2', kShift | kCtrl, 1, std::u16string(1, u'\0')},
        {kLayoutUs, '4', kCtrl, 0, u""},
        {kLayoutUs, VK_OEM_3, kCtrl, 0, u""},
        {kLayoutUs, VK_BACK, kNone, 1, u"\b"},
        {kLayoutUs, VK_BACK, kCtrl, 1, u"\x7F"},
        {kLayoutUs, VK_RETURN, kNone, 1, u"\r"},
        {kLayoutUs, VK_RETURN, kCtrl, 1, u"\n"},
        {kLayoutUs, VK_RETURN, kShift | kCtrl, 0, u""},
        {kLayoutUs, VK_ESCAPE, kNone, 1, u"\x1B"},
        {kLayoutUs, VK_TAB, kNone, 1, u"\t"},
        {kLayoutUs, VK_TAB, kCtrl, 0, u""},
        {kLayoutUs, VK_SPACE, kNone, 1, u" "},
        {kLayoutUs, VK_SPACE, kShift, 1, u" "},
        {kLayoutUs, VK_SPACE, kCtrl, 1, u" "},
        {kLayoutUs, VK_SHIFT, kShift, 0, u""},
        {kLayoutUs, VK_F1, kNone, 0, u""},
    };
    ExpectKeys(std::begin(cases), std::end(cases));
}

TEST(SimKeyboardLayouts, ToUnicodeExRu) {
    const KeyCase cases[] = {
        {kLayoutRu, 'Q', kNone, 1, u"й"},
        {kLayoutRu, 'Q', kShift, 1, u"Й"},
        {kLayoutRu, VK_OEM_3, kNone, 1, u"ё"},
        {kLayoutRu, VK_OEM_3, kShift, 1, u"Ё"},
        {kLayoutRu, VK_OEM_4, kNone, 1, u"х"},
        {kLayoutRu, VK_OEM_PERIOD, kShift, 1, u"Ю"},
        {kLayoutRu, '2', kShift, 1, u"\""},
        {kLayoutRu, '3', kShift, 1, u"№"},
        {kLayoutRu, '4', kShift, 1, u";"},
        {kLayoutRu, '6', kShift, 1, u":"},
        {kLayoutRu, '7', kShift, 1, u"?"},
        {kLayoutRu, VK_OEM_2, kNone, 1, u"."},
        {kLayoutRu, VK_OEM_2, kShift, 1, u","},
        {kLayoutRu, VK_OEM_5, kShift, 1, u"/"},
        {kLayoutRu, VK_OEM_102, kNone, 1, u"\\"},
        {kLayoutRu, '8', kRAlt, 1, u"₽"},
        {kLayoutRu, '8', kAltGr, 1, u"₽"},
        {kLayoutRu, 'Q', kAltGr, 0, u""},
        // Ctrl+key follows the VK even where the key types Cyrillic.
        {kLayoutRu, 'Q', kCtrl, 1, u"\x11"},
    };
    ExpectKeys(std::begin(cases), std::end(cases));
}

TEST(SimKeyboardLayouts, ToUnicodeExDe) {
    const KeyCase cases[] = {
        {kLayoutDe, VK_OEM_1, kNone, 1, u"ü"},
        {kLayoutDe, VK_OEM_1, kShift, 1, u"Ü"},
        {kLayoutDe, VK_OEM_3, kNone, 1, u"ö"},
        {kLayoutDe, VK_OEM_7, kNone, 1, u"ä"},
        {kLayoutDe, VK_OEM_4, kNone, 1, u"ß"},
        {kLayoutDe, VK_OEM_2, kNone, 1, u"#"},
        {kLayoutDe, VK_OEM_PLUS, kShift, 1, u"*"},
        {kLayoutDe, 'Y', kNone, 1, u"y"},
        {kLayoutDe, 'Z', kNone, 1, u"z"},
        {kLayoutDe, '3', kShift, 1, u"§"},
        {kLayoutDe, '7', kShift, 1, u"/"},
        {kLayoutDe, VK_OEM_5, kShift, 1, u"°"},
        {kLayoutDe, 'Q', kRAlt, 1, u"@"},
        {kLayoutDe, 'Q', kAltGr, 1, u"@"},
        {kLayoutDe, 'E', kRAlt, 1, u"€"},
        {kLayoutDe, '2', kRAlt, 1, u"²"},
        {kLayoutDe, '3', kRAlt, 1, u"³"},
        {kLayoutDe, '7', kRAlt, 1, u"{"},
        {kLayoutDe, '8', kRAlt, 1, u"["},
        {kLayoutDe, '9', kRAlt, 1, u"]"},
        {kLayoutDe, '0', kRAlt, 1, u"}"},
        {kLayoutDe, VK_OEM_4, kRAlt, 1, u"\\"},
        {kLayoutDe, VK_OEM_PLUS, kRAlt, 1, u"~"},
        {kLayoutDe, VK_OEM_102, kRAlt, 1, u"|"},
        {kLayoutDe, 'M', kRAlt, 1, u"µ"},
        {kLayoutDe, 'A', kRAlt, 0, u""},
        {kLayoutDe, 'Q', kShift | kRAlt, 0, u""},
        {kLayoutDe, 'Q', kCtrl, 1, u"\x11"},
        {kLayoutDe, VK_OEM_1, kCtrl, 1, u"\x1B"},
    };
    ExpectKeys(std::begin(cases), std::end(cases));
}

TEST(SimKeyboardLayouts, ToUnicodeExFr) {
    const KeyCase cases[] = {
        {kLayoutFr, 'A', kNone, 1, u"a"},
        {kLayoutFr, 'Q', kNone, 1, u"q"},
        {kLayoutFr, 'M', kNone, 1, u"m"},
        {kLayoutFr, '0', kRAlt, 1, u"@"},
        {kLayoutFr, '0', kAltGr, 1, u"@"},
        {kLayoutFr, '3', kRAlt, 1, u"#"},
        {kLayoutFr, '8', kRAlt, 1, u"\\"},
        {kLayoutFr, '9', kRAlt, 1, u"^"},
        {kLayoutFr, 'E', kRAlt, 1, u"€"},
        {kLayoutFr, VK_OEM_1, kRAlt, 1, u"¤"},
        {kLayoutFr, VK_OEM_4, kShift, 1, u"°"},
        {kLayoutFr, VK_OEM_3, kNone, 1, u"ù"},
        {kLayoutFr, VK_OEM_3, kShift, 1, u"%"},
        {kLayoutFr, VK_OEM_5, kShift, 1, u"µ"},
        {kLayoutFr, VK_OEM_COMMA, kShift, 1, u"?"},
        {kLayoutFr, VK_OEM_8, kNone, 1, u"!"},
        {kLayoutFr, VK_OEM_8, kShift, 1, u"§"},
        {kLayoutFr, VK_OEM_7, kNone, 1, u"²"},
        {kLayoutFr, VK_OEM_7, kShift, 0, u""},
        {kLayoutFr, VK_OEM_102, kShift, 1, u">"},
        {kLayoutFr, 'A', kCtrl, 1, u"\x01"},
        {kLayoutFr, VK_OEM_6, kCtrl, 1, u"\x1B"},
    };
    ExpectKeys(std::begin(cases), std::end(cases));
}

TEST(SimKeyboardLayouts, FrenchDigitRow) {
    const std::u16string unshifted = u"&é\"'(-è_çà";
    const std::uint32_t vks[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9', '0'};
    SimKeyboardLayouts kb;
    for (std::size_t i = 0; i < std::size(vks); ++i) {
        SCOPED_TRACE(static_cast<char>(vks[i]));
        EXPECT_EQ(Hex(Press(kb, kLayoutFr, vks[i], kNone).text), Hex(unshifted.substr(i, 1)));
        EXPECT_EQ(Hex(Press(kb, kLayoutFr, vks[i], kShift).text), Hex(std::u16string(1, char16_t(vks[i]))));
        EXPECT_EQ(kb.MapVirtualKeyEx(vks[i], MAPVK_VK_TO_VSC, kLayoutFr), 0x02 + (vks[i] == '0' ? 9 : vks[i] - '1'));
    }
}

TEST(SimKeyboardLayouts, CapsLock) {
    const KeyCase cases[] = {
        {kLayoutUs, 'A', kCaps, 1, u"A"},
        {kLayoutUs, 'A', kCaps | kShift, 1, u"a"},
        {kLayoutUs, '1', kCaps, 1, u"1"},
        {kLayoutUs, VK_OEM_4, kCaps, 1, u"["},
        {kLayoutUs, 'A', kCaps | kCtrl, 1, u"\x01"},
        {kLayoutRu, 'Q', kCaps, 1, u"Й"},
        {kLayoutRu, 'Q', kCaps | kShift, 1, u"й"},
        {kLayoutRu, VK_OEM_3, kCaps, 1, u"Ё"},
        {kLayoutRu, VK_OEM_2, kCaps, 1, u"."},
        {kLayoutRu, '4', kCaps, 1, u"4"},
        {kLayoutDe, VK_OEM_1, kCaps, 1, u"Ü"},
        {kLayoutDe, VK_OEM_7, kCaps | kShift, 1, u"ä"},
        {kLayoutDe, VK_OEM_4, kCaps, 1, u"ß"},
        {kLayoutDe, '1', kCaps, 1, u"1"},
        {kLayoutDe, 'Q', kCaps | kRAlt, 1, u"@"},
        {kLayoutDe, 'Q', kCaps | kAltGr, 1, u"@"},
        // KBDFR's CapsLock works as a shift lock on the whole block but the 2-superscript and < keys.
        {kLayoutFr, 'A', kCaps, 1, u"A"},
        {kLayoutFr, '2', kCaps, 1, u"2"},
        {kLayoutFr, '2', kCaps | kShift, 1, u"é"},
        {kLayoutFr, VK_OEM_3, kCaps, 1, u"%"},
        {kLayoutFr, VK_OEM_7, kCaps, 1, u"²"},
        {kLayoutFr, VK_OEM_102, kCaps, 1, u"<"},
        {kLayoutFr, '0', kCaps | kRAlt, 1, u"@"},
    };
    ExpectKeys(std::begin(cases), std::end(cases));
}

struct Stroke {
    std::uint32_t vk;
    unsigned mods;
};

TEST(SimKeyboardLayouts, DeadKeys) {
    struct Case {
        const char* what;
        std::uint32_t hkl;
        Stroke dead;
        char16_t spacing;
        Stroke next;
        int ret;
        std::u16string text;
    };
    const Case cases[] = {
        {"^ e", kLayoutDe, {VK_OEM_5, kNone}, u'^', {'E', kNone}, 1, u"ê"},
        {"^ E", kLayoutDe, {VK_OEM_5, kNone}, u'^', {'E', kShift}, 1, u"Ê"},
        {"^ space", kLayoutDe, {VK_OEM_5, kNone}, u'^', {VK_SPACE, kNone}, 1, u"^"},
        {"^ x", kLayoutDe, {VK_OEM_5, kNone}, u'^', {'X', kNone}, 2, u"^x"},
        {"^ ^", kLayoutDe, {VK_OEM_5, kNone}, u'^', {VK_OEM_5, kNone}, 2, u"^^"},
        {"^ ´", kLayoutDe, {VK_OEM_5, kNone}, u'^', {VK_OEM_6, kNone}, 2, u"^´"},
        {"´ a", kLayoutDe, {VK_OEM_6, kNone}, u'´', {'A', kNone}, 1, u"á"},
        {"´ y", kLayoutDe, {VK_OEM_6, kNone}, u'´', {'Y', kNone}, 1, u"ý"},
        {"´ space", kLayoutDe, {VK_OEM_6, kNone}, u'´', {VK_SPACE, kNone}, 1, u"´"},
        {"` e", kLayoutDe, {VK_OEM_6, kShift}, u'`', {'E', kNone}, 1, u"è"},
        {"` U", kLayoutDe, {VK_OEM_6, kShift}, u'`', {'U', kShift}, 1, u"Ù"},
        {"^ 1", kLayoutDe, {VK_OEM_5, kNone}, u'^', {'1', kNone}, 2, u"^1"},
        {"^ e", kLayoutFr, {VK_OEM_6, kNone}, u'^', {'E', kNone}, 1, u"ê"},
        {"^ o (caps)", kLayoutFr, {VK_OEM_6, kNone}, u'^', {'O', kCaps}, 1, u"Ô"},
        {"¨ e", kLayoutFr, {VK_OEM_6, kShift}, u'¨', {'E', kNone}, 1, u"ë"},
        {"¨ y", kLayoutFr, {VK_OEM_6, kShift}, u'¨', {'Y', kNone}, 1, u"ÿ"},
        {"¨ space", kLayoutFr, {VK_OEM_6, kShift}, u'¨', {VK_SPACE, kNone}, 1, u"¨"},
        {"^ z", kLayoutFr, {VK_OEM_6, kNone}, u'^', {'Z', kNone}, 2, u"^z"},
        {"~ n", kLayoutFr, {'2', kRAlt}, u'~', {'N', kNone}, 1, u"ñ"},
        {"~ space", kLayoutFr, {'2', kAltGr}, u'~', {VK_SPACE, kNone}, 1, u"~"},
        {"` a", kLayoutFr, {'7', kRAlt}, u'`', {'A', kNone}, 1, u"à"},
        {"` é", kLayoutFr, {'7', kRAlt}, u'`', {'2', kNone}, 2, u"`é"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << Name(c.hkl) << " " << c.what);
        SimKeyboardLayouts kb;
        const Typed first = Press(kb, c.hkl, c.dead.vk, c.dead.mods);
        EXPECT_EQ(first.ret, -1);
        EXPECT_EQ(Hex(first.text), Hex(std::u16string(1, c.spacing)));
        const Typed second = Press(kb, c.hkl, c.next.vk, c.next.mods);
        EXPECT_EQ(second.ret, c.ret);
        EXPECT_EQ(Hex(second.text), Hex(c.text));
        // The sequence is over: the key now behaves as on a fresh keyboard.
        SimKeyboardLayouts fresh;
        const Typed alone = Press(fresh, c.hkl, c.next.vk, c.next.mods);
        const Typed again = Press(kb, c.hkl, c.next.vk, c.next.mods);
        EXPECT_EQ(again.ret, alone.ret);
        EXPECT_EQ(Hex(again.text), Hex(alone.text));
    }
}

TEST(SimKeyboardLayouts, DeadKeyWaitsThroughKeysWithoutCharacters) {
    SimKeyboardLayouts kb;
    EXPECT_EQ(Press(kb, kLayoutDe, VK_OEM_5, kNone).ret, -1);
    EXPECT_EQ(Press(kb, kLayoutDe, VK_LSHIFT, kShift).ret, 0);
    EXPECT_EQ(Press(kb, kLayoutDe, VK_F1, kNone).ret, 0);
    EXPECT_EQ(Hex(Press(kb, kLayoutDe, 'O', kShift).text), Hex(u"Ô"));
}

TEST(SimKeyboardLayouts, NoStateChangeFlagLeavesTheDeadKeyAlone) {
    SimKeyboardLayouts kb;
    // Peeking at a dead key does not arm it.
    EXPECT_EQ(Press(kb, kLayoutDe, VK_OEM_5, kNone, kKeepState).ret, -1);
    EXPECT_EQ(Hex(Press(kb, kLayoutDe, 'E', kNone).text), Hex(u"e"));
    // Peeking after an armed dead key shows the combination but keeps it armed.
    EXPECT_EQ(Press(kb, kLayoutDe, VK_OEM_5, kNone).ret, -1);
    EXPECT_EQ(Hex(Press(kb, kLayoutDe, 'E', kNone, kKeepState).text), Hex(u"ê"));
    EXPECT_EQ(Hex(Press(kb, kLayoutDe, 'A', kNone).text), Hex(u"â"));
    EXPECT_EQ(Hex(Press(kb, kLayoutDe, 'A', kNone).text), Hex(u"a"));
}

TEST(SimKeyboardLayouts, DeadKeyStateBelongsToTheInstance) {
    SimKeyboardLayouts first, second;
    EXPECT_EQ(Press(first, kLayoutFr, VK_OEM_6, kShift).ret, -1);
    EXPECT_EQ(Hex(Press(second, kLayoutFr, 'I', kNone).text), Hex(u"i"));
    EXPECT_EQ(Hex(Press(first, kLayoutFr, 'I', kNone).text), Hex(u"ï"));
}

TEST(SimKeyboardLayouts, ToUnicodeExArgumentsAndBuffer) {
    SimKeyboardLayouts kb;
    const auto state = MakeState(kNone);
    char16_t buffer[4] = {u'x', u'x', u'x', u'x'};
    EXPECT_EQ(kb.ToUnicodeEx('A', 0x1E, state.data(), buffer, 4, 0, kLayoutUs), 1);
    EXPECT_EQ(buffer[0], u'a');
    EXPECT_EQ(buffer[1], u'\0');  // terminated when there is room
    EXPECT_EQ(kb.ToUnicodeEx('A', 0x1E, nullptr, buffer, 4, 0, kLayoutUs), 0);
    EXPECT_EQ(kb.ToUnicodeEx('A', 0x1E | 0x8000, state.data(), buffer, 4, 0, kLayoutUs), 0);
    EXPECT_EQ(kb.ToUnicodeEx('A', 0x1E, state.data(), buffer, 4, 0, 0x04110411), 0);
    EXPECT_EQ(kb.ToUnicodeEx(0x141, 0x1E, state.data(), buffer, 4, 0, kLayoutUs), 0);
}

// Every character a layout produces from one key press, found by trying every VK with every
// modifier column, CapsLock off.  Dead keys count with their spacing character.
std::set<char16_t> Typeable(std::uint32_t hkl) {
    static const unsigned kColumns[] = {kNone, kShift, kCtrl, kShift | kCtrl, kAltGr, kShift | kAltGr};
    SimKeyboardLayouts kb;
    std::set<char16_t> chars;
    for (std::uint32_t vk = 1; vk < 0xFF; ++vk) {
        for (unsigned mods : kColumns) {
            const Typed t = Press(kb, hkl, vk, mods, kKeepState);
            if (t.ret == 1 || t.ret == -1) chars.insert(t.text[0]);
        }
    }
    return chars;
}

TEST(SimKeyboardLayouts, VkKeyScanExRoundTripsEveryTypeableCharacter) {
    SimKeyboardLayouts kb;
    for (std::uint32_t hkl : SimKeyboardLayouts::KnownLayouts()) {
        const std::set<char16_t> chars = Typeable(hkl);
        for (char16_t ch : chars) {
            SCOPED_TRACE(testing::Message() << Name(hkl) << " U+" << std::hex << unsigned(ch));
            const std::int16_t scan = kb.VkKeyScanEx(ch, hkl);
            ASSERT_NE(scan, -1);
            const unsigned state = (static_cast<std::uint16_t>(scan) >> 8) & 0xFF;
            ASSERT_TRUE(state == 0 || state == 1 || state == 2 || state == 3 || state == 6 || state == 7) << state;
            const unsigned mods = ((state & 1) ? kShift : 0u) | ((state & 2) ? kCtrl : 0u) | ((state & 4) ? kAlt : 0u);
            const Typed t = Press(kb, hkl, scan & 0xFF, mods, kKeepState);
            EXPECT_TRUE(t.ret == 1 || t.ret == -1) << t.ret;
            EXPECT_EQ(Hex(t.text), Hex(std::u16string(1, ch)));
        }
        // Nothing outside that set is claimed to be typeable.
        for (char32_t ch = 0; ch < 0x3000; ++ch) {
            if (!chars.count(static_cast<char16_t>(ch))) {
                EXPECT_EQ(kb.VkKeyScanEx(static_cast<char16_t>(ch), hkl), -1)
                    << Name(hkl) << " U+" << std::hex << unsigned(ch);
            }
        }
    }
}

TEST(SimKeyboardLayouts, TypeableRepertoire) {
    const std::set<char16_t> us = Typeable(kLayoutUs), ru = Typeable(kLayoutRu), de = Typeable(kLayoutDe),
                             fr = Typeable(kLayoutFr);
    for (char16_t ch = 0x20; ch < 0x7F; ++ch) {
        EXPECT_TRUE(us.count(ch)) << "US " << char(ch);
        EXPECT_TRUE(de.count(ch)) << "DE " << char(ch);
        EXPECT_TRUE(fr.count(ch)) << "FR " << char(ch);
    }
    for (char16_t ch = u'А'; ch <= u'я'; ++ch) EXPECT_TRUE(ru.count(ch)) << "RU U+" << std::hex << unsigned(ch);
    EXPECT_TRUE(ru.count(u'ё') && ru.count(u'Ё') && ru.count(u'№') && ru.count(u'₽'));
    for (char16_t ch : std::u16string(u"äöüÄÖÜß§°²³€µ´")) EXPECT_TRUE(de.count(ch)) << "DE U+" << std::hex << unsigned(ch);
    for (char16_t ch : std::u16string(u"éèçàùµ£¤§°²¨€")) EXPECT_TRUE(fr.count(ch)) << "FR U+" << std::hex << unsigned(ch);
    for (char16_t ch = u'A'; ch <= u'Z'; ++ch) {
        EXPECT_FALSE(ru.count(ch)) << "RU " << char(ch);
        EXPECT_FALSE(ru.count(ch + 0x20)) << "RU " << char(ch + 0x20);
    }
    EXPECT_FALSE(us.count(u'é'));
    EXPECT_FALSE(us.count(u'€'));
}

TEST(SimKeyboardLayouts, VkKeyScanEx) {
    struct Case {
        std::uint32_t hkl;
        char16_t ch;
        std::int16_t expected;
    };
    const Case cases[] = {
        {kLayoutUs, u'a', 0x0041}, {kLayoutUs, u'A', 0x0141}, {kLayoutUs, u'@', 0x0132},
        {kLayoutUs, u'\\', 0x00DC},  // the backslash key, not the 102nd key
        {kLayoutUs, u' ', 0x0020}, {kLayoutUs, u'\r', 0x000D}, {kLayoutUs, u'\n', 0x020D},
        {kLayoutUs, u'\b', 0x0008}, {kLayoutUs, u'\t', 0x0009}, {kLayoutUs, 0x1B, 0x001B},
        {kLayoutUs, 0x01, 0x0241}, {kLayoutUs, 0x1A, 0x025A}, {kLayoutUs, 0x1C, 0x02DC},
        {kLayoutUs, u'é', -1}, {kLayoutUs, u'€', -1},
        {kLayoutRu, u'й', 0x0051}, {kLayoutRu, u'Ё', 0x01C0}, {kLayoutRu, u'№', 0x0133},
        {kLayoutRu, u'.', 0x00BF}, {kLayoutRu, u'₽', 0x0638}, {kLayoutRu, u'a', -1},
        {kLayoutDe, u'y', 0x0059}, {kLayoutDe, u'z', 0x005A}, {kLayoutDe, u'@', 0x0651}, {kLayoutDe, u'€', 0x0645},
        {kLayoutDe, u'~', 0x06BB}, {kLayoutDe, u'ß', 0x00DB},
        {kLayoutDe, u'^', 0x00DC}, {kLayoutDe, u'´', 0x00DD}, {kLayoutDe, u'`', 0x01DD},  // dead keys
        {kLayoutDe, u'ê', -1}, {kLayoutDe, u'á', -1},
        {kLayoutFr, u'a', 0x0041}, {kLayoutFr, u'q', 0x0051}, {kLayoutFr, u'2', 0x0132}, {kLayoutFr, u'é', 0x0032},
        {kLayoutFr, u'@', 0x0630}, {kLayoutFr, u'~', 0x0632}, {kLayoutFr, u'¨', 0x01DD},
        {kLayoutFr, u'^', 0x00DD},  // the dead key beats AltGr+9
        {kLayoutFr, u'ê', -1}, {kLayoutFr, u'ë', -1},
        {0x04110411, u'a', -1},
    };
    SimKeyboardLayouts kb;
    for (const Case& c : cases) {
        EXPECT_EQ(kb.VkKeyScanEx(c.ch, c.hkl), c.expected) << Name(c.hkl) << " U+" << std::hex << unsigned(c.ch);
    }
}

}  // namespace
}  // namespace kv::sim
