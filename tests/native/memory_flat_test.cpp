// A resident program must not grow with use: after a few conversions have warmed the caches, a
// thousand more leave as many live allocations, and as many bytes, as there were.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "common/key_classes.h"
#include "counting_allocator.h"
#include "keyboard_engine_fixture.h"

namespace kv {
namespace {

using test::CurrentLiveAllocations;
using test::EngineWorld;
using test::LiveAllocations;

constexpr std::uint8_t kUp = 38, kDown = 40, kEnter = 13;
constexpr int kWarmUp = 20, kConversions = 1000;

class MemoryFlatTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(w.Activate());
        w.Preset().SetSCUpperCase(EncodeHotkey(kUp, hotkey_mod::kLeftWin));
        w.Preset().SetSCLowerCase(EncodeHotkey(kDown, hotkey_mod::kLeftWin));
    }
    void WinKey(std::uint8_t key) {
        w.os.driver.Press(vk::kLeftWin, true);
        w.os.driver.Tap(key, true);
        w.os.driver.Release(vk::kLeftWin, true);
        w.Settle(50);
    }
    void WinShift() {
        w.os.driver.Press(vk::kLeftWin, true);
        w.os.driver.Press(vk::kLeftShift);
        w.os.driver.Release(vk::kLeftShift);
        w.os.driver.Release(vk::kLeftWin, true);
        w.Settle(50);
    }
    // Runs `conversion` kWarmUp times, notes the live allocations, runs it up to kConversions and
    // returns the growth since the note. The records the test and the simulation keep are emptied
    // each time, so only what the program holds can grow.
    LiveAllocations GrowthOver(const std::function<void(int)>& conversion) {
        LiveAllocations warm;
        for (int i = 0; i < kConversions; ++i) {
            conversion(i);
            w.delivered.clear();
            w.os.ForgetRecords();
            w.tray.calls.clear();
            if (i + 1 == kWarmUp) warm = CurrentLiveAllocations();
        }
        const LiveAllocations end = CurrentLiveAllocations();
        return {end.blocks - warm.blocks, end.bytes - warm.bytes};
    }

    EngineWorld w{{sim::kLayoutUs, sim::kLayoutRu}};
    int wrong = 0;
};

TEST_F(MemoryFlatTest, SelectionCaseConversionsDoNotGrow) {
    const LiveAllocations growth = GrowthOver([this](int i) {
        w.document->SetText(u"Hello world");
        w.document->SelectAll();
        const bool up = i % 2 == 0;
        WinKey(up ? kUp : kDown);
        wrong += w.document->Text() != (up ? u"HELLO WORLD" : u"hello world");
    });
    EXPECT_EQ(wrong, 0) << "every conversion came out right";
    EXPECT_EQ(growth.blocks, 0) << "live blocks after " << kConversions << " selection conversions";
    EXPECT_EQ(growth.bytes, 0) << "live bytes after " << kConversions << " selection conversions";
}

TEST_F(MemoryFlatTest, TypedTextConversionsDoNotGrow) {
    const LiveAllocations growth = GrowthOver([this](int) {
        w.document->SetText(u"");
        for (char16_t key : u"GHBDTN") {
            if (key) w.os.driver.Tap(static_cast<std::uint8_t>(key));
        }
        const std::u16string typed = w.document->Text();
        WinShift();
        wrong += w.document->Text() == typed || w.document->Text().size() != typed.size();
        w.os.driver.Tap(kEnter);
    });
    EXPECT_EQ(wrong, 0) << "every conversion changed the typed word";
    EXPECT_EQ(growth.blocks, 0) << "live blocks after " << kConversions << " typed conversions";
    EXPECT_EQ(growth.bytes, 0) << "live bytes after " << kConversions << " typed conversions";
}

}  // namespace
}  // namespace kv
