// The typing run: what it records, and that nothing of a run stays in memory once it ends.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "common/key_classes.h"
#include "keyboard/typing_run.h"
#include "keyboard_model_fixture.h"

namespace kv {
namespace {

constexpr std::uint8_t kBackspace = 8, kLeft = 37;

// Public: the table of cases below reaches the fixture from its lambdas.
class TypingRunTest : public ::testing::Test {
public:
    void SetUp() override { world.Create(); }
    void Key(std::uint8_t code, bool isUp) {
        TKvKeyboard& model = *world.model;
        model.SetKeyPressed(code, !isUp);
        run.RecordKey(model, code, *model.Btn(code), isUp, false);
    }
    void Tap(std::uint8_t code) {
        Key(code, false);
        Key(code, true);
    }
    // Every slot of the buffer past the run's keys, also those a longer run used before.
    bool EverySlotPastTheRunWiped() const {
        const TypedKeyEntry* slots = run.Keys().data();
        return std::all_of(slots + run.Keys().size(), slots + TypingRun::kCapacity, [](const TypedKeyEntry& e) {
            return e.isUp == 0 && e.extended == 0 && e.position == 0;
        });
    }

    test::KeyboardWorld world;
    TypingRun run;
};

TEST_F(TypingRunTest, RecordsThePhysicalKeysAndCountsWhatIsOnScreen) {
    Key(vk::kLeftShift, false);
    Tap('P');
    Key(vk::kLeftShift, true);
    Tap('W');
    Tap(kBackspace);
    ASSERT_EQ(run.Keys().size(), 8u);
    EXPECT_EQ(run.Keys()[0].position, vk::kLeftShift);
    EXPECT_EQ(run.Keys()[1].position, 'P');
    EXPECT_EQ(run.Keys()[3].isUp, 1);
    EXPECT_EQ(run.CharsOnScreen(), 1);
    EXPECT_TRUE(run.Recording());
}

// A typed password must not stay in memory once the run is over, whichever way it ends.
TEST_F(TypingRunTest, EveryWayARunEndsWipesItsKeys) {
    struct Case {
        const char* name;
        std::function<void(TypingRunTest&)> end;
        std::size_t keysLeft;  // of the next run
    };
    const Case cases[] = {
        {"the run is reset", [](TypingRunTest& t) { t.run.ResetTypedBuffer(); }, 0},
        {"a key that breaks typing", [](TypingRunTest& t) { t.Tap(kLeft); }, 0},
        {"a key that breaks typing after the run was closed for a conversion",
         [](TypingRunTest& t) {
             t.run.Close(*t.world.model);
             t.Tap(kLeft);
         },
         0},
        {"a new run after the run was closed",
         [](TypingRunTest& t) {
             t.run.Close(*t.world.model);
             t.Tap('Q');
         },
         2},
        {"forgotten during its replay",
         [](TypingRunTest& t) {
             const TypingRun::Replay replay(t.run);
             t.run.Forget();
         },
         0},
        {"Ctrl with a letter",
         [](TypingRunTest& t) {
             t.Key(vk::kLeftControl, false);
             t.Tap('C');
             t.Key(vk::kLeftControl, true);
         },
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (std::uint8_t code : {'S', 'E', 'C', 'R', 'E', 'T'}) Tap(code);
        ASSERT_EQ(run.Keys().size(), 12u);
        c.end(*this);
        EXPECT_EQ(run.Keys().size(), c.keysLeft);
        EXPECT_TRUE(EverySlotPastTheRunWiped());
        run.ResetTypedBuffer();
    }
}

TEST_F(TypingRunTest, AReplayKeepsTheRunFromResetsAndFromRecording) {
    Tap('A');
    {
        const TypingRun::Replay replay(run);
        run.ResetTypedBuffer();
        Tap('B');
        EXPECT_TRUE(run.Replaying());
    }
    EXPECT_FALSE(run.Replaying());
    ASSERT_EQ(run.Keys().size(), 2u);
    EXPECT_EQ(run.Keys()[0].position, 'A');
}

}  // namespace
}  // namespace kv
