#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "../fuzz/geometry_check.h"
#include "keyboard/default_key_names.h"
#include "keyboard/keyboard_geometry.h"
#include "keyboard_model_fixture.h"
#include "platform/text.h"

namespace kv {
namespace {

namespace fs = std::filesystem;
using test::KeyboardWorld;

const fs::path kRepository = fs::path(__FILE__).parent_path().parent_path().parent_path();

int KeysWithOutline(const TKvKeyboard& model) {
    int count = 0;
    for (int code = 1; code < 256; ++code) {
        const TKvBtn* key = model.Btn(static_cast<std::uint8_t>(code));
        if (key != nullptr && !key->Points().empty()) ++count;
    }
    return count;
}

TEST(GeometryTest, BuiltInGeometryWhenTheFileIsMissing) {
    KeyboardWorld world;
    TKvKeyboard& model = world.Create();
    EXPECT_EQ(model.KeyboardName(), u"Standard");
    EXPECT_EQ(model.Width(), 777);
    EXPECT_EQ(model.Height(), 243);
    EXPECT_EQ(world.canvas.size, (Point{777, 243}));
    EXPECT_EQ(KeysWithOutline(model), 103);
    EXPECT_TRUE(model.DrawEnabled());
    EXPECT_EQ(model.Btn(13)->Points().size(), 15u);
    EXPECT_EQ(model.Btn(13)->Points()[12], (Point{-1, -1}));
    EXPECT_EQ(model.Btn(222)->Points(), (std::vector<Point>{{405, 136}, {438, 169}}));
    // Keys without a line exist, outline-less, exactly when they have a name.
    for (int code = 1; code < 256; ++code) {
        const bool named = !DefaultKeyNames()[code].empty();
        const TKvBtn* key = model.Btn(static_cast<std::uint8_t>(code));
        if (key == nullptr || key->Points().empty()) {
            EXPECT_EQ(key != nullptr, named) << code;
        }
    }
    EXPECT_NE(model.Btn(124), nullptr);
    EXPECT_EQ(model.Btn(7), nullptr);
    EXPECT_EQ(world.busy.Count(), 0);
    EXPECT_TRUE(world.os.desktop.MessageBoxes().empty());
}

TEST(GeometryTest, FileValuesCommentAndDefaults) {
    KeyboardWorld world;
    world.os.files.AddFile(KeyboardWorld::GeometryPath(u"Laptop"),
                           "\xEF\xBB\xBF;Laptop keyboard\r\n;\xC3\xA4 by me\r\n\r\n;not a comment\r\n"
                           "info = 10 flags \r\nHEIGHT=\r\n144=1,2;3,4\r\n144=9,9;10,10\r\n65 = 5,6 ; 7 , 8\r\n"
                           "13=0,0;10,0;10,10;-1,-1;20,20;30,30\r\n7=1,1;2,2\n8=3,3;4,4\r0=1,1;2,2\r\n256=1,1;2,2\r\n");
    TKvKeyboard& model = world.Create();
    ASSERT_TRUE(model.LoadKeyboard(u"laptop"));
    EXPECT_EQ(model.KeyboardName(), u"laptop");
    EXPECT_EQ(model.Comment(), u"Laptop keyboard\r\nä by me\r\n");
    EXPECT_EQ(model.Info(), u"10 flags");
    EXPECT_EQ(model.Width(), 800);
    EXPECT_EQ(model.Height(), 300);
    EXPECT_EQ(model.Btn(144)->Points(), (std::vector<Point>{{1, 2}, {3, 4}})) << "the first line of a name counts";
    EXPECT_EQ(model.Btn(65)->Points(), (std::vector<Point>{{5, 6}, {7, 8}}));
    EXPECT_EQ(model.Btn(13)->Points().size(), 6u);
    ASSERT_NE(model.Btn(7), nullptr) << "a line creates a key even without a name";
    EXPECT_EQ(model.Btn(8)->Points(), (std::vector<Point>{{3, 3}, {4, 4}}));
    EXPECT_EQ(KeysWithOutline(model), 5);
    EXPECT_TRUE(model.Btn(66)->Points().empty());
    EXPECT_EQ(world.canvas.pictureClears, 2) << "no picture, on both loads";
}

TEST(GeometryTest, BackgroundPictureFromTheGeometryFolder) {
    KeyboardWorld world;
    world.os.files.AddFile(KeyboardWorld::GeometryPath(u"Pic"), "Background=board.png\r\nWidth=100\r\nHeight=50\r\n");
    TKvKeyboard& model = world.Create();
    ASSERT_TRUE(model.LoadKeyboard(u"Pic"));
    const std::u16string folder = std::u16string(sim::SimPlatform::kAppFolder) + u"Keyboards\\";
    EXPECT_EQ(world.canvas.pictures, std::vector<std::u16string>{folder + u"board.png"});
    EXPECT_EQ(model.BackgroundFile(), u"board.png");
    EXPECT_EQ(world.canvas.size, (Point{100, 50}));
    model.LoadBackground(u"");
    EXPECT_EQ(world.canvas.pictures.size(), 1u);
    model.ClearKeys();
    EXPECT_EQ(model.BackgroundFile(), u"");
    EXPECT_EQ(model.KeyboardName(), u"");
    EXPECT_EQ(model.Btn(8), nullptr);
}

struct ErrorCase {
    const char* name;
    std::string file;
    std::u16string reason;
    std::vector<int> present, absent;  // keys read before the fault stay; later ones are never made
};

TEST(GeometryTest, FaultyFilesAreReportedAndKeepTheKeysReadSoFar) {
    std::string tooManyPoints = "8=0,0;1,1\r\n65=";
    for (int i = 0; i < 256; ++i) tooManyPoints += (i ? ";" : "") + std::to_string(i) + "," + std::to_string(i);
    const ErrorCase cases[] = {
        {"height not a number", "8=1,1;2,2\r\nHeight=abc\r\n", u"Height: \"abc\" is not a decimal whole number.", {}, {8}},
        {"width zero", "Width=0\r\n", u"Width: \"0\" is outside 1..4096.", {}, {8}},
        {"width too large", "Width=4097\r\n", u"Width: \"4097\" is outside 1..4096.", {}, {8}},
        {"height overflowing", "Height=-99999999999999999999999\r\n",
         u"Height: \"-99999999999999999999999\" is outside 1..4096.", {}, {8}},
        {"coordinate not a number", "8=0,0;1,1\r\n65=1,2;x,4\r\n66=1,1;2,2\r\n", u"key 65: \"x\" is not a decimal whole number.",
         {1, 8, 9}, {65, 66}},
        {"empty part", "65=1,2;3,4;\r\n", u"key 65: \"\" is not a decimal whole number.", {8, 13, 48}, {65}},
        {"three numbers in a part", "65=1,2,3\r\n", u"key 65: \"2,3\" is not a decimal whole number.", {}, {65}},
        {"hex is not decimal", "65=0x10,1\r\n", u"key 65: \"0x10\" is not a decimal whole number.", {}, {65}},
        {"coordinate out of range", "65=16385,1;2,3\r\n", u"key 65: \"16385\" is outside -16384..16384.", {}, {65}},
        {"too many points", tooManyPoints, u"key 65: more than 255 points.", {8}, {65}},
        {"background with a folder", "Background=..\\secret.bmp\r\n8=1,1;2,2\r\n",
         u"Background: \"..\\secret.bmp\" is not a file name in the folder of the geometry.", {}, {8}},
        {"file too large", std::string(geometry_limits::kMaxFileBytes + 1, ';'),
         u"the file is larger than 1048576 bytes.", {}, {8}},
    };
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE(c.name);
        KeyboardWorld world;
        TKvKeyboard& model = world.Create();
        world.os.files.AddFile(KeyboardWorld::GeometryPath(u"Bad"), c.file);
        EXPECT_FALSE(model.LoadKeyboard(u"Bad"));
        ASSERT_EQ(world.os.desktop.MessageBoxes().size(), 1u);
        EXPECT_EQ(world.os.desktop.MessageBoxes()[0].text, KeyboardWorld::GeometryPath(u"Bad") + u": " + c.reason);
        EXPECT_EQ(world.os.desktop.MessageBoxes()[0].caption, u"Error");
        EXPECT_FALSE(model.DrawEnabled()) << "drawing stays suspended";
        EXPECT_EQ(world.busy.Count(), 0);
        EXPECT_EQ(world.os.desktop.Cursor(), CursorShape::Default);
        for (int code : c.present) EXPECT_NE(model.Btn(static_cast<std::uint8_t>(code)), nullptr) << code;
        for (int code : c.absent) EXPECT_EQ(model.Btn(static_cast<std::uint8_t>(code)), nullptr) << code;
    }
}

TEST(GeometryTest, LimitsThemselvesAreAccepted) {
    std::string maxPoints = "Width=4096\r\nHeight=1\r\n65=";
    for (int i = 0; i < 255; ++i) maxPoints += (i ? ";" : "") + std::to_string(i) + "," + std::to_string(i);
    maxPoints += "\r\n66=-16384,16384;+16384,-0\r\n";
    KeyboardWorld world;
    world.os.files.AddFile(KeyboardWorld::GeometryPath(u"Edge"), maxPoints);
    TKvKeyboard& model = world.Create();
    ASSERT_TRUE(model.LoadKeyboard(u"Edge"));
    EXPECT_EQ(model.Btn(65)->Points().size(), 255u);
    EXPECT_EQ(model.Btn(66)->Points(), (std::vector<Point>{{-16384, 16384}, {16384, 0}}));
    EXPECT_EQ(model.Width(), 4096);
    EXPECT_EQ(model.Height(), 1);
}

TEST(GeometryTest, UnloadablePictureIsAnError) {
    KeyboardWorld world;
    TKvKeyboard& model = world.Create();
    world.canvas.refusePictures = true;
    world.os.files.AddFile(KeyboardWorld::GeometryPath(u"Pic"), "Background=broken.bmp\r\n8=1,1;2,2\r\n");
    EXPECT_FALSE(model.LoadKeyboard(u"Pic"));
    const std::u16string folder = std::u16string(sim::SimPlatform::kAppFolder) + u"Keyboards\\";
    ASSERT_EQ(world.os.desktop.MessageBoxes().size(), 1u);
    EXPECT_EQ(world.os.desktop.MessageBoxes()[0].text,
              folder + u"Pic.txt: the picture " + folder + u"broken.bmp cannot be loaded.");
    EXPECT_EQ(model.Btn(8), nullptr);
    EXPECT_EQ(model.BackgroundFile(), u"");
}

TEST(GeometryTest, FaultyLoadLeavesDrawingSuspendedUntilEnabled) {
    KeyboardWorld world;
    TKvKeyboard& model = world.Create();
    world.os.files.AddFile(KeyboardWorld::GeometryPath(u"Bad"), "8=1,1;2,2\r\n9=x\r\n");
    ASSERT_FALSE(model.LoadKeyboard(u"Bad"));
    world.canvas.ForgetDrawing();
    model.SetKeyPressed(8, true);
    model.Redraw();
    EXPECT_TRUE(world.canvas.drawnKeys.empty());
    EXPECT_EQ(world.canvas.fullDraws, 0);
    model.SetDrawEnabled(true);
    EXPECT_EQ(world.canvas.fullDraws, 1);
    ASSERT_TRUE(model.LoadKeyboard(u"Standard"));
    EXPECT_EQ(KeysWithOutline(model), 103);
}

TEST(GeometryTest, LoadingForgetsKeysHeldOnTheOldGeometry) {
    KeyboardWorld world;
    TKvKeyboard& model = world.Create();
    world.Press({160, 65, 20});
    ASSERT_EQ(model.PressedCount(), 3);
    model.MouseMoveTo(500, 80);
    ASSERT_TRUE(model.LoadKeyboard(u"Standard"));
    EXPECT_EQ(model.PressedCount(), 0);
    EXPECT_EQ(model.ModsSided(), 0);
    EXPECT_EQ(model.KeyState()[16], 0);
    EXPECT_EQ(model.KeyState()[65], 0);
    EXPECT_EQ(model.KeyState()[20], 1) << "the CapsLock toggle stays";
    EXPECT_EQ(model.HotBtn(), nullptr);
    EXPECT_FALSE(model.IsKeyPressed(65));
}

TEST(GeometryTextTest, ReaderOnItsOwn) {
    const TKvGeometryText text("Height=12\r\nheight=13\r\n;late=1\r\nno equals sign\r\n=empty name\r\n8\r\n");
    EXPECT_EQ(text.ReadImageSize(u"HEIGHT", 1), 12);
    EXPECT_EQ(text.ReadImageSize(u"Width", 77), 77);
    EXPECT_EQ(text.Value(u";late"), std::optional<std::u16string_view>(u"1"));
    EXPECT_EQ(text.Value(u""), std::optional<std::u16string_view>(u"empty name"));
    EXPECT_EQ(text.ReadKeyOutline(8), std::nullopt);
    EXPECT_EQ(text.Comment(), u"");
    EXPECT_EQ(TKvGeometryText("8=5;6").ReadKeyOutline(8), (std::vector<Point>{{5, 6}}))
        << "a part without a comma is one coordinate";
    EXPECT_EQ(TKvGeometryText("8=1,2;3").ReadKeyOutline(8), std::vector<Point>{}) << "odd count";
    EXPECT_EQ(TKvGeometryText("8=").ReadKeyOutline(8), std::vector<Point>{});
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Inputs the fuzzer once broke on, or that probe the edges of the format, stay fixed.
TEST(GeometryTest, KeptFuzzInputsStillHold) {
    const fs::path folder = kRepository / "tests" / "fuzz" / "regressions" / "geometry_fuzzer";
    ASSERT_TRUE(fs::is_directory(folder)) << folder;
    std::size_t replayed = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        EXPECT_EQ(fuzz::GeometryViolation(ReadFile(entry.path())), "") << entry.path().filename();
        ++replayed;
    }
    EXPECT_GT(replayed, 0u);
    EXPECT_EQ(fuzz::GeometryViolation(DefaultGeometryText()), "");
}

}  // namespace
}  // namespace kv
