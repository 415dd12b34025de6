// The keyboard hook runs inside the system's input path: it must never allocate.
#include <gtest/gtest.h>

#include <vector>

#include "attachable_keyboard_port.h"
#include "counting_allocator.h"
#include "indicators/key_repaint_canvas.h"
#include "indicators/on_screen_keyboard.h"
#include "settings/form_placement.h"
#include "sim_keyboard_windows.h"
#include "common/key_classes.h"
#include "keyboard_engine_fixture.h"
#include "keyboard_model_fixture.h"

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
    const std::int32_t typedChars = w.Typed().CharsOnScreen();
    w.os.driver.Tap(37, true);   // an arrow ends the run
    w.os.driver.Tap(36);         // Home on the numeric pad
    w.os.driver.Press(vk::kCapsLock);
    w.os.driver.Press(vk::kCapsLock);  // swallowed repeat
    w.os.driver.Release(vk::kCapsLock);
    w.os.driver.Tap('Q');        // the hotkey: queued, the executor's timer started
    w.os.driver.Tap(vk::kRightControl, true);
    const int allocations = counter.Count();

    EXPECT_EQ(allocations, 0);
    EXPECT_NE(w.model->mailbox.Current(), nullptr) << "the hotkey went through the matching path";
    EXPECT_EQ(typedChars, 6) << "the typed-key buffer recorded the run";
}

// With the on-screen keyboard shown, the hook marks changed keys and resumes the hint timer;
// neither may allocate, and nothing is painted before the window's paint.
TEST(HookAllocationTest, KeyEventsWithTheKeyboardShownAllocateNothingAndPaintNothing) {
    test::RecordingCanvas drawn;
    KeyRepaintCanvas canvas(drawn);
    AttachableKeyboardPort port;
    test::EngineWorld w({sim::kLayoutUs, sim::kLayoutRu}, 6, true, &port, &canvas);
    sim::SimKeyboardWindows view;
    FormPlacement placement(w.app->appIni, w.os.desktop);
    OnScreenKeyboard keyboard({w.Preset(), w.app->sounds, w.model->keyboard, w.os.loop, w.os.registry, w.os.keyboard,
                               w.os.desktop, placement, view, [] {}, [] { return false; }, {}, {}});
    port.Attach(&keyboard);
    ASSERT_TRUE(w.Activate());
    keyboard.Show();
    keyboard.MouseMove({81, 152});  // a key is hot, so modifiers refresh its hint
    canvas.Flush();
    drawn.ForgetDrawing();
    w.os.driver.onDelivered = nullptr;

    AllocationCounter letters;
    for (std::uint8_t key : {'H', 'E', 'L', 'L', 'O'}) w.os.driver.Tap(key);
    EXPECT_EQ(letters.Count(), 0);
    EXPECT_TRUE(drawn.drawnKeys.empty());
    EXPECT_EQ(drawn.copies, 0);
    canvas.Flush();
    EXPECT_EQ(drawn.drawnKeys, (std::vector<std::uint8_t>{'E', 'H', 'L', 'O'})) << "each changed key once";
    EXPECT_EQ(drawn.fullDraws, 0);
    EXPECT_EQ(drawn.copies, 1);

    // A modifier changes the characters of every key: one full redraw, at the paint.
    drawn.ForgetDrawing();
    AllocationCounter shifted;
    w.os.driver.Press(vk::kLeftShift);
    w.os.driver.Tap('A');
    w.os.driver.Release(vk::kLeftShift);
    EXPECT_EQ(shifted.Count(), 0);
    EXPECT_EQ(drawn.fullDraws, 0);
    canvas.Flush();
    EXPECT_EQ(drawn.fullDraws, 1);
    port.Attach(nullptr);
}

}  // namespace
}  // namespace kv
