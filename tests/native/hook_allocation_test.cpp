// The keyboard hook runs inside the system's input path: it must never allocate. The global
// allocation functions of this test binary count calls while a test asks them to.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <vector>

#include "keyboard/key_classes.h"
#include "keyboard_engine_fixture.h"

namespace {
std::atomic<bool> g_counting{false};
std::atomic<int> g_allocations{0};

void* CountedAllocation(std::size_t size) {
    if (g_counting.load(std::memory_order_relaxed)) g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}

class AllocationCounter {
public:
    AllocationCounter() {
        g_allocations = 0;
        g_counting = true;
    }
    ~AllocationCounter() { g_counting = false; }
    int Count() const { return g_allocations.load(); }
};
}  // namespace

void* operator new(std::size_t size) { return CountedAllocation(size); }
void* operator new[](std::size_t size) { return CountedAllocation(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace kv {
namespace {

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
