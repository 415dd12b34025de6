// The floating language panel on the simulated Windows: its shapes and opacities, where it first
// appears, how it follows layout reports and a changed layout list on the virtual clock, clicks,
// dragging with the anchor rule and the locks, its context menu, the on-screen keyboard link, and
// in the running program the tray's item and the window items that follow the system's state.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/app_singletons.h"
#include "app/application_shell.h"
#include "indicators/language_panel.h"
#include "indicators/language_panel_geometry.h"
#include "indicators/tray_controller.h"
#include "keyboard_engine_fixture.h"
#include "platform/win_constants.h"
#include "settings/form_placement.h"
#include "sim_app_windows.h"
#include "sim_language_panel_view.h"
#include "sim_platform.h"
#include "sim_tray.h"

namespace kv {
namespace {

using sim::kLayoutDe;
using sim::kLayoutFr;
using sim::kLayoutRu;
using sim::kLayoutUs;

TEST(LanguagePanelGeometryTest, EachKindHasItsSizeAndButtonsWithThreeLayouts) {
    struct Case {
        PanelKind kind;
        Point size;
        std::vector<Rect> buttons;
    } cases[] = {
        {PanelKind::Flag, {22, 19}, {{0, 0, 22, 19}}},
        {PanelKind::FlagWithName, {133, 19}, {{0, 0, 133, 19}}},
        {PanelKind::VerticalFlags, {22, 55}, {{0, 0, 22, 19}, {0, 18, 22, 37}, {0, 36, 22, 55}}},
        {PanelKind::HorizontalFlags, {64, 19}, {{0, 0, 22, 19}, {21, 0, 43, 19}, {42, 0, 64, 19}}},
        {PanelKind::VerticalWithNames, {133, 55}, {{0, 0, 133, 19}, {0, 18, 133, 37}, {0, 36, 133, 55}}},
    };
    for (const Case& c : cases) {
        const PanelShape shape = ShapePanel(c.kind, 3, 96);
        EXPECT_EQ(shape.size, c.size) << static_cast<int>(c.kind);
        EXPECT_EQ(shape.buttons, c.buttons) << static_cast<int>(c.kind);
    }
}

TEST(LanguagePanelGeometryTest, ListsStopAtThirtyLayoutsAndScaleWithTheMonitor) {
    const PanelShape many = ShapePanel(PanelKind::HorizontalFlags, 35, 96);
    EXPECT_EQ(many.buttons.size(), 30u);
    EXPECT_EQ(many.size, (Point{21 * 30 + 1, 19}));

    // 150 %: everything one and a half times, neighbours still overlapping, the last one ending
    // at the panel's edge.
    const PanelShape scaled = ShapePanel(PanelKind::HorizontalFlags, 3, 144);
    EXPECT_EQ(scaled.size, (Point{96, 29}));
    ASSERT_EQ(scaled.buttons.size(), 3u);
    for (std::size_t i = 0; i + 1 < scaled.buttons.size(); ++i) {
        EXPECT_GT(scaled.buttons[i].right, scaled.buttons[i + 1].left) << i;
    }
    EXPECT_EQ(scaled.buttons.back().right, scaled.size.x);
    EXPECT_EQ(ShapePanel(PanelKind::FlagWithName, 1, 192).size, (Point{266, 38}));

    EXPECT_EQ(PanelKindFrom(4), PanelKind::VerticalWithNames);
    EXPECT_EQ(PanelKindFrom(5), PanelKind::FlagWithName) << "an unknown kind is the default";
    EXPECT_EQ(PanelKindFrom(-1), PanelKind::FlagWithName);
}

TEST(LanguagePanelGeometryTest, OpacityIsPercentTimes255HundredthsWithHalvesToEven) {
    const std::pair<std::int32_t, int> table[] = {{0, 0},     {1, 3},     {10, 26},  {20, 51},  {30, 76},
                                                  {40, 102},  {50, 128},  {60, 153}, {70, 178}, {80, 204},
                                                  {90, 230},  {99, 252},  {100, 255}, {-5, 0},  {150, 255}};
    for (const auto& [percent, alpha] : table) EXPECT_EQ(PanelAlpha(percent), alpha) << percent << " %";
}

TEST(LanguagePanelGeometryTest, APanelStaysReachableOnItsOwnMonitor) {
    const Rect primary{0, 0, 1920, 1080};
    const Rect primaryWork{0, 0, 1920, 1040};
    const Rect secondWork{1920, 0, 3840, 1040};
    struct Case {
        Rect panel, area, kept;
    } cases[] = {
        {{-500, 100, -367, 119}, primaryWork, {-132, 100, 1, 119}},     // one column left of the screen
        {{1950, 100, 2083, 119}, primaryWork, {1919, 100, 2052, 119}},  // past the right edge
        {{100, -40, 233, -21}, primaryWork, {100, -18, 233, 1}},        // above the top
        {{3000, 500, 3133, 519}, secondWork, {3000, 500, 3133, 519}},   // on the second monitor: stays
        {{4000, 500, 4133, 519}, secondWork, {3839, 500, 3972, 519}},   // past the second one's edge
    };
    for (const Case& c : cases) {
        EXPECT_EQ(KeepPanelReachable(c.panel, primary, c.area), c.kept) << c.panel.left << "," << c.panel.top;
    }
}

// A panel on the simulated desktop (1920 x 1080, task bar 40 high) with US, Russian and German.
struct PanelWorld {
    sim::SimPlatform os;
    std::unique_ptr<AppSingletons> app = MakeApp(os);
    FormPlacement placement{app->appIni, os.desktop};
    sim::SimLanguagePanelView view;
    sim::SimPopupMenus menus;
    LayoutHandle current = kLayoutUs;
    std::vector<LayoutHandle> switched;
    std::vector<bool> shownChanges;
    std::unique_ptr<LanguagePanel> panel;

