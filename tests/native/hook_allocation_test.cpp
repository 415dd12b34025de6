// The keyboard hook runs inside the system's input path: it must never allocate.
#include <gtest/gtest.h>

#include <vector>

#include "counting_allocator.h"
#include "keyboard/key_classes.h"
#include "keyboard_engine_fixture.h"

namespace kv {
namespace {

using test::AllocationCounter;

TEST(HookAllocationTest, TheCounterSeesAnAllocation) {
    AllocationCounter counter;
    std::vector<int> grown;
    grown.push_back(1);
    EXPECT_EQ(counter.Count(), 1);
}

TEST(HookAllocationTest, KeyEventsThroughTheHookAllocateNothing) {
    test::EngineWorld w;
    ASSERT_TRUE(w.Activate());
    w.Preset().SetSCSwitchLang(EncodeHotkey('Q', 0));
    w.os.driver.onDelivered = nullptr;  // the recording itself would allocate

    AllocationCounter counter;
    w.os.driver.Press(vk::kLeftShift);
    for (std::uint8_t key : {'H', 'E', 'L', 'L', 'O', ' ', 'W'}) w.os.driver.Tap(key);
    w.os.driver.Release(vk::kLeftShift);
    w.os.driver.Tap(8);          // Backspace
    const std::int32_t typedChars = w.Typed().TypedChars;
    w.os.driver.Tap(37, true);   // an arrow ends the run
    w.os.driver.Tap(36);         // Home on the numeric pad
    w.os.driver.Press(vk::kCapsLock);
    w.os.driver.Press(vk::kCapsLock);  // swallowed repeat
    w.os.driver.Release(vk::kCapsLock);
    w.os.driver.Tap('Q');        // the hotkey: queued, the executor's timer started
    w.os.driver.Tap(vk::kRightControl, true);
    const int allocations = counter.Count();

    EXPECT_EQ(allocations, 0);
    EXPECT_NE(w.engine->Queue().Current, nullptr) << "the hotkey went through the matching path";
    EXPECT_EQ(typedChars, 6) << "the typed-key buffer recorded the run";
}

}  // namespace
}  // namespace kv
