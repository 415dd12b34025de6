#include <gtest/gtest.h>

#include "settings/app_ini.h"
#include "settings/form_placement.h"
#include "sim_platform.h"

namespace kv {
namespace {

class TestForm : public IPlacedForm {
public:
    std::u16string className = u"TMainKeyboardForm";
    Rect bounds{100, 50, 500, 350};
    WindowState state = WindowState::Normal;
    bool maximizeButton = true;
    bool resizable = true;
    bool centred = false;

    std::u16string ClassName() const override { return className; }
    Rect Bounds() const override { return bounds; }
    void MoveTo(std::int32_t left, std::int32_t top) override {
        bounds = {left, top, left + bounds.Width(), top + bounds.Height()};
    }
    void Resize(std::int32_t width, std::int32_t height) override {
        bounds.right = bounds.left + width;
        bounds.bottom = bounds.top + height;
    }
    WindowState State() const override { return state; }
    void SetState(WindowState s) override { state = s; }
    bool HasMaximizeButton() const override { return maximizeButton; }
    bool IsResizable() const override { return resizable; }
    bool StartsCentred() const override { return centred; }
    void UseDesignedPosition() override { centred = false; }
};

class FormPlacementTest : public ::testing::Test {
protected:
    sim::SimPlatform os;
    TAppIni ini{os.registry, os.files, nullptr};
    FormPlacement placement{ini, os.desktop};
    sim::SimRegistry::Values& values = os.registry.Key(u"SOFTWARE\\OrlentaSoftware\\Karmux");

    std::int32_t Stored(const char16_t* name) { return ini.ReadIntegerDef(name, -9999); }
};

TEST_F(FormPlacementTest, NormalFormWithMaximizeButtonSavesPositionSizeAndState) {
    TestForm form;
    placement.SaveFormPlacement(form, false);
    EXPECT_EQ(Stored(u"TMainKeyboardFormTop"), 50);
    EXPECT_EQ(Stored(u"TMainKeyboardFormLeft"), 100);
    EXPECT_EQ(Stored(u"TMainKeyboardFormHeight"), 300);
    EXPECT_EQ(Stored(u"TMainKeyboardFormWidth"), 400);
    EXPECT_EQ(Stored(u"TMainKeyboardFormState"), 0);
}

TEST_F(FormPlacementTest, FormWithoutMaximizeButtonNeverStoresSizeAndRestoresNormal) {
    TestForm form;
    form.maximizeButton = false;
    placement.SaveFormPlacement(form, false);
    EXPECT_EQ(values.size(), 3u);
    EXPECT_FALSE(ini.ValueExists(u"TMainKeyboardFormHeight"));
    EXPECT_FALSE(ini.ValueExists(u"TMainKeyboardFormWidth"));

    ini.WriteInteger(u"TMainKeyboardFormState", 1);
    form.state = WindowState::Maximized;
    placement.RestoreFormPlacement(form, false);
    EXPECT_EQ(form.state, WindowState::Normal);
}

TEST_F(FormPlacementTest, MaximizedFormKeepsItsLastNormalPlaceAndComesBackMaximized) {
    TestForm form;
    placement.SaveFormPlacement(form, false);
    form.bounds = {0, 0, 1920, 1040};
    form.state = WindowState::Maximized;
    placement.SaveFormPlacement(form, false);
    EXPECT_EQ(Stored(u"TMainKeyboardFormState"), 1);
    EXPECT_EQ(Stored(u"TMainKeyboardFormLeft"), 100);
    EXPECT_EQ(Stored(u"TMainKeyboardFormWidth"), 400);

    TestForm restored;
    restored.bounds = {7, 7, 17, 17};
    placement.RestoreFormPlacement(restored, false);
    EXPECT_EQ(restored.bounds, (Rect{100, 50, 500, 350}));
    EXPECT_EQ(restored.state, WindowState::Maximized);
}

TEST_F(FormPlacementTest, PositionOnlyTouchesOnlyTopAndLeft) {
    TestForm form;
    placement.SaveFormPlacement(form, true);
    EXPECT_EQ(values.size(), 2u);
    EXPECT_EQ(Stored(u"TMainKeyboardFormTop"), 50);

    ini.WriteInteger(u"TMainKeyboardFormLeft", -300);
    ini.WriteInteger(u"TMainKeyboardFormWidth", 999);
    ini.WriteInteger(u"TMainKeyboardFormState", 1);
    placement.RestoreFormPlacement(form, true);
    EXPECT_EQ(form.bounds, (Rect{-300, 50, 100, 350}));
    EXPECT_EQ(form.state, WindowState::Normal);
}

TEST_F(FormPlacementTest, SizeIsRestoredOnlyForResizableForms) {
    ini.WriteInteger(u"TMainKeyboardFormWidth", 640);
    ini.WriteInteger(u"TMainKeyboardFormHeight", 480);
    TestForm fixed;
    fixed.resizable = false;
    placement.RestoreFormPlacement(fixed, false);
    EXPECT_EQ(fixed.bounds.Width(), 400);
    TestForm sizable;
    placement.RestoreFormPlacement(sizable, false);
    EXPECT_EQ(sizable.bounds, (Rect{100, 50, 740, 530}));
}

TEST_F(FormPlacementTest, SaveSwallowsRegistryErrors) {
    TestForm form;
    os.registry.SetFailWrites(true);
    EXPECT_NO_THROW(placement.SaveFormPlacement(form, false));
    EXPECT_TRUE(values.empty());
}

TEST_F(FormPlacementTest, CentresOnTheMonitorTheFormIsOnIncludingNegativeOrigins) {
    os.desktop.SetMonitors({
        {{0, 0, 1920, 1080}, {0, 0, 1920, 1040}},
        {{-1280, -200, 0, 824}, {-1280, -200, 0, 784}},
    });
    TestForm form;
    form.bounds = {-1000, 0, -600, 300};  // on the left monitor
    placement.CenterOnWorkArea(form);
    EXPECT_EQ(form.bounds.left, -1280 + (1280 - 400) / 2);
    EXPECT_EQ(form.bounds.top, -200 + (984 - 300) / 2);

    TestForm huge;
    huge.bounds = {0, 0, 2001, 1101};
    placement.CenterOnWorkArea(huge);
    EXPECT_EQ(huge.bounds.left, -40);  // (1920 - 2001) / 2 truncates toward zero
    EXPECT_EQ(huge.bounds.top, -30);
}

TEST_F(FormPlacementTest, CentredFormTakesTheCentreAsDefaultBeforeReading) {
    TestForm form;
    form.centred = true;
    ini.WriteInteger(u"TMainKeyboardFormTop", 10);
    placement.RestoreFormPlacement(form, true);
    EXPECT_FALSE(form.centred);
    EXPECT_EQ(form.bounds.top, 10);
    EXPECT_EQ(form.bounds.left, (1920 - 400) / 2);
}

}  // namespace
}  // namespace kv
