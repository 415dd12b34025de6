// The on-screen keyboard's behaviour on the simulated Windows: clicks, repeat, sticky modifiers,
// gestures, dragging, the form buttons, hints and showing, against a recording pair of windows.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "indicators/key_repeat_timing.h"
#include "indicators/keyboard_gesture.h"
#include "indicators/kv_form_btn.h"
#include "indicators/on_screen_keyboard.h"
#include "common/key_classes.h"
#include "icon_pack_fixture.h"
#include "indicators/key_repaint_canvas.h"
#include "keyboard_engine_fixture.h"
#include "keyboard_model_fixture.h"
#include "sim_keyboard_windows.h"
#include "settings/form_placement.h"
#include "theme/kv_theme.h"

namespace kv::test {
namespace {

constexpr std::uint8_t kA = 'A', kSpace = 32, kBackspace = 8, kEnter = 13;

const std::u16string kSounds = u"C:\\Program Files\\Karmux\\Sound\\";

struct KeyboardWindowWorld : EngineWorld {
    sim::SimKeyboardWindows view;
    FormPlacement placement{app->appIni, os.desktop};
    int trayMenus = 0;
    bool settingsOpen = false;
    std::vector<bool> shownChanges;
    // How far each move took the keyboard window, as the floating panel is told.
    std::vector<Point> moves;
    std::unique_ptr<OnScreenKeyboard> keyboard;

