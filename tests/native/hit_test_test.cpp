#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "keyboard/key_outline.h"
#include "keyboard_model_fixture.h"

namespace kv {
namespace {

using test::kFr;
using test::kUs;
using test::KeyboardWorld;

struct PointCase {
    Point at;
    bool hit;
    bool extended;  // the part hit, when the outline is split
};

void ExpectHits(const std::vector<Point>& outline, const std::vector<PointCase>& cases) {
    for (const PointCase& c : cases) {
        bool extended = true;
        EXPECT_EQ(OutlineContains(outline, c.at.x, c.at.y, extended), c.hit) << c.at.x << "," << c.at.y;
        if (c.hit) {
            EXPECT_EQ(extended, c.extended) << c.at.x << "," << c.at.y;
        }
    }
}

TEST(OutlineTest, RectangleIncludesItsBorders) {
    ExpectHits({{10, 20}, {30, 40}}, {{{10, 20}, true, true},
                                      {{30, 40}, true, true},
                                      {{10, 40}, true, true},
                                      {{20, 30}, true, true},
                                      {{9, 30}, false, false},
                                      {{31, 30}, false, false},
                                      {{20, 19}, false, false},
                                      {{20, 41}, false, false}});
}

// A "W"-shaped polygon: the notch between its legs is outside.
TEST(OutlineTest, PolygonUsesTheEvenOddRule) {
    const std::vector<Point> notched = {{0, 0}, {100, 0}, {100, 100}, {50, 50}, {0, 100}};
    ExpectHits(notched, {{{50, 20}, true, true},
                         {{10, 80}, true, true},
                         {{90, 80}, true, true},
                         {{50, 80}, false, false},
                         {{101, 50}, false, false},
                         {{-1, 50}, false, false}});
    // A bow tie crosses itself: both loops are inside, the crossing's neighbourhood above and below is not.
    const std::vector<Point> bowTie = {{0, 0}, {100, 100}, {100, 0}, {0, 100}};
    ExpectHits(bowTie, {{{10, 50}, true, true}, {{90, 50}, true, true}, {{50, 10}, false, false}, {{50, 90}, false, false}});
}

TEST(OutlineTest, SeparatorSplitsIntoAPartWithoutAndAPartWithTheExtendedFlag) {
    const std::vector<Point> split = {{0, 0}, {10, 10}, kOutlineSeparator, {20, 0}, {30, 0}, {30, 10}};
    ExpectHits(split, {{{5, 5}, true, false}, {{29, 5}, true, true}, {{15, 5}, false, false}});
    // Parts of fewer than two points are never hit, wherever the separator stands.
    ExpectHits({kOutlineSeparator, {0, 0}, {10, 10}}, {{{5, 5}, true, true}});
    ExpectHits({{0, 0}, {10, 10}, kOutlineSeparator}, {{{5, 5}, true, false}});
    ExpectHits({{5, 5}, kOutlineSeparator, {5, 5}}, {{{5, 5}, false, false}});
    ExpectHits({kOutlineSeparator, kOutlineSeparator, kOutlineSeparator}, {{{-1, -1}, true, true}, {{5, 5}, false, false}});
    bool extended = true;
    EXPECT_FALSE(OutlineContains(std::vector<Point>{}, 0, 0, extended));
    EXPECT_FALSE(OutlineContains(std::vector<Point>{{0, 0}}, 0, 0, extended));
    EXPECT_TRUE(extended) << "an outline without separator leaves the flag as it was";
}

TEST(OutlineTest, HeightLeavesSeparatorsOut) {
    EXPECT_EQ(OutlineHeight(std::vector<Point>{}), 0);
    EXPECT_EQ(OutlineHeight(std::vector<Point>{{5, 7}}), 0);
    EXPECT_EQ(OutlineHeight(std::vector<Point>{{5, 7}, {9, 40}}), 33);
    EXPECT_EQ(OutlineHeight(std::vector<Point>{{0, 10}, {5, 3}, kOutlineSeparator, {0, 60}}), 57);
}

// Which key the built-in geometry has under a point, with the extended flag of the part hit.
std::optional<std::pair<int, bool>> KeyAt(const TKvKeyboard& model, std::int32_t x, std::int32_t y) {
    for (int code = 1; code < 256; ++code) {
        const TKvBtn* key = model.Btn(static_cast<std::uint8_t>(code));
        bool extended = false;
        if (key != nullptr && key->HitTest(x, y, extended)) return std::make_pair(code, extended);
    }
    return std::nullopt;
}

TEST(KeyHitTest, BuiltInGeometry) {
    KeyboardWorld world;
    const TKvKeyboard& model = world.Create(kUs);
    struct Case {
        Point at;
        std::optional<std::pair<int, bool>> expected;
    };
    const Case cases[] = {
        {{482, 68}, {{8, false}}},    {{515, 101}, {{8, false}}},   {{482, 67}, std::nullopt},  {{481, 68}, {{220, false}}},
        {{516, 80}, std::nullopt},    {{738, 170}, {{13, true}}},   {{771, 237}, {{13, true}}},
        {{750, 200}, {{13, true}}},   {{490, 110}, {{13, false}}},  {{445, 150}, {{13, false}}},
        {{450, 110}, {{221, false}}},  // left of the L's upper arm
        {{200, 220}, {{32, false}}},  {{600, 30}, {{19, false}}},   {{30, 40}, {{27, false}}},
        {{0, 0}, std::nullopt},       {{2000, 2000}, std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(KeyAt(model, c.at.x, c.at.y), c.expected) << c.at.x << "," << c.at.y;

    EXPECT_EQ(model.Btn(8)->KeyHeight(), 33);
    EXPECT_EQ(model.Btn(13)->KeyHeight(), 135);
    EXPECT_EQ(model.Btn(8)->Left(), 482);
    EXPECT_EQ(model.Btn(8)->Top(), 68);
    EXPECT_EQ(model.Btn(124)->Left(), 0);
    EXPECT_EQ(model.Btn(124)->KeyHeight(), 0);
}

TEST(KeyHitTest, StartsFromTheKeysOwnExtendedFlag) {
    KeyboardWorld world;
    TKvKeyboard& model = world.Create(kUs);
    bool extended = false;
    ASSERT_TRUE(model.Btn(33)->HitTest(600, 80, extended));
    EXPECT_TRUE(extended) << "Page Up is an extended key";
    model.Btn(33)->SetExtended(false);
    ASSERT_TRUE(model.Btn(33)->HitTest(600, 80, extended));
    EXPECT_FALSE(extended);
}

// Under French the key with code 65 sits where the US Q is, and is hit there.
TEST(KeyHitTest, KeysAreHitAtTheirPositionInTheLayout) {
    KeyboardWorld world;
    world.os.keyboard.SetInstalled({kUs, kFr});
    TKvKeyboard& model = world.Create(kFr);
    EXPECT_EQ(KeyAt(model, 70, 120), std::make_optional(std::make_pair(65, false))) << "US Q position";
    EXPECT_EQ(KeyAt(model, 80, 150), std::make_optional(std::make_pair(81, false))) << "US A position";
    EXPECT_EQ(model.Btn(65)->Shape(), model.Btn(81));
    model.SetLayout(kUs);
    EXPECT_EQ(KeyAt(model, 70, 120), std::make_optional(std::make_pair(81, false)));
}

TEST(KeyHitTest, KeysWithoutOutlineAreNeverHit) {
    KeyboardWorld world;
    world.os.files.AddFile(KeyboardWorld::GeometryPath(u"Odd"), "65=0,0;100,100;7\r\n66=0,0;100,100\r\n");
    TKvKeyboard& model = world.Create();
    ASSERT_TRUE(model.LoadKeyboard(u"Odd"));
    ASSERT_NE(model.Btn(65), nullptr);
    EXPECT_TRUE(model.Btn(65)->Points().empty());
    EXPECT_EQ(KeyAt(model, 50, 50), std::make_optional(std::make_pair(66, false)));
    model.SetKeyPressed(65, true);
    EXPECT_TRUE(model.IsKeyPressed(65)) << "tracked although never drawn or hit";
}

}  // namespace
}  // namespace kv
