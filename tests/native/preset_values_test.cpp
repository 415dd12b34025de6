#include <gtest/gtest.h>

#include <optional>

#include "platform/text.h"
#include "settings/disabled_layouts.h"
#include "common/hotkey_code.h"
#include "settings/start_with_windows.h"
#include "settings/web_address.h"
#include "sim_registry.h"

namespace kv {
namespace {

TEST(HotkeyCodeTest, EncodingKeepsKeyAndModifiersApart) {
    struct Case {
        std::uint8_t key;
        std::uint16_t modifiers;
        HotkeyCode code;
    };
    using namespace hotkey_mod;
    const Case cases[] = {
        {0, 0, 0},
        {0, kLeftWin | kLeftShift, 36864},
        {163, 0, 163},
        {160, 0, 160},
        {38, kLeftWin, 32806},
        {40, kLeftWin, 32808},
        {191, kLeftWin, 0x80BF},
        {65, kRightCtrl | kRightAlt, 0x0641},
        {255, 0xFF, 0xFFFF},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EncodeHotkey(c.key, c.modifiers), c.code);
        EXPECT_EQ(DecodeHotkey(c.code), (DecodedHotkey{c.key, c.modifiers})) << c.code;
    }
}

TEST(WebAddressTest, GermanAndRussianGetTheirHost) {
    struct Case {
        std::int32_t language;
        std::u16string_view address;
        std::u16string_view expected;
    };
    const Case cases[] = {
        {7, u"http://www.orlenta.com/a", u"http://de.orlenta.com/a"},
        {1031, u"http://www.orlenta.com/a", u"http://de.orlenta.com/a"},
        {25, u"http://www.orlenta.com/a", u"http://ru.orlenta.com/a"},
        {1049, u"http://www.orlenta.com/a", u"http://ru.orlenta.com/a"},
        {9, u"http://www.orlenta.com/a", u"http://www.orlenta.com/a"},
        {1033, u"http://www.orlenta.com/a", u"http://www.orlenta.com/a"},
        {2055, u"http://www.orlenta.com/a", u"http://www.orlenta.com/a"},
        {7, u"see http://www.a.com or http://www.b.com", u"see http://de.a.com or http://www.b.com"},
        {7, u"http://orlenta.com/www.", u"http://orlenta.com/www."},
        {25, u"", u""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utf16ToUtf8(LocalizeWebAddress(c.address, c.language)), Utf16ToUtf8(c.expected)) << c.language;
    }
}

TEST(StartWithWindowsTest, OnlyAnEntryNamingThisExactExecutableCounts) {
    const std::u16string exe = u"C:\\Program Files\\Karmux\\Karmux.exe";
    struct Case {
        const char* name;
        bool keyExists;
        std::optional<RegistryValue> value;
        bool expected;
    };
    const Case cases[] = {
        {"no Run key", false, std::nullopt, false},
        {"no entry", true, std::nullopt, false},
        {"this executable", true, RegistryValue{RegistryType::String, 0, exe}, true},
        {"other letter case", true, RegistryValue{RegistryType::String, 0, u"c:\\program files\\karmux\\karmux.exe"}, false},
        {"quoted", true, RegistryValue{RegistryType::String, 0, u"\"" + exe + u"\""}, false},
        {"with an argument", true, RegistryValue{RegistryType::String, 0, exe + u" /debug"}, false},
        {"another copy", true, RegistryValue{RegistryType::String, 0, u"D:\\Karmux\\Karmux.exe"}, false},
        {"not a string", true, RegistryValue{RegistryType::Dword, 1, {}}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sim::SimRegistry registry;
        if (c.keyExists) {
            auto& key = registry.MachineKey(u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run");
            key[u"OTHER"] = RegistryValue{RegistryType::String, 0, exe};
            if (c.value) key[u"KARMUX"] = *c.value;
        }
        EXPECT_EQ(IsStartWithWindows(registry, exe), c.expected);
    }
}

TEST(DisabledLayoutsTest, TenSlotsWithoutDuplicates) {
    DisabledLayouts disabled;
    EXPECT_FALSE(disabled.IsDisabled(0)) << "a free slot is not a disabled layout";
    disabled.Disable(0x04190419);
    disabled.Disable(0x04190419);
    EXPECT_EQ(disabled.Slot(0), 0x04190419u);
    EXPECT_EQ(disabled.Slot(1), 0u);
    for (LayoutHandle h = 1; h <= 10; ++h) disabled.Disable(h);
    for (int slot = 1; slot < kLayoutSlotCount; ++slot) EXPECT_EQ(disabled.Slot(slot), LayoutHandle(slot));
    EXPECT_FALSE(disabled.IsDisabled(10)) << "the eleventh request is dropped";

    disabled.Enable(0x04190419);
    EXPECT_FALSE(disabled.IsDisabled(0x04190419));
    disabled.Disable(10);
    EXPECT_EQ(disabled.Slot(0), 10u) << "the first free slot is reused";

    disabled.SetSlot(5, 7);
    disabled.Enable(7);
    EXPECT_EQ(disabled.Slot(5), 0u);
    EXPECT_EQ(disabled.Slot(7), 0u);
    EXPECT_TRUE(disabled.IsDisabled(8));
}

}  // namespace
}  // namespace kv
