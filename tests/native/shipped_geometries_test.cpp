// The keyboard geometries shipped in Keyboards\ load, and "Standard" is the built-in one.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "keyboard/keyboard_geometry.h"
#include "keyboard_model_fixture.h"

namespace kv::test {
namespace {

namespace fs = std::filesystem;
const fs::path kRepository = fs::path(__FILE__).parent_path().parent_path().parent_path();

std::string ShippedGeometry(const char* name) {
    std::ifstream in(kRepository / "Keyboards" / (std::string(name) + ".txt"), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(ShippedGeometries, StandardIsTheBuiltInGeometry) {
    EXPECT_EQ(ShippedGeometry("Standard"), std::string(DefaultGeometryText()));
}

TEST(ShippedGeometries, EachLoadsWithEveryKeyInsideTheImage) {
    struct Expected {
        const char* name;
        std::int32_t width;
        bool hasNumericPad;
    };
    for (const Expected& e : {Expected{"Standard", 777, true}, Expected{"Compact", 565, false}}) {
        KeyboardWorld world;
        const std::string text = ShippedGeometry(e.name);
        ASSERT_FALSE(text.empty()) << e.name;
        world.os.files.AddFile(KeyboardWorld::GeometryPath(std::u16string(e.name, e.name + std::strlen(e.name))), text);
        TKvKeyboard& model = world.Create();
        world.canvas.size = {};
        ASSERT_TRUE(model.LoadKeyboard(std::u16string(e.name, e.name + std::strlen(e.name)))) << e.name;
        EXPECT_EQ(model.Width(), e.width) << e.name;
        EXPECT_EQ(world.canvas.size, (Point{e.width, 243})) << e.name;
        int drawn = 0;
        for (int code = 1; code < 256; ++code) {
            const TKvBtn* key = model.Btn(static_cast<std::uint8_t>(code));
            if (key == nullptr || key->Points().empty()) continue;
            ++drawn;
            for (const Point& p : key->Points()) {
                if (p.x == -1 && p.y == -1) continue;
                EXPECT_TRUE(p.x >= 0 && p.x < e.width && p.y >= 0 && p.y < 243) << e.name << " key " << code;
            }
        }
        EXPECT_GT(drawn, 70) << e.name;
        for (std::uint8_t letter = 'A'; letter <= 'Z'; ++letter) EXPECT_FALSE(model.Btn(letter)->Points().empty()) << e.name;
        EXPECT_EQ(!model.Btn(103)->Points().empty(), e.hasNumericPad) << e.name;
        EXPECT_FALSE(model.Btn(38)->Points().empty()) << e.name;  // the arrows are on both
    }
}

}  // namespace
}  // namespace kv::test