    static std::unique_ptr<AppSingletons> MakeApp(sim::SimPlatform& os) {
        os.keyboard.SetInstalled({kLayoutUs, kLayoutRu, kLayoutDe});
        return std::make_unique<AppSingletons>(os.platform);
    }
    void Store(std::u16string_view name, std::uint32_t value) { app->appIni.WriteInteger(name, static_cast<std::int32_t>(value)); }
    std::optional<std::int32_t> Stored(std::u16string_view name) const {
        if (!app->appIni.ValueExists(name)) return std::nullopt;
        return app->appIni.ReadIntegerDef(name, -1);
    }
    LanguagePanel& Create() {
        panel = std::make_unique<LanguagePanel>(LanguagePanelServices{
            app->appIni, placement, app->preset, app->lang, os.loop, os.keyboard, os.desktop, os.desktop, menus,
            PopupMenuStyle::Standard, view, [this] { return current; },
            [this](LayoutHandle layout) { switched.push_back(layout); },
            [this](bool shown) { shownChanges.push_back(shown); }});
        return *panel;
    }
    void Wait(std::uint32_t ms) { PumpUntil(os.platform, ms, [] { return false; }); }
    // The mouse at a screen point, in the panel's coordinates as its window reports them.
    Point InPanel(Point screen) const { return {screen.x - view.bounds.left, screen.y - view.bounds.top}; }
    void MoveMouseTo(Point screen) {
        view.cursor = screen;
        panel->MouseMove(InPanel(screen));
    }
    void PressAt(Point screen) {
        view.cursor = screen;
        panel->MouseDown(InPanel(screen), ClickButton::Left);
    }
    void ReleaseAt(Point screen) {
        view.cursor = screen;
        panel->MouseUp(InPanel(screen), ClickButton::Left);
    }
    Point Centre(std::size_t button) const {
        const Rect& b = view.buttons.at(button).bounds;
        return {view.bounds.left + (b.left + b.right) / 2, view.bounds.top + (b.top + b.bottom) / 2};
    }
    std::vector<LayoutHandle> ShownLayouts() const {
        std::vector<LayoutHandle> layouts;
        for (const PanelButton& b : view.buttons) layouts.push_back(b.layout);
        return layouts;
    }
    std::vector<LayoutHandle> SelectedLayouts() const {
        std::vector<LayoutHandle> layouts;
        for (const PanelButton& b : view.buttons) {
            if (b.selected) layouts.push_back(b.layout);
        }
        return layouts;
    }
};

TEST(LanguagePanelTest, OnFirstStartItIsHiddenThenShowsAtTheWorkAreasBottomRightWithTheCurrentLanguage) {
    PanelWorld w;
    LanguagePanel& panel = w.Create();
    EXPECT_FALSE(w.view.shown);
    EXPECT_FALSE(w.view.hint.empty()) << "unlocked: the hint tells how to use it";

    panel.Show();
    EXPECT_TRUE(w.view.shown);
    EXPECT_EQ(w.view.bounds, (Rect{1920 - 133, 1040 - 22, 1920, 1040 - 22 + 19}));
    EXPECT_EQ(w.view.alpha, 204);
    EXPECT_TRUE(w.view.blending);
    ASSERT_EQ(w.view.buttons.size(), 1u);
    EXPECT_EQ(w.view.buttons[0].layout, kLayoutUs);
    EXPECT_EQ(w.view.buttons[0].name, u"English (United States)");
    EXPECT_NE(w.view.buttons[0].flagIndex, 0);
    EXPECT_EQ(w.shownChanges, std::vector<bool>{true}) << "the tray item is checked";

    panel.ClosePanel();
    EXPECT_FALSE(w.view.shown);
    EXPECT_EQ(w.shownChanges, (std::vector<bool>{true, false}));
}

TEST(LanguagePanelTest, TheStoredTransparencyGivesTheOpacityWhenShown) {
    const std::pair<std::uint32_t, int> table[] = {{0, 0}, {1, 3}, {50, 128}, {99, 252}, {100, 255}};
    for (const auto& [percent, alpha] : table) {
        PanelWorld w;
        w.Store(u"FLGTransparent", percent);
        w.Create().Show();
        EXPECT_EQ(w.view.alpha, alpha) << percent << " %";
        EXPECT_TRUE(w.view.blending);
    }
}

TEST(LanguagePanelTest, ItsStateComesBackFromTheRegistry) {
    PanelWorld w;
    w.Store(u"FLGKind", 3);
    w.Store(u"FLGVisible", 1);
    w.Store(u"TFloatingWindowLangFormLeft", 400);
    w.Store(u"TFloatingWindowLangFormTop", 300);
    LanguagePanel& panel = w.Create();
    panel.RestorePanelVisibility();
    EXPECT_TRUE(w.view.shown);
    EXPECT_EQ(panel.Kind(), PanelKind::HorizontalFlags);
    EXPECT_EQ(w.view.bounds, (Rect{400, 300, 464, 319}));
    EXPECT_EQ(w.ShownLayouts(), (std::vector<LayoutHandle>{kLayoutUs, kLayoutRu, kLayoutDe}));
    EXPECT_EQ(w.SelectedLayouts(), std::vector<LayoutHandle>{kLayoutUs});

    w.Store(u"FLGVisible", 0);
    panel.RestorePanelVisibility();
    EXPECT_FALSE(w.view.shown);
}

TEST(LanguagePanelTest, APanelSavedLeftOfTheScreenComesBackWithOneColumnVisible) {
    PanelWorld w;
    w.Store(u"TFloatingWindowLangFormLeft", static_cast<std::uint32_t>(-500));
    w.Create().Show();
    EXPECT_EQ(w.view.bounds.left, 1 - 133);
    EXPECT_EQ(w.view.bounds.right, 1);
}

TEST(LanguagePanelTest, ADisplayChangeBringsItBackFromBeyondTheScreensRightEdge) {
    PanelWorld w;
    LanguagePanel& panel = w.Create();
    panel.Show();
    w.Store(u"TFloatingWindowLangFormLeft", 1900);
    w.os.desktop.SetMonitors({{{0, 0, 1280, 800}, {0, 0, 1280, 760}}});
    panel.DisplayChanged();
    EXPECT_EQ(w.view.bounds.left, 1279);
}

TEST(LanguagePanelTest, ListKindsFollowLayoutReportsAndRebuildAfterTheLayoutListChanged) {
    PanelWorld w;
    w.Store(u"FLGKind", 2);
    LanguagePanel& panel = w.Create();
    panel.Show();
    ASSERT_EQ(w.view.bounds.Height(), 55);

    w.view.repaintedButtons.clear();
    panel.PanelLayoutChanged(kLayoutRu);
    EXPECT_EQ(w.SelectedLayouts(), std::vector<LayoutHandle>{kLayoutRu});
    EXPECT_EQ(w.view.repaintedButtons, (std::vector<std::size_t>{0, 1})) << "only the two that changed";
    w.Wait(250);  // the check after this report finds the same list
    EXPECT_EQ(w.view.buttons.size(), 3u);

    // A fourth layout is installed: seen 200 ms after the next report, not before.
    w.os.keyboard.SetInstalled({kLayoutUs, kLayoutRu, kLayoutDe, kLayoutFr});
    w.Wait(300);
    EXPECT_EQ(w.view.buttons.size(), 3u) << "nothing reported since the last check";
    panel.PanelLayoutChanged(kLayoutFr);
    w.Wait(150);
    EXPECT_EQ(w.view.buttons.size(), 3u);
    panel.PanelLayoutChanged(kLayoutFr);  // a second report starts the 200 ms again
    w.Wait(150);
    EXPECT_EQ(w.view.buttons.size(), 3u);
    w.Wait(60);
    EXPECT_EQ(w.ShownLayouts(), (std::vector<LayoutHandle>{kLayoutUs, kLayoutRu, kLayoutDe, kLayoutFr}));
    EXPECT_EQ(w.view.bounds.Height(), 73);

    // Removing one shrinks it again; an empty list leaves the buttons as they are.
    w.os.keyboard.SetInstalled({kLayoutUs, kLayoutFr});
    panel.PanelLayoutChanged(kLayoutUs);
    w.Wait(250);
    EXPECT_EQ(w.ShownLayouts(), (std::vector<LayoutHandle>{kLayoutUs, kLayoutFr}));
    EXPECT_EQ(w.SelectedLayouts(), std::vector<LayoutHandle>{kLayoutUs}) << "the rebuild marks the current layout";
    w.os.keyboard.SetInstalled({});
    panel.PanelLayoutChanged(kLayoutFr);
    w.Wait(250);
    EXPECT_EQ(w.ShownLayouts(), (std::vector<LayoutHandle>{kLayoutUs, kLayoutFr}));

    // A hidden panel and a zero handle change nothing.
    panel.PanelLayoutChanged(0);
    EXPECT_EQ(w.SelectedLayouts(), std::vector<LayoutHandle>{kLayoutFr});
}

TEST(LanguagePanelTest, ASingleFlagTakesEachReportedLayout) {
    PanelWorld w;
    LanguagePanel& panel = w.Create();
    panel.Show();
    const int raisedBefore = w.view.raised;
    panel.PanelLayoutChanged(kLayoutRu);
    EXPECT_EQ(w.ShownLayouts(), std::vector<LayoutHandle>{kLayoutRu});
    EXPECT_EQ(w.view.buttons[0].name, u"Russian");
    EXPECT_GT(w.view.raised, raisedBefore) << "re-asserted as top-most";
}

TEST(LanguagePanelTest, ClicksSwitchToTheClickedLayoutOrTheNextOne) {
    PanelWorld w;
    w.Store(u"FLGKind", 3);
    LanguagePanel& panel = w.Create();
    panel.Show();
    ASSERT_EQ(w.view.bounds.Width(), 64);
    w.PressAt(w.Centre(1));
    w.ReleaseAt(w.Centre(1));
    EXPECT_EQ(w.switched, std::vector<LayoutHandle>{kLayoutRu});
    panel.PanelLayoutChanged(kLayoutRu);
    EXPECT_EQ(w.SelectedLayouts(), std::vector<LayoutHandle>{kLayoutRu}) << "drawn selected after the report";

    // The single kinds step to the next layout, with a pressed look while held.
    panel.SetPanelKind(PanelKind::Flag);
    w.switched.clear();
    w.PressAt(w.Centre(0));
    EXPECT_TRUE(w.view.buttons[0].selected);
    w.ReleaseAt(w.Centre(0));
    EXPECT_FALSE(w.view.buttons[0].selected);
    EXPECT_TRUE(w.view.buttons[0].hover) << "released inside: pointed at again";
    EXPECT_EQ(w.switched, std::vector<LayoutHandle>{kNextLayout});

    // Hidden while pressed: the press ends without a click.
    w.switched.clear();
    w.PressAt(w.Centre(0));
    panel.ClosePanel();
    EXPECT_FALSE(panel.Dragging());
    EXPECT_FALSE(w.view.buttons[0].selected);
    panel.Show();
    w.ReleaseAt(w.Centre(0));
    EXPECT_TRUE(w.switched.empty()) << "a release after the press was cancelled is no click";

    // Released outside the button (a locked panel stays put): no click.
    PanelWorld locked;
    locked.Store(u"FLGLocked", 1);
    locked.Create().Show();
    locked.PressAt(locked.Centre(0));
    locked.ReleaseAt({locked.view.bounds.left - 50, locked.view.bounds.top});
    EXPECT_TRUE(locked.switched.empty());
}

TEST(LanguagePanelTest, DraggingMovesItByTheCursorAndAMoveTheSystemRefusesKeepsTheAnchor) {
    PanelWorld w;
    LanguagePanel& panel = w.Create();
    panel.Show();
    w.view.MoveTo({500, 500});
    w.view.refuseMovesBeyond = Rect{0, 0, 520, 1000};  // the desktop lets it go no further right than 520

    w.PressAt({505, 505});
    ASSERT_TRUE(panel.Dragging());
    w.MoveMouseTo({515, 512});
    EXPECT_EQ(w.view.bounds.left, 510);
    EXPECT_EQ(w.view.bounds.top, 507);
    EXPECT_EQ(w.Stored(u"TFloatingWindowLangFormLeft"), 510) << "saved after each move";
    EXPECT_EQ(w.Stored(u"TFloatingWindowLangFormTop"), 507);

    w.MoveMouseTo({525, 512});  // to 520, the limit: the anchor follows
    EXPECT_EQ(w.view.bounds.left, 520);
    w.MoveMouseTo({545, 512});  // refused: the panel waits, the anchor stays at 525
    EXPECT_EQ(w.view.bounds.left, 520);
    w.MoveMouseTo({535, 512});  // still beyond the anchor: nothing
    EXPECT_EQ(w.view.bounds.left, 520);
    w.MoveMouseTo({515, 512});  // ten left of the anchor: ten left
    EXPECT_EQ(w.view.bounds.left, 510);

    const std::size_t before = w.switched.size();
    w.ReleaseAt({515, 512});
    EXPECT_FALSE(panel.Dragging());
    EXPECT_EQ(w.switched.size(), before) << "a drag is not a click";
    w.MoveMouseTo({600, 600});
    EXPECT_EQ(w.view.bounds.left, 510) << "after the release the mouse moves nothing";
}

TEST(LanguagePanelTest, LockedOrInRestrictedModeItCannotBeDraggedOrReconfigured) {
    {
        PanelWorld w;
        w.Store(u"FLGLocked", 1);
        w.Store(u"TFloatingWindowLangFormLeft", 300);
        LanguagePanel& panel = w.Create();
        EXPECT_TRUE(w.view.hint.empty());
        panel.Show();
        w.PressAt({305, w.view.bounds.top + 5});
        EXPECT_FALSE(panel.Dragging());
        w.MoveMouseTo({400, w.view.bounds.top + 5});
        EXPECT_EQ(w.view.bounds.left, 300);
        w.view.MoveTo({350, 350});
        panel.SavePanelState();
        EXPECT_EQ(w.Stored(u"TFloatingWindowLangFormLeft"), 300) << "a locked panel's place is not saved";
        EXPECT_EQ(w.Stored(u"FLGLocked"), 1);
    }
    {
        PanelWorld w;
        w.app->appIni.WriteBool(u"AccessDenied", true);
        w.app->preset.Load();
        ASSERT_TRUE(w.app->preset.AccessDenied());
        LanguagePanel& panel = w.Create();
        panel.Show();
        const Rect before = w.view.bounds;
        w.PressAt({before.left + 5, before.top + 5});
        EXPECT_FALSE(panel.Dragging());
        w.MoveMouseTo({before.left + 100, before.top - 100});
        EXPECT_EQ(w.view.bounds, before);

        w.menus.Choose(LanguagePanel::kCloseItem);
        panel.MouseUp({5, 5}, ClickButton::Right);
        ASSERT_EQ(w.menus.Popups().size(), 1u);
        for (const MenuEntry& entry : w.menus.Popups()[0].items) EXPECT_FALSE(entry.enabled) << Utf16ToUtf8(entry.caption);
        EXPECT_TRUE(w.view.shown) << "a command that arrives anyway does nothing";
    }
}

TEST(LanguagePanelTest, TheContextMenuChangesKindOpacityLockAndVisibilityAndSavesThem) {
    PanelWorld w;
    LanguagePanel& panel = w.Create();
    panel.Show();
    auto choose = [&](int id) {
        w.menus.Choose(id);
        panel.MouseUp({5, 5}, ClickButton::Right);
    };

    choose(LanguagePanel::kKindItem + 4);
    EXPECT_EQ(panel.Kind(), PanelKind::VerticalWithNames);
    EXPECT_EQ(w.view.bounds.Height(), 55);
    EXPECT_EQ(w.Stored(u"FLGKind"), 4);
    EXPECT_EQ(w.Stored(u"FLGVisible"), 1);
    EXPECT_EQ(w.Stored(u"FLGTransparent"), 80);

    choose(LanguagePanel::kTransparentItem + 50);
    EXPECT_EQ(w.view.alpha, 128);
    EXPECT_EQ(w.Stored(u"FLGTransparent"), 50);

    const std::vector<MenuEntry>& menu = w.menus.Popups().back().items;
    ASSERT_EQ(menu.size(), 5u);
    EXPECT_EQ(menu[0].caption, u"Lock Position");
    EXPECT_TRUE(menu[1].submenu[4].checked) << "the current kind is checked";
    EXPECT_EQ(menu[2].submenu.size(), 10u);
    EXPECT_EQ(menu[2].submenu[4].caption, u"50 %");
    EXPECT_EQ(menu[2].submenu[9].caption, u"Opaque");
    EXPECT_FALSE(menu[3].visible) << "show with the keyboard is never offered";

    choose(LanguagePanel::kLockedItem);
    EXPECT_TRUE(panel.Locked());
    EXPECT_EQ(w.Stored(u"FLGLocked"), 1);

    choose(LanguagePanel::kCloseItem);
    EXPECT_FALSE(w.view.shown);
    EXPECT_EQ(w.Stored(u"FLGVisible"), 0);
}

TEST(LanguagePanelTest, PointingMakesItOpaqueAndLeavingMakesItTranslucent100msLater) {
    PanelWorld w;
    w.Store(u"FLGTransparent", 50);
    w.Store(u"FLGKind", 3);
    LanguagePanel& panel = w.Create();
    panel.Show();
    ASSERT_EQ(w.view.ShownAlpha(), 128);
    w.MoveMouseTo(w.Centre(0));
    EXPECT_EQ(w.view.ShownAlpha(), 255);
    EXPECT_TRUE(w.view.buttons[0].hover);
    // From one button to the next: opaque all the way.
    w.MoveMouseTo(w.Centre(1));
    w.Wait(150);
    EXPECT_EQ(w.view.ShownAlpha(), 255);
    EXPECT_FALSE(w.view.buttons[0].hover);
    EXPECT_TRUE(w.view.buttons[1].hover);
    panel.MouseLeave();
    EXPECT_EQ(w.view.ShownAlpha(), 255);
    w.Wait(110);
    EXPECT_EQ(w.view.ShownAlpha(), 128);
    EXPECT_FALSE(w.view.buttons[1].hover);
}

TEST(LanguagePanelTest, WithShowWithKeyboardItFollowsTheOnScreenKeyboard) {
    PanelWorld w;
    w.Store(u"FLGShowWithKeyboard", 1);
    w.Store(u"FLGVisible", 1);
    LanguagePanel& panel = w.Create();
    panel.RestorePanelVisibility();
    EXPECT_FALSE(w.view.shown) << "the keyboard decides, not FLGVisible";
    panel.KeyboardShown(true);
    EXPECT_TRUE(w.view.shown);
    const Rect before = w.view.bounds;
    panel.KeyboardMoved(-30, -12);
    EXPECT_EQ(w.view.bounds.left, before.left - 30);
    EXPECT_EQ(w.view.bounds.top, before.top - 12);
    EXPECT_EQ(w.Stored(u"TFloatingWindowLangFormLeft"), before.left - 30);
    panel.KeyboardShown(false);
    EXPECT_FALSE(w.view.shown);

    PanelWorld alone;
    LanguagePanel& unlinked = alone.Create();
    unlinked.KeyboardShown(true);
    EXPECT_FALSE(alone.view.shown) << "without the option the keyboard does not show it";
}

TEST(LanguagePanelTest, OnAMonitorOf150PercentItIsLargerAndADpiChangeReshapesIt) {
    PanelWorld w;
    w.view.dpi = 144;
    LanguagePanel& panel = w.Create();
    panel.Show();
    EXPECT_EQ(w.view.bounds.Width(), 200);
    EXPECT_EQ(w.view.bounds.Height(), 29);
    EXPECT_EQ(w.view.bounds.right, 1920);
    EXPECT_EQ(w.view.bounds.top, 1040 - 33) << "the gap to the work area's bottom scales too";

    w.view.dpi = 96;
    panel.DpiChanged({100, 200});
    EXPECT_EQ(w.view.bounds, (Rect{100, 200, 233, 219}));
}

// In the keyboard engine: a layout change reaches the panel through its port.
TEST(LanguagePanelTest, TheEnginesLayoutChangesReachThePanel) {
    test::EngineWorld engine;
    sim::SimLanguagePanelView view;
    sim::SimPopupMenus menus;
    FormPlacement placement(engine.app->appIni, engine.os.desktop);
    LanguagePanel panel(LanguagePanelServices{
        engine.app->appIni, placement, engine.app->preset, engine.app->lang, engine.os.loop, engine.os.keyboard,
        engine.os.desktop, engine.os.desktop, menus, PopupMenuStyle::Standard, view,
        [&engine] { return engine.Model().Layout(); }, [](LayoutHandle) {}, {}});
    engine.noPanelWindow.Attach(&panel);
    engine.app->appIni.WriteBool(u"FLGVisible", true);
    ASSERT_TRUE(engine.Activate());
    EXPECT_TRUE(view.shown) << "activation restores the saved visibility";
    engine.engine->Switcher().OnLayoutChanged(kLayoutRu);
    ASSERT_EQ(view.buttons.size(), 1u);
    EXPECT_EQ(view.buttons[0].layout, kLayoutRu);
    engine.engine->Switch().Deactivate();
    EXPECT_FALSE(view.shown) << "turning the system off closes it";
    engine.noPanelWindow.Attach(nullptr);
}

// The running program: the tray's item shows the panel and carries its check mark; turning the
// system off hides it and disables the five window items, turning it on brings both back.
class LanguagePanelStoryTest : public ::testing::Test {
protected:
    LanguagePanelStoryTest() {
        os.InstallLanguages();
        os.InstallHookLibrary();
        os.InstallCompanion();
        os.desktop.SetVersion({win::kVerPlatformWin32Nt, 6, 1, 7601});
    }
    void Start() {
        app = std::make_unique<AppSingletons>(os.platform);
        shell = std::make_unique<ApplicationShell>(*app, windows);
        windows.UseLanguage(app->lang);
        shell->Run();
    }
    // Once, `ms` into the run, on the GUI thread.
    void At(std::uint32_t ms, std::function<void()> step) {
        auto id = std::make_shared<TimerId>();
        *id = os.loop.StartTimer(ms, [this, id, step = std::move(step)] {
            os.loop.StopTimer(*id);
            step();
        });
    }
    const MenuEntry& TrayItemNow(TrayItem item) {
        menu = shell->Parts()->tray.TrayMenu();
        for (const MenuEntry& entry : menu) {
            if (entry.id == static_cast<int>(item)) return entry;
        }
        throw std::runtime_error("no such tray item");
    }
    void ExpectWindowItems(bool enabled, const char* when) {
        for (TrayItem item : {TrayItem::FloatingWindowKb, TrayItem::FloatingWindowLang, TrayItem::ShowMainKeyboard,
                              TrayItem::ShowClipboardManager, TrayItem::ShowTemplatesManager}) {
            EXPECT_EQ(TrayItemNow(item).enabled, enabled) << when << ": item " << static_cast<int>(item);
        }
    }
    void Exit() {
        os.desktop.PostToWindow(os.desktop.FindTopLevelWindow(u"TFirstForm", u"KarmuxFirstForm"), win::kWmClose, 0, 0);
    }