    KeyboardWindowWorld() {
        app->preset.Load();  // as at start-up: saving needs loaded settings
        // Each kind of click has a sound of its own, so the sounds tell the clicks apart.
        for (const char16_t* name : {u"Type1", u"Type3", u"Type4"}) os.files.AddFile(kSounds + name + u".wav", "RIFF");
        app->preset.SetSound(0, u"Type1");
        app->preset.SetSound(1, u"Type4");
        app->preset.SetSound(2, u"Type3");
        app->preset.SetSoundEnabled(true);
        os.sound.SetSoundLength(1);
    }
    OnScreenKeyboard& Create() {
        keyboard = std::make_unique<OnScreenKeyboard>(OnScreenKeyboardServices{
            app->preset, app->sounds, model->keyboard, os.loop, os.registry, os.keyboard, os.desktop, placement, view,
            [this] { ++trayMenus; }, [this] { return settingsOpen; },
            [this](bool shown) { shownChanges.push_back(shown); },
            [this](std::int32_t dx, std::int32_t dy) { moves.push_back({dx, dy}); }});
        return *keyboard;
    }
    // The centre of a key in image pixels.
    Point Centre(std::uint8_t code) const {
        const TKvBtn& key = *model->keyboard.Btn(code);
        const Rect area{key.Points().front().x, key.Points().front().y, key.Points()[1].x, key.Points()[1].y};
        return {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
    }
    int Sounds(std::u16string_view name) const {
        int n = 0;
        for (const std::u16string& played : os.sound.Played()) n += played == kSounds + std::u16string(name) + u".wav";
        return n;
    }
    void Wait(std::uint32_t ms) { Settle(ms); }
    // The mouse at a screen point, as the keyboard window sees it.
    void MoveMouseTo(Point screen) {
        view.cursor = screen;
        keyboard->MouseMove({screen.x - view.bounds.left, screen.y - view.bounds.top});
    }
    bool Held(std::uint8_t code) { return model->keyboard.IsKeyPressed(code); }
};

TEST(KeyRepeatTimingTest, FollowsTheUsersKeyboardDelayAndSpeed) {
    struct Case {
        int delay, speed;
        std::uint32_t delayMs, intervalMs;
    } cases[] = {{1, 31, 500, 24}, {0, 1, 250, 157}, {3, 0, 1000, 157}, {2, 15, 750, 49}, {9, -4, 500, 24}};
    for (const Case& c : cases) {
        const KeyRepeatTiming t = RepeatTimingFrom(c.delay, c.speed);
        EXPECT_EQ(t.delayMs, c.delayMs) << c.delay << "," << c.speed;
        EXPECT_EQ(t.intervalMs, c.intervalMs) << c.delay << "," << c.speed;
    }
}

TEST(KeyRepeatTimingTest, ReadsTheControlPanelStringsAndFallsBackWhenUnreadable) {
    sim::SimPlatform os;
    EXPECT_EQ(ReadKeyRepeatTiming(os.registry).delayMs, 500u);
    EXPECT_EQ(ReadKeyRepeatTiming(os.registry).intervalMs, 24u);
    auto key = os.registry.OpenCurrentUserKey(u"Control Panel\\Keyboard");
    key->WriteString(u"KeyboardDelay", u"3");
    key->WriteString(u"KeyboardSpeed", u"1");
    EXPECT_EQ(ReadKeyRepeatTiming(os.registry).delayMs, 1000u);
    EXPECT_EQ(ReadKeyRepeatTiming(os.registry).intervalMs, 157u);
    key->WriteString(u"KeyboardSpeed", u"fast");
    key->WriteDword(u"KeyboardDelay", 0);
    EXPECT_EQ(ReadKeyRepeatTiming(os.registry).delayMs, 500u);
    EXPECT_EQ(ReadKeyRepeatTiming(os.registry).intervalMs, 24u);
}

TEST(KeyboardGestureTest, StrokesOfThresholdSixteen) {
    struct Case {
        const char* name;
        std::int32_t dx, dy;  // start minus end
        KeyClick click;
    } cases[] = {
        {"tap within 15 px", 15, -15, {kA, ClickButton::Left}},
        {"40 px to the left", 40, 3, {kBackspace, ClickButton::Left}},
        {"40 px to the right", -40, 3, {kSpace, ClickButton::Left}},
        {"40 px down", 2, -40, {kEnter, ClickButton::Left}},
        {"40 px up", 2, 40, {kA, ClickButton::Middle}},
        {"diagonal counts as sideways", 20, 20, {kBackspace, ClickButton::Left}},
    };
    for (const Case& c : cases) EXPECT_EQ(ClassifyGesture(kA, ClickButton::Left, c.dx, c.dy, 16), c.click) << c.name;
}

TEST(FormButtonTest, LooksFollowTheMouseAndAReleaseInsideClicks) {
    TKvFormBtn button;
    int clicks = 0, repaints = 0;
    button.OnClick = [&] { ++clicks; };
    button.OnChanged = [&] { ++repaints; };
    button.PlaceButton({17, 0, 33, 16}, 0);
    TKvTheme theme;
    theme.KeyFace = 1, theme.HotFace = 2, theme.PressedFace = 3;
    EXPECT_EQ(button.Colors(theme).face, 1u);
    button.MouseEnter();
    EXPECT_TRUE(button.Hot());
    EXPECT_EQ(button.Colors(theme).face, 2u);
    button.MouseDown();
    EXPECT_TRUE(button.Down());
    EXPECT_FALSE(button.Hot());
    EXPECT_EQ(button.Colors(theme).face, 3u);
    button.MouseUp({33, 16});  // the edge counts as inside
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(button.Hot());
    button.MouseDown();
    button.MouseUp({34, 5});
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(button.Hot());
    button.MouseUp({20, 5});  // a release without a press is no click
    EXPECT_EQ(clicks, 1);
    EXPECT_GE(repaints, 6);
}

TEST(OnScreenKeyboardTest, AClickedKeyShowsPressedAndRepeatsAtTheUsersRate) {
    KeyboardWindowWorld w;
    auto key = w.os.registry.OpenCurrentUserKey(u"Control Panel\\Keyboard");
    key->WriteString(u"KeyboardDelay", u"1");
    key->WriteString(u"KeyboardSpeed", u"31");
    OnScreenKeyboard& k = w.Create();
    k.MouseDown(w.Centre(kA), ClickButton::Left);
    EXPECT_TRUE(w.Held(kA));
    EXPECT_EQ(w.Sounds(u"Type1"), 1);
    w.Wait(499);
    EXPECT_EQ(w.Sounds(u"Type1"), 1);
    w.Wait(1);
    EXPECT_EQ(w.Sounds(u"Type1"), 2);
    w.Wait(240);  // ten more at 24 ms
    EXPECT_EQ(w.Sounds(u"Type1"), 12);
    k.MouseUp();
    EXPECT_FALSE(w.Held(kA));
    w.Wait(1000);
    EXPECT_EQ(w.Sounds(u"Type1"), 12);
}

TEST(OnScreenKeyboardTest, ModifiersStickUntilTheNextKeyIsReleased) {
    KeyboardWindowWorld w;
    OnScreenKeyboard& k = w.Create();
    k.MouseDown(w.Centre(vk::kLeftShift), ClickButton::Left);
    k.MouseUp();
    EXPECT_TRUE(w.Held(vk::kLeftShift));
    EXPECT_TRUE(k.Sticky(vk::kLeftShift));
    EXPECT_EQ(w.Sounds(u"Type3"), 1);
    w.Wait(10);
    k.MouseDown(w.Centre(kBackspace), ClickButton::Left);
    EXPECT_TRUE(w.Held(kBackspace));
    EXPECT_TRUE(w.Held(vk::kLeftShift));
    EXPECT_EQ(w.Sounds(u"Type4"), 1);
    k.MouseUp();
    EXPECT_FALSE(w.Held(kBackspace));
    EXPECT_FALSE(w.Held(vk::kLeftShift));
    EXPECT_FALSE(k.Sticky(vk::kLeftShift));

    // A second click on a stuck modifier takes it back.
    k.MouseDown(w.Centre(vk::kLeftControl), ClickButton::Left);
    k.MouseDown(w.Centre(vk::kLeftControl), ClickButton::Left);
    EXPECT_FALSE(w.Held(vk::kLeftControl));
}

TEST(OnScreenKeyboardTest, RightAndMiddleButtonsAddCtrlAndShift) {
    for (auto [button, modifier] : {std::pair{ClickButton::Right, vk::kLeftControl}, {ClickButton::Middle, vk::kLeftShift}}) {
        KeyboardWindowWorld w;
        OnScreenKeyboard& k = w.Create();
        k.MouseDown(w.Centre(kA), button);
        EXPECT_TRUE(w.Held(kA));
        EXPECT_TRUE(w.Held(modifier));
        k.MouseUp();
        EXPECT_FALSE(w.Held(kA));
        EXPECT_FALSE(w.Held(modifier));
    }
}

TEST(OnScreenKeyboardTest, GesturesClickWhereTheStrokeGoes) {
    struct Case {
        const char* name;
        Point move;
        std::uint8_t sounded;  // the key that went down and up
        bool shifted;
    } cases[] = {{"tap", {10, -10}, kA, false},
                 {"left", {-40, 0}, kBackspace, false},
                 {"right", {40, 0}, kSpace, false},
                 {"down", {0, 40}, kEnter, false},
                 {"up", {0, -40}, kA, true}};
    for (const Case& c : cases) {
        KeyboardWindowWorld w;
        w.app->preset.SetUseGestures(true);
        w.app->preset.SetSensitivityGestures(15);
        ASSERT_EQ(w.app->preset.GestureThreshold(), 16);
        OnScreenKeyboard& k = w.Create();
        w.view.cursor = {500, 500};
        k.MouseDown(w.Centre(kA), ClickButton::Left);
        EXPECT_FALSE(w.Held(kA)) << c.name << ": nothing clicks before the stroke ends";
        w.view.cursor = {500 + c.move.x, 500 + c.move.y};
        const int before = static_cast<int>(w.os.sound.Played().size());
        k.MouseUp();
        EXPECT_FALSE(w.Held(c.sounded)) << c.name;
        EXPECT_EQ(static_cast<int>(w.os.sound.Played().size()), before + 1) << c.name;
        const std::u16string expected = c.sounded == kBackspace ? u"Type4" : c.sounded == kA || c.sounded == kSpace ? u"Type1" : u"Type3";
        EXPECT_EQ(w.os.sound.Played().back(), kSounds + expected + u".wav") << c.name;
        EXPECT_FALSE(w.Held(vk::kLeftShift)) << c.name;
    }
}

TEST(OnScreenKeyboardTest, DraggingTheEmptyAreaMovesTheWindowAndSavesItsPlace) {
    KeyboardWindowWorld w;
    OnScreenKeyboard& k = w.Create();
    w.view.MoveTo({300, 300});
    k.MouseDown({5, 2}, ClickButton::Left);  // the corner holds no key
    ASSERT_TRUE(k.Dragging());
    w.MoveMouseTo({405, 352});
    EXPECT_EQ(w.view.bounds.left, 400);
    EXPECT_EQ(w.view.bounds.top, 350);
    w.MoveMouseTo({415, 362});
    EXPECT_EQ(w.view.bounds.left, 410);
    k.MouseUp();
    EXPECT_FALSE(k.Dragging());
    EXPECT_EQ(w.moves, (std::vector<Point>{{100, 50}, {10, 10}})) << "the distances really moved";
    EXPECT_EQ(w.app->appIni.ReadIntegerDef(u"TMainKeyboardFormLeft", -1), 410);
    EXPECT_EQ(w.app->appIni.ReadIntegerDef(u"TMainKeyboardFormTop", -1), 360);

    // The saved place comes back with the next keyboard window.
    w.keyboard.reset();
    w.view.MoveTo({0, 0});
    w.Create();
    EXPECT_EQ(w.view.bounds.left, 410);
    EXPECT_EQ(w.view.bounds.top, 360);
}

TEST(OnScreenKeyboardTest, AnEdgeHoldsTheWindowUntilTheCursorGoesFarEnough) {
    KeyboardWindowWorld w;
    OnScreenKeyboard& k = w.Create();
    w.view.MoveTo({30, 300});
    k.MouseDown({10, 10}, ClickButton::Left);  // at 40,310 on the screen
    w.MoveMouseTo({18, 310});  // 22 px left: 8 from the edge, snaps onto it
    EXPECT_EQ(w.view.bounds.left, 0);
    w.MoveMouseTo({25, 310});  // the anchor stayed at 18: 7 px is within the snap
    EXPECT_EQ(w.view.bounds.left, 0);
    w.MoveMouseTo({40, 310});
    EXPECT_EQ(w.view.bounds.left, 22);
}

TEST(OnScreenKeyboardTest, NoDragWhileAccessIsLocked) {
    KeyboardWindowWorld w;
    w.app->appIni.WriteBool(u"AccessDenied", true);
    w.app->preset.Load();
    ASSERT_TRUE(w.app->preset.AccessDenied());
    OnScreenKeyboard& k = w.Create();
    w.view.MoveTo({300, 300});
    k.MouseDown({5, 2}, ClickButton::Left);
    EXPECT_FALSE(k.Dragging());
    w.MoveMouseTo({500, 500});
    EXPECT_EQ(w.view.bounds.left, 300);
}

TEST(OnScreenKeyboardTest, PinAndCloseButtons) {
    KeyboardWindowWorld w;
    w.app->preset.SetKeyboardAutoHide(true);
    OnScreenKeyboard& k = w.Create();
    EXPECT_EQ(k.PinButton().ImageIndex(), OnScreenKeyboard::kPinOnImage);
    EXPECT_EQ(k.CloseButton().ImageIndex(), OnScreenKeyboard::kCloseImage);
    k.Show();
    k.PinButton().MouseDown();
    k.PinButton().MouseUp({5, 5});
    EXPECT_FALSE(w.app->preset.KeyboardAutoHide());
    EXPECT_FALSE(w.app->appIni.ReadBoolDef(u"KeyboardAutoHide", true)) << "saved at once";

    w.settingsOpen = true;  // the settings window saves on its own
    k.PinButton().MouseDown();
    k.PinButton().MouseUp({5, 5});
    EXPECT_TRUE(w.app->preset.KeyboardAutoHide());
    EXPECT_FALSE(w.app->appIni.ReadBoolDef(u"KeyboardAutoHide", true));

    k.CloseButton().MouseDown();
    k.CloseButton().MouseUp({20, 5});
    EXPECT_FALSE(w.view.shown);
    EXPECT_EQ(w.shownChanges, (std::vector<bool>{true, false}));
}

TEST(OnScreenKeyboardTest, ShowingLaysTheWindowsOutAndDrawsOnlyWhileShown) {
    KeyboardWindowWorld w;
    OnScreenKeyboard& k = w.Create();
    TKvKeyboard& model = w.model->keyboard;
    EXPECT_FALSE(model.DrawEnabled());
    w.app->preset.SetThemeAlphaBlend(180);
    w.app->preset.SetThemeCommonAlphaBlend(240);
    k.ToggleOnScreenKeyboard();
    EXPECT_TRUE(w.view.shown);
    EXPECT_TRUE(model.DrawEnabled());
    EXPECT_EQ(w.view.bounds.Width(), model.Width());
    EXPECT_EQ(w.view.bounds.Height(), model.Height());
    EXPECT_EQ(w.view.keyboardOpacity, 240);
    EXPECT_EQ(w.view.backdropOpacity, 180);
    k.ToggleOnScreenKeyboard();
    EXPECT_FALSE(w.view.shown);
    EXPECT_FALSE(model.DrawEnabled());
}

TEST(OnScreenKeyboardTest, AWindowOffTheScreenComesBack) {
    KeyboardWindowWorld w;
    w.app->appIni.WriteInteger(u"TMainKeyboardFormLeft", 5000);
    w.app->appIni.WriteInteger(u"TMainKeyboardFormTop", 4000);
    OnScreenKeyboard& k = w.Create();
    k.Show();
    EXPECT_LT(w.view.bounds.left, 1920);
    EXPECT_LT(w.view.bounds.top, 1080);

    // After a display change it lies wholly on the work area.
    w.view.MoveTo({1900, 1000});
    k.DisplayChanged();
    EXPECT_EQ(w.view.bounds.right, 1920);
    EXPECT_EQ(w.view.bounds.bottom, 1040);
    EXPECT_GE(w.view.broughtToFront, 1);
}

TEST(OnScreenKeyboardTest, TheBackdropRaisesBothWindowsAndItsRightClickOpensTheTrayMenu) {
    KeyboardWindowWorld w;
    OnScreenKeyboard& k = w.Create();
    k.BackdropMouseDown({5, 2}, ClickButton::Left);
    EXPECT_EQ(w.view.broughtToFront, 0) << "nothing happens while the keyboard is hidden";
    k.Show();
    k.BackdropMouseDown({5, 2}, ClickButton::Left);
    EXPECT_EQ(w.view.broughtToFront, 1);
    EXPECT_TRUE(k.Dragging());
    k.MouseUp();
    k.BackdropMouseUp(ClickButton::Left);
    EXPECT_EQ(w.trayMenus, 0);
    k.BackdropMouseUp(ClickButton::Right);
    EXPECT_EQ(w.trayMenus, 1);
}

TEST(OnScreenKeyboardTest, TheFadeLowersBothWindowsThenHides) {
    KeyboardWindowWorld w;
    w.app->preset.SetKeyboardHideDelay(1000);  // 20 steps of 50 ms
    OnScreenKeyboard& k = w.Create();
    k.Show();
    k.BeginFadeOut();
    w.Wait(300);  // six steps, none in the last fourteen
    EXPECT_EQ(w.view.keyboardOpacity, 255);
    w.Wait(100);
    EXPECT_EQ(w.view.keyboardOpacity, 235);
    w.Wait(600);
    EXPECT_FALSE(w.view.shown);
    EXPECT_FALSE(w.model->keyboard.DrawEnabled());

    // The delayed show waits for its interval and not while settings are open.
    k.SetKeyboardShowInterval(700);
    w.settingsOpen = true;
    k.BeginDelayedShow();
    w.Wait(800);
    EXPECT_FALSE(w.view.shown);
    w.settingsOpen = false;
    k.BeginDelayedShow();
    w.Wait(699);
    EXPECT_FALSE(w.view.shown);
    w.Wait(1);
    EXPECT_TRUE(w.view.shown);
    EXPECT_EQ(w.view.keyboardOpacity, 255) << "showing restores the opacity";
}

TEST(OnScreenKeyboardTest, AHoveredKeyShowsItsIconHintBelowItForAWhile) {
    KeyboardWindowWorld w;
    IconPackFixture icons;
    fuzz::PackLayout layout;
    layout.exeName = "NOTEPAD.EXE";
    layout.entries = {{0x00, kA, "Select all"}, {0x10, kA, "Shifted A"}};
    layout.strip = fuzz::BitmapFile(32);
    icons.AddPack(u"Notepad", fuzz::PackFile(layout));
    icons.packs.ScanPacks();
    const TKvIcons* pack = icons.packs.FindPack(u"Notepad", true);
    ASSERT_TRUE(pack != nullptr && pack->Loaded());
    w.app->preset.SetShowIconHints(true);
    w.app->preset.SetShowIconApp(true);
    OnScreenKeyboard& k = w.Create();
    k.Show();
    w.model->keyboard.SetAppIcons(pack);
    w.view.MoveTo({100, 200});
    const TKvBtn& a = *w.model->keyboard.Btn(kA);

    k.MouseMove(w.Centre(kA));
    w.Wait(499);
    EXPECT_FALSE(w.view.hint.has_value());
    w.Wait(1);
    ASSERT_TRUE(w.view.hint.has_value());
    EXPECT_EQ(*w.view.hint, u"Select all");
    EXPECT_EQ(w.view.hintArea.left, 100 + a.Left());
    EXPECT_EQ(w.view.hintArea.top, 200 + a.Top() + a.KeyHeight());

    // A modifier going down while the hint shows replaces it at once, as the hook asks.
    w.model->keyboard.SetKeyPressed(vk::kLeftShift, true);
    k.RefreshHoverHint();
    EXPECT_EQ(*w.view.hint, u"Select all") << "nothing is shown from inside the hook";
    w.Wait(10);
    EXPECT_EQ(*w.view.hint, u"Shifted A");
    w.model->keyboard.SetKeyPressed(vk::kLeftShift, false);

    w.Wait(2499);
    EXPECT_TRUE(w.view.hint.has_value());
    w.Wait(1);
    EXPECT_FALSE(w.view.hint.has_value()) << "gone after 2.5 s";

    // ... or as soon as the mouse enters it.
    k.MouseMove({1, 1});
    k.MouseMove(w.Centre(kA));
    w.Wait(500);
    ASSERT_TRUE(w.view.hint.has_value());
    w.view.cursor = {w.view.hintArea.left + 2, w.view.hintArea.top + 2};
    w.Wait(100);
    EXPECT_FALSE(w.view.hint.has_value());
}

// The model drawing through the deferred canvas, as the keyboard window wires it.
struct RepaintWorld : KeyboardWorld, IRepaintRequests {
    KeyRepaintCanvas deferred{canvas};
    std::vector<Rect> invalidated;
    int wholeInvalidations = 0;