    sim::SimPlatform os;
    sim::SimAppWindows windows{os.desktop};
    std::unique_ptr<AppSingletons> app;
    std::unique_ptr<ApplicationShell> shell;
    std::vector<MenuEntry> menu;
};

TEST_F(LanguagePanelStoryTest, TheTrayItemShowsThePanelAndTheWindowItemsFollowTheSystem) {
    os.loop.SetRunLimit(5000);
    At(1000, [&] {
        ASSERT_TRUE(shell->Parts()->engine.Switch().Active());
        EXPECT_FALSE(windows.Panel().shown) << "hidden on first start";
        EXPECT_FALSE(TrayItemNow(TrayItem::FloatingWindowLang).checked);
        ExpectWindowItems(true, "on");
        shell->Parts()->tray.OnTrayCommand(TrayItem::FloatingWindowLang);
        EXPECT_TRUE(windows.Panel().shown);
        EXPECT_TRUE(TrayItemNow(TrayItem::FloatingWindowLang).checked);
        EXPECT_EQ(app->appIni.ReadIntegerDef(u"FLGVisible", -1), 1);
    });
    At(1500, [&] {
        shell->Parts()->tray.OnTrayCommand(TrayItem::Active);
        EXPECT_FALSE(shell->Parts()->engine.Switch().Active());
        EXPECT_FALSE(windows.Panel().shown) << "closed with the system";
        EXPECT_FALSE(TrayItemNow(TrayItem::FloatingWindowLang).checked);
        ExpectWindowItems(false, "off");
    });
    At(2000, [&] {
        shell->Parts()->tray.OnTrayCommand(TrayItem::Active);
        ExpectWindowItems(true, "on again");
        EXPECT_TRUE(windows.Panel().shown) << "back, as it was saved";
        EXPECT_TRUE(TrayItemNow(TrayItem::FloatingWindowLang).checked);
    });
    At(2500, [&] { Exit(); });
    Start();
    EXPECT_EQ(app->appIni.ReadIntegerDef(u"FLGVisible", -1), 1) << "the way out keeps the user's choice";
    EXPECT_EQ(windows.AttachedLanguagePanel(), nullptr) << "detached at the way out";
}

TEST_F(LanguagePanelStoryTest, AStartThatCannotSwitchTheSystemOnLeavesTheWindowItemsDisabled) {
    // A library that refuses "Hook", as when another copy of the program holds it.
    os.libraries.Install(std::u16string(sim::SimPlatform::kAppFolder) + u"KarmuxH.dll", {true, true, false});
    os.loop.SetRunLimit(3000);
    At(1000, [&] {
        ASSERT_FALSE(shell->Parts()->engine.Switch().Active());
        ExpectWindowItems(false, "never switched on");
    });
    At(1500, [&] { Exit(); });
    Start();
}

TEST_F(LanguagePanelStoryTest, InRestrictedModeTheWindowItemsStayDisabledWhenTheSystemComesOn) {
    os.registry.OpenCurrentUserKey(kProgramRegistryKey)->WriteDword(u"AccessDenied", 1);
    os.loop.SetRunLimit(3000);
    At(1000, [&] {
        ExpectWindowItems(false, "restricted");
        shell->Parts()->tray.OnTrayCommand(TrayItem::FloatingWindowLang);
        EXPECT_FALSE(windows.Panel().shown);
    });
    At(1500, [&] { Exit(); });
    Start();
}

}  // namespace
}  // namespace kv