    RepaintWorld() {
        deferred.SetRepaintRequests(this);
        KeyboardServices services{layouts, os.keyInput, os.files, keys, busy, boxes, lang, names, cache,
                                  std::u16string(sim::SimPlatform::kAppFolder), false};
        model = std::make_unique<TKvKeyboard>(deferred, std::move(services), kUs);
        model->LoadKeyboard(u"Standard");
        deferred.Flush();
        canvas.ForgetDrawing();
        invalidated.clear();
        wholeInvalidations = 0;
    }
    void InvalidateImageArea(const Rect& area) override { invalidated.push_back(area); }
    void InvalidateWholeImage() override { ++wholeInvalidations; }
};

TEST(KeyRepaintCanvasTest, AKeyEventOnlyMarksTheKeyAndThePaintDrawsJustThatKey) {
    RepaintWorld w;
    w.Press({kA});
    w.model->RepaintDisplay();
    EXPECT_TRUE(w.canvas.drawnKeys.empty()) << "nothing is painted inside the hook";
    EXPECT_EQ(w.canvas.copies, 0);
    ASSERT_EQ(w.invalidated.size(), 1u);
    EXPECT_EQ(w.invalidated[0], KeyImageArea(*w.model->Btn(kA)));
    EXPECT_GT(w.invalidated[0].Width(), 10);

    w.Release({kA});  // already marked: no second invalidation
    w.Press({'B'});
    EXPECT_EQ(w.invalidated.size(), 2u);
    w.deferred.Flush();
    EXPECT_EQ(w.canvas.drawnKeys, (std::vector<std::uint8_t>{'A', 'B'}));
    EXPECT_EQ(w.canvas.fullDraws, 0);
    EXPECT_EQ(w.canvas.copies, 1);
    EXPECT_FALSE(w.deferred.Pending());
}

TEST(KeyRepaintCanvasTest, APaintThatCopiesTheImageItselfHasTheMarkedKeysDrawnWithoutACopy) {
    RepaintWorld w;
    w.Press({kA});
    w.deferred.DrawMarked();
    EXPECT_EQ(w.canvas.drawnKeys, (std::vector<std::uint8_t>{'A'}));
    EXPECT_EQ(w.canvas.copies, 0);
    EXPECT_FALSE(w.deferred.Pending());
    w.deferred.DrawMarked();
    EXPECT_EQ(w.canvas.drawnKeys.size(), 1u) << "drawn once";

    w.Press({vk::kCapsLock});
    w.deferred.DrawMarked();
    EXPECT_EQ(w.canvas.fullDraws, 1);
    EXPECT_EQ(w.canvas.copies, 0);
}

TEST(KeyRepaintCanvasTest, TheAreaOfASplitKeyCoversBothParts) {
    RepaintWorld w;
    const Rect enter = KeyImageArea(*w.model->Btn(kEnter));  // the L shape and the numeric-pad part
    EXPECT_LE(enter.left, 439);
    EXPECT_LE(enter.top, 102);
    EXPECT_GE(enter.right, 772);
    EXPECT_GE(enter.bottom, 238);
    EXPECT_GT(enter.left, 0) << "the separator point is no corner";
}

TEST(KeyRepaintCanvasTest, ALockKeyRedrawsEverythingOnceAtThePaint) {
    RepaintWorld w;
    w.Press({'A'});
    w.Press({vk::kCapsLock});  // the characters of every key change
    w.Release({vk::kCapsLock});
    w.Press({'B'});
    EXPECT_EQ(w.canvas.fullDraws, 0);
    EXPECT_EQ(w.wholeInvalidations, 1);
    w.deferred.Flush();
    EXPECT_EQ(w.canvas.fullDraws, 1);
    EXPECT_TRUE(w.canvas.drawnKeys.empty()) << "the full image already holds every key";
}

}  // namespace
}  // namespace kv::test
