// Stories of conversions with the editor: what the user typed or selected in the wrong layout
// comes out right, and their clipboard and keys are as they were.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include "clipboard/clipboard_stream.h"
#include "common/key_classes.h"
#include "common/messages.h"
#include "common/synthetic_input.h"
#include "keyboard_engine_fixture.h"
#include "platform/clipboard_api.h"
#include "platform/text.h"

namespace kv {
namespace {

using test::EngineWorld;

constexpr std::uint8_t kBackspace = 8, kUp = 38, kDown = 40, kOem2 = 191;
constexpr std::uint16_t kLeftWin = hotkey_mod::kLeftWin;

std::string Utf16Bytes(std::u16string_view text) {
    std::string bytes(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t));
    bytes.append(2, '\0');
    return bytes;
}

class ConversionStoryTest : public ::testing::Test {
protected:
    explicit ConversionStoryTest(std::vector<LayoutHandle> layouts = {sim::kLayoutUs, sim::kLayoutRu})
        : w(std::move(layouts)) {}
    void SetUp() override {
        ASSERT_TRUE(w.Activate());
        customFormat = w.os.clipboard.RegisterFormat(u"Tolvex Test Format");
    }

    void Type(std::u16string_view keys) {
        for (char16_t key : keys) w.os.driver.Tap(static_cast<std::uint8_t>(key));
    }
    void Shifted(std::uint8_t key) {
        w.os.driver.Press(vk::kLeftShift);
        w.os.driver.Tap(key);
        w.os.driver.Release(vk::kLeftShift);
    }
    // A key held long enough to repeat: its down arrives `repeats` more times before the up.
    void Held(std::uint8_t key, int repeats) {
        for (int i = 0; i <= repeats; ++i) w.os.driver.Press(key);
        w.os.driver.Release(key);
    }
    void AltGr(std::uint8_t key) {
        w.os.driver.Press(vk::kLeftControl);
        w.os.driver.Press(vk::kRightMenu, true);
        w.os.driver.Tap(key);
        w.os.driver.Release(vk::kRightMenu, true);
        w.os.driver.Release(vk::kLeftControl);
    }
    // The default conversion chord: typed text, else the selection, else only the layout.
    void WinShift() {
        w.os.driver.Press(vk::kLeftWin, true);
        w.os.driver.Press(vk::kLeftShift);
        w.os.driver.Release(vk::kLeftShift);
        w.os.driver.Release(vk::kLeftWin, true);
        w.Settle(50);
    }
    void WinKey(std::uint8_t key) {
        w.os.driver.Press(vk::kLeftWin, true);
        w.os.driver.Tap(key, key == kUp || key == kDown);
        w.os.driver.Release(vk::kLeftWin, true);
        w.Settle(50);
    }
    // What another application left on the clipboard: text plus a format of its own.
    void UserClipboard(std::u16string_view text) {
        w.os.clipboard.Clear();
        w.os.clipboard.Put(clip::kUnicodeText, Utf16Bytes(text));
        w.os.clipboard.Put(customFormat, std::string("\x01\x02\x03", 3));
    }
    std::u16string ClipboardText() {
        w.os.clipboard.Open(kNoWindow);
        const auto bytes = w.os.clipboard.Data(clip::kUnicodeText);
        w.os.clipboard.Close();
        if (!bytes) return u"<none>";
        std::u16string text(bytes->size() / 2, u'\0');
        std::memcpy(text.data(), bytes->data(), text.size() * 2);
        return text.substr(0, text.find(u'\0'));
    }
    // The editor's thread switched to `layout` as the library reports it.
    void UseLayout(LayoutHandle layout) {
        w.os.keyboard.SetLayoutOfThread(sim::SimForegroundApp::kThreadId, layout);
        w.os.desktop.PostToWindow(w.appWindow, msg::kLayoutChanged, 0, static_cast<std::intptr_t>(layout));
        w.Settle(10);
    }
    bool ClipboardHasCustomFormat() { return w.os.clipboard.HasFormat(customFormat); }
    std::u16string Text() const { return w.document->Text(); }

    EngineWorld w;
    std::uint32_t customFormat = 0;
};

TEST_F(ConversionStoryTest, TypedInTheWrongLayoutConvertsAndConvertsBack) {
    Type(u"GHBDTN");
    ASSERT_EQ(Text(), u"ghbdtn");
    WinShift();
    EXPECT_EQ(Text(), u"привет");
    EXPECT_EQ(w.editor->Layout(), sim::kLayoutRu);
    WinShift();
    EXPECT_EQ(Text(), u"ghbdtn") << "the hotkey again cycles the text on";
}

TEST_F(ConversionStoryTest, BackspaceWhileTypingIsReplayed) {
    Type(u"AB");
    w.os.driver.Tap(kBackspace);
    Type(u"C");
    ASSERT_EQ(Text(), u"ac");
    WinShift();
    EXPECT_EQ(Text(), u"фс");
}

// What a held key repeats is on screen as often as it repeated, and is erased and retyped as
// often; Backspace held past the start of the run leaves the text before the run alone.
TEST_F(ConversionStoryTest, KeysHeldUntilTheyRepeatConvertAndConvertBack) {
    struct Case {
        const char* story;
        std::function<void()> typing;
        const char16_t* typed;
        const char16_t* converted;
    };
    for (const Case& c : {
             Case{"a letter held", [this] {
                      Type(u"GHBDT");
                      Held('N', 3);
                  },
                  u"xyghbdtnnnn", u"xyприветттт"},
             Case{"Backspace held", [this] {
                      Type(u"GHBDTNQQQ");
                      Held(kBackspace, 2);
                  },
                  u"xyghbdtn", u"xyпривет"},
             Case{"Backspace held past the run",
                  [this] {
                      Type(u"AB");
                      Held(kBackspace, 2);
                      Type(u"CD");
                  },
                  u"xcd", u"xсв"},
         }) {
        SCOPED_TRACE(c.story);
        w.os.driver.Tap(13);  // Enter ends the run before
        w.document->SetText(u"xy");
        c.typing();
        ASSERT_EQ(Text(), c.typed);
        WinShift();
        EXPECT_EQ(Text(), c.converted);
        WinShift();
        EXPECT_EQ(Text(), c.typed) << "converting back gives exactly what was typed";
        EXPECT_EQ(w.editor->Layout(), sim::kLayoutUs);
    }
}

TEST_F(ConversionStoryTest, ShiftedCharactersSurviveARoundTrip) {
    Shifted('G');
    Type(u"HBDTN");
    Shifted('1');
    ASSERT_EQ(Text(), u"Ghbdtn!");
    WinShift();
    EXPECT_EQ(Text(), u"Привет!");
    WinShift();
    EXPECT_EQ(Text(), u"Ghbdtn!");
}

TEST_F(ConversionStoryTest, ModifierHeldThroughTheHotkeyIsPressedAgainAfterwards) {
    w.Preset().SetSCUpperCase(EncodeHotkey(kUp, kLeftWin));
    w.document->SetText(u"abc");
    w.document->SelectAll();
    w.os.driver.Press(vk::kLeftWin, true);
    w.os.driver.Tap(kUp, true);
    w.Settle(50);
    EXPECT_EQ(Text(), u"ABC");
    EXPECT_TRUE(w.os.driver.IsDown(vk::kLeftWin)) << "the user still holds Win";
    w.os.driver.Release(vk::kLeftWin, true);
    EXPECT_FALSE(w.os.driver.IsDown(vk::kLeftWin));
}

// A quick chord: Win comes up while the program is cutting the selection, so the hook, paused
// for the program's own keys, must still see that the user let go.
TEST_F(ConversionStoryTest, WinLetGoDuringTheConversionIsNotPressedAgain) {
    struct Case {
        const char* how;
        bool pressedAgain;  // the user's finger comes back down before the program finishes
        std::function<void(sim::SimKeyboardDriver&)> letGo;
    };
    const std::vector<Case> cases = {
        {"the user's finger", false, [](sim::SimKeyboardDriver& d) { d.Release(vk::kLeftWin, true); }},
        {"another program's input", false,
         [](sim::SimKeyboardDriver& d) {
             d.Inject({vk::kLeftWin, 0, win::kKeyEventKeyUp | win::kKeyEventExtendedKey, 0});
         }},
        {"let go and pressed again", true,
         [](sim::SimKeyboardDriver& d) {
             d.Release(vk::kLeftWin, true);
             d.Press(vk::kLeftWin, true);
         }},
    };
    w.Preset().SetSCUpperCase(EncodeHotkey(kUp, kLeftWin));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        w.document->SetText(u"abc");
        w.document->SelectAll();
        bool letGo = false;
        w.os.keyInput.beforeSend = [&](const KeyEvent& e) {
            if (e.vk != kVkX || letGo) return;
            letGo = true;
            c.letGo(w.os.driver);
        };
        w.os.driver.Press(vk::kLeftWin, true);
        w.os.driver.Tap(kUp, true);
        w.Settle(50);
        w.os.keyInput.beforeSend = nullptr;
        ASSERT_TRUE(letGo);
        EXPECT_EQ(Text(), u"ABC");
        EXPECT_EQ(w.os.driver.IsDown(vk::kLeftWin), c.pressedAgain);
        if (!c.pressedAgain) {
            EXPECT_FALSE(w.Model().IsKeyPressed(vk::kLeftWin)) << "the model knows Win is up";
        }
        if (c.pressedAgain) w.os.driver.Release(vk::kLeftWin, true);
        for (int code = 1; code < 256; ++code) {
            EXPECT_FALSE(w.os.driver.IsDown(static_cast<std::uint8_t>(code))) << "key " << code << " stays held";
        }
        Type(u"X");
        EXPECT_EQ(Text(), u"ABCx") << "the next letter arrives as a letter";
    }
}

TEST_F(ConversionStoryTest, CombinedHotkeyConvertsTypedTextElseTheSelectionElseSwitches) {
    Type(u"GHBDTN");
    WinShift();
    EXPECT_EQ(Text(), u"привет") << "typed text first";

    w.os.driver.Tap(13);  // Enter ends the run
    w.document->SetText(u"ghbdtn мир 42");
    w.document->SelectAll();
    w.os.keyboard.SetLayoutOfThread(sim::SimForegroundApp::kThreadId, sim::kLayoutUs);
    w.Settle(10);
    w.os.desktop.PostToWindow(w.appWindow, msg::kLayoutChanged, 0, static_cast<std::intptr_t>(sim::kLayoutUs));
    w.Settle(10);
    WinShift();
    EXPECT_EQ(Text(), u"привет мир 42") << "then the selection; characters US cannot type stay";

    w.document->Select(Text().size(), Text().size());
    const LayoutHandle before = w.editor->Layout();
    WinShift();
    EXPECT_EQ(Text(), u"привет мир 42") << "nothing selected: the document stays";
    EXPECT_NE(w.editor->Layout(), before) << "and only the layout changes";
}

TEST_F(ConversionStoryTest, CaseModesOnTheSelection) {
    struct Case {
        std::uint8_t key;
        const char16_t* text;
        const char16_t* expected;
    };
    w.Preset().SetSCUpperCase(EncodeHotkey(kUp, kLeftWin));
    w.Preset().SetSCInvertCase(EncodeHotkey(kOem2, kLeftWin));
    w.Preset().SetSCSentenceCase(EncodeHotkey('7', kLeftWin));
    w.Preset().SetSCMixedCase(EncodeHotkey('8', kLeftWin));
    for (const Case& c : {Case{kUp, u"Hello world. bye", u"HELLO WORLD. BYE"},
                          Case{'7', u"Hello world. bye", u"Hello world. Bye"},
                          Case{'8', u"Hello world. bye", u"Hello World. Bye"},
                          Case{kOem2, u"Hello world. bye", u"hELLO WORLD. BYE"},
                          Case{kUp, u"привет, мир", u"ПРИВЕТ, МИР"},
                          Case{'7', u"привет. пока", u"Привет. Пока"}}) {
        w.document->SetText(c.text);
        w.document->SelectAll();
        WinKey(c.key);
        EXPECT_EQ(Text(), c.expected) << Utf16ToUtf8(c.text);
    }
}

TEST_F(ConversionStoryTest, UsersClipboardComesBackThreeHundredMsLater) {
    UserClipboard(u"saved by the user");
    w.document->SetText(u"Hello");
    w.document->SelectAll();
    WinKey(kUp);
    EXPECT_EQ(Text(), u"HELLO");
    EXPECT_EQ(ClipboardText(), u"HELLO") << "the converted text until the restore";
    w.Settle(300);
    EXPECT_EQ(ClipboardText(), u"saved by the user");
    EXPECT_TRUE(ClipboardHasCustomFormat()) << "every format comes back";
}

TEST_F(ConversionStoryTest, SlowApplicationGetsItsClipboardBackAfterFiveHundredMs) {
    w.os.desktop.SetProcessImage(sim::SimForegroundApp::kProcessId, u"C:\\Office\\WINWORD.EXE");
    w.os.desktop.Find(w.editor->Window())->className = u"OpusApp";
    w.os.desktop.PostToWindow(w.appWindow, msg::kForegroundChanged, w.editor->Window(), 0);
    w.Settle(10);
    ASSERT_TRUE(w.model->applicationFlags.SlowClipboard);

    UserClipboard(u"saved by the user");
    w.document->SetText(u"Hello");
    w.document->SelectAll();
    WinKey(kUp);
    EXPECT_EQ(Text(), u"HELLO");
    w.Settle(300);
    EXPECT_EQ(ClipboardText(), u"HELLO") << "not yet";
    w.Settle(250);
    EXPECT_EQ(ClipboardText(), u"saved by the user");
}

// A busy application answers Ctrl+X late, but within the program's wait for the clipboard.
TEST_F(ConversionStoryTest, SelectionCutLateStillConvertsAndTheUsersClipboardComesBack) {
    struct Case {
        std::uint32_t cutDelayMs;
        bool layout;  // the conversion chord, else upper case
        const char16_t* text;
        const char16_t* expected;
        std::uint32_t heldOpenMs = 0;  // the editor closes the clipboard this long after filling it
    };
    w.Preset().SetSCUpperCase(EncodeHotkey(kUp, kLeftWin));
    for (const Case& c : {Case{60, false, u"Hello world", u"HELLO WORLD"},
                          Case{120, false, u"Hello world", u"HELLO WORLD"},
                          Case{200, false, u"Hello world", u"HELLO WORLD", 40},
                          Case{250, false, u"Hello world", u"HELLO WORLD"},
                          Case{60, true, u"ghbdtn", u"привет", 40},
                          Case{200, true, u"ghbdtn", u"привет"},
                          Case{250, true, u"ghbdtn", u"привет"}}) {
        SCOPED_TRACE(testing::Message() << c.cutDelayMs << " ms, held " << c.heldOpenMs << " ms, "
                                        << Utf16ToUtf8(c.text));
        w.document->SetClipboardHold(c.heldOpenMs);
        w.os.keyboard.SetLayoutOfThread(sim::SimForegroundApp::kThreadId, sim::kLayoutUs);
        w.os.desktop.PostToWindow(w.appWindow, msg::kLayoutChanged, 0, static_cast<std::intptr_t>(sim::kLayoutUs));
        w.Settle(10);
        UserClipboard(u"saved by the user");
        w.document->SetClipboardKeyDelay(c.cutDelayMs);
        w.document->SetText(c.text);
        w.document->SelectAll();
        if (c.layout) {
            WinShift();
        } else {
            WinKey(kUp);
        }
        EXPECT_EQ(Text(), c.expected);
        EXPECT_EQ(ClipboardText(), c.expected) << "the converted text until the restore";
        w.Settle(600);
        EXPECT_EQ(Text(), c.expected) << "nothing is cut after the program gave up waiting";
        EXPECT_EQ(ClipboardText(), u"saved by the user");
        EXPECT_TRUE(ClipboardHasCustomFormat());
    }
}

// Another program holds the clipboard open, or it is too large to keep a copy of: the selection
// is left alone rather than the user's clipboard emptied with nothing to bring it back.
TEST_F(ConversionStoryTest, AClipboardThatCannotBeSavedLeavesSelectionAndClipboardAsTheyWere) {
    struct Case {
        const char* name;
        std::uint32_t heldOpenMs;
        std::size_t userTextLength;
        bool converts;
    };
    constexpr std::size_t kOverTheLimit = ClipboardAccess::kSnapshotLimitBytes / 2;
    for (const Case& c : {Case{"held open a moment", 25, 5, true}, Case{"held open a second", 1000, 5, false},
                          Case{"over the size limit", 0, kOverTheLimit, false}}) {
        SCOPED_TRACE(c.name);
        const std::u16string userText(c.userTextLength, u'u');
        UserClipboard(userText);
        w.document->SetText(u"Hello");
        w.document->SelectAll();
        w.os.clipboard.HoldOpenFor(c.heldOpenMs);
        WinKey(kUp);
        EXPECT_EQ(Text(), c.converts ? u"HELLO" : u"Hello");
        w.Settle(1100);
        EXPECT_TRUE(ClipboardText() == userText) << "the user's clipboard is as it was";
        EXPECT_TRUE(ClipboardHasCustomFormat());
    }
}

TEST_F(ConversionStoryTest, WhatTheUserCopiesRightAfterAConversionIsNotOverwritten) {
    UserClipboard(u"saved by the user");
    w.document->SetText(u"Hello");
    w.document->SelectAll();
    WinKey(kUp);
    ASSERT_EQ(Text(), u"HELLO");
    UserClipboard(u"copied right after");
    w.Settle(600);
    EXPECT_EQ(ClipboardText(), u"copied right after");
}

TEST_F(ConversionStoryTest, TwoConversionsInQuickSuccessionRestoreTheContentFromBeforeTheFirst) {
    UserClipboard(u"first");
    w.document->SetText(u"one");
    w.document->SelectAll();
    WinKey(kUp);
    w.document->SelectAll();
    WinKey(kUp);
    w.Settle(600);
    EXPECT_EQ(ClipboardText(), u"first");
    EXPECT_TRUE(ClipboardHasCustomFormat());
}

TEST_F(ConversionStoryTest, EmptySelectionLeavesDocumentAndClipboardAsTheyWere) {
    UserClipboard(u"kept");
    w.document->SetText(u"untouched");
    WinKey(kUp);
    w.Settle(600);
    EXPECT_EQ(Text(), u"untouched");
    EXPECT_EQ(ClipboardText(), u"kept");
    EXPECT_TRUE(ClipboardHasCustomFormat());
}

TEST_F(ConversionStoryTest, AnErrorHalfWayLeavesTheHookResumedAndNoKeyHeld) {
    Type(u"GHBDTN");
    int sent = 0;
    // SendInput fails on the program's fifth key event: in the middle of the erasing.
    w.os.keyInput.beforeSend = [&sent](const KeyEvent&) {
        if (++sent == 5) throw std::runtime_error("SendInput failed");
    };
    WinShift();
    w.os.keyInput.beforeSend = nullptr;
    EXPECT_FALSE(w.engine->Hook().HookSuspended());
    EXPECT_EQ(w.model->mailbox.Current(), nullptr);
    for (int code = 1; code < 256; ++code) {
        EXPECT_FALSE(w.os.driver.IsDown(static_cast<std::uint8_t>(code))) << "key " << code << " stays held";
    }
    const std::u16string left = Text();
    Type(u"X");
    EXPECT_EQ(Text(), left + u"x") << "typing goes on";
}

// The user brings another window to the front while the program works on the text typed last:
// nothing is erased or typed there, and the run is forgotten rather than converted later in
// the wrong window.
TEST_F(ConversionStoryTest, AnotherWindowInFrontStopsTheConversionOfTypedText) {
    const WindowHandle other = w.os.desktop.CreateWindow(u"Other", u"Elevated", 500, true);
    for (const bool whileSwitching : {false, true}) {
        SCOPED_TRACE(whileSwitching ? "while the layout switches" : "before the action runs");
        w.os.desktop.SetForeground(w.editor->Window());
        UseLayout(sim::kLayoutUs);
        w.os.driver.Tap(13);
        w.document->SetText(u"xy");
        Type(u"GHBDTN");
        const std::size_t before = w.delivered.size();
        if (whileSwitching) w.editor->onLayoutRequest = [&] { w.os.desktop.SetForeground(other); };
        w.os.driver.Press(vk::kLeftWin, true);
        w.os.driver.Press(vk::kLeftShift);
        w.os.driver.Release(vk::kLeftShift);
        w.os.driver.Release(vk::kLeftWin, true);
        if (!whileSwitching) w.os.desktop.SetForeground(other);
        w.Settle(50);
        w.editor->onLayoutRequest = nullptr;

        EXPECT_EQ(Text(), u"xyghbdtn") << "nothing erased";
        for (std::size_t i = before; i < w.delivered.size(); ++i) {
            EXPECT_NE(w.delivered[i].vk, kBackspace) << "no Backspace went anywhere";
        }
        w.os.desktop.SetForeground(w.editor->Window());
        UseLayout(sim::kLayoutUs);
        WinShift();
        EXPECT_EQ(Text(), u"xyghbdtn") << "back in the editor, the run is not converted after all";
    }
}

TEST_F(ConversionStoryTest, AnotherWindowInFrontStopsTheSelectionConversionAndTheClipboardComesBack) {
    const WindowHandle other = w.os.desktop.CreateWindow(u"Other", u"Elevated", 500, true);
    w.Preset().SetSCUpperCase(EncodeHotkey(kUp, kLeftWin));
    for (const bool afterTheCut : {false, true}) {
        SCOPED_TRACE(afterTheCut ? "after the cut" : "before the cut");
        w.os.desktop.SetForeground(w.editor->Window());
        UserClipboard(u"saved by the user");
        w.document->SetText(u"Hello");
        w.document->SelectAll();
        std::size_t changedAt = 0;
        const auto toEditor = w.os.driver.onDelivered;
        w.os.driver.onDelivered = [&](const LowLevelKeyEvent& e) {
            toEditor(e);
            if (afterTheCut && e.vkCode == 'X' && (e.flags & kLlkhfUp) == 0) {
                w.os.desktop.SetForeground(other);
                changedAt = w.delivered.size();
            }
        };
        w.os.driver.Press(vk::kLeftWin, true);
        w.os.driver.Tap(kUp, true);
        w.os.driver.Release(vk::kLeftWin, true);
        if (!afterTheCut) {
            w.os.desktop.SetForeground(other);
            changedAt = w.delivered.size();
        }
        w.Settle(50);
        w.os.driver.onDelivered = toEditor;

        if (!afterTheCut) {
            EXPECT_EQ(Text(), u"Hello") << "nothing cut";
        }
        for (std::size_t i = changedAt; i < w.delivered.size(); ++i) {
            EXPECT_FALSE(w.delivered[i].vk == 'V' && !w.delivered[i].up) << "nothing pasted into the other window";
        }
        w.Settle(600);
        EXPECT_EQ(ClipboardText(), u"saved by the user");
        EXPECT_TRUE(ClipboardHasCustomFormat());
    }
}

// The hook library of the simulation reports no clicks, as in an elevated application: the
// program's own mouse hook ends the run when the user clicks into the text.
TEST_F(ConversionStoryTest, AClickInTheWindowInFrontEndsTheRunWhereTheLibraryIsNotLoaded) {
    ASSERT_EQ(w.os.mouse.InstalledHooks(), 1u);
    w.os.desktop.Find(w.editor->Window())->bounds = Rect{0, 0, 800, 600};

    Type(u"GHBDTN");
    w.os.mouse.Click({400, 300});
    w.document->Select(0, 0);  // the caret went where the user clicked
    Type(u"A");
    ASSERT_EQ(Text(), u"aghbdtn");
    WinShift();
    EXPECT_EQ(Text(), u"фghbdtn") << "only what was typed after the click converts";

    w.os.driver.Tap(13);
    w.document->SetText(u"");
    UseLayout(sim::kLayoutUs);
    Type(u"GHBDTN");
    w.os.mouse.Click({1000, 790});  // on the taskbar, where the tray menu opens
    WinShift();
    EXPECT_EQ(Text(), u"привет") << "a click outside the window in front keeps the run";

    ASSERT_TRUE(w.engine->Switch().Deactivate());
    EXPECT_EQ(w.os.mouse.InstalledHooks(), 0u) << "off, the program watches no clicks";
}

class OneLayoutStoryTest : public ConversionStoryTest {
protected:
    OneLayoutStoryTest() : ConversionStoryTest({sim::kLayoutUs}) {}
};

TEST_F(OneLayoutStoryTest, CaseChangesWorkWithASingleLayoutWhileLayoutConversionsDoNothing) {
    w.document->SetText(u"Hello world. bye");
    w.document->SelectAll();
    WinKey(kUp);
    EXPECT_EQ(Text(), u"HELLO WORLD. BYE");

    w.document->SelectAll();
    WinShift();
    EXPECT_EQ(Text(), u"HELLO WORLD. BYE") << "no second layout to convert into";
}

class ConversionStoryDeTest : public ConversionStoryTest {
protected:
    ConversionStoryDeTest() : ConversionStoryTest({sim::kLayoutDe, sim::kLayoutUs}) {}
};

TEST_F(ConversionStoryDeTest, AltGrAndDeadKeysSurviveARoundTrip) {
    w.os.keyboard.SetLayoutOfThread(sim::SimForegroundApp::kThreadId, sim::kLayoutDe);
    w.os.desktop.PostToWindow(w.appWindow, msg::kLayoutChanged, 0, static_cast<std::intptr_t>(sim::kLayoutDe));
    w.Settle(10);
    Type(u"A");
    AltGr('Q');
    w.os.driver.Tap(220);  // the circumflex dead key of the German layout
    Type(u"E");
    ASSERT_EQ(Text(), u"a@ê");
    WinShift();
    EXPECT_EQ(w.editor->Layout(), sim::kLayoutUs);
    EXPECT_EQ(Text(), u"a`e") << "the same keys in US: AltGr+Q types nothing, the circumflex key is the grave";
    WinShift();
    EXPECT_EQ(w.editor->Layout(), sim::kLayoutDe);
    EXPECT_EQ(Text(), u"a@ê");
}

// Keys that type nothing in the other layout, or only start a character there, change how many
// characters are on screen; each conversion erases what the one before it left, no more.
class ConversionStoryFrRuTest : public ConversionStoryTest {
protected:
    ConversionStoryFrRuTest() : ConversionStoryTest({sim::kLayoutFr, sim::kLayoutRu}) {}
};

TEST_F(ConversionStoryFrRuTest, AKeyThatTypesNothingInTheOtherLayoutConvertsBackWithoutLoss) {
    UseLayout(sim::kLayoutFr);
    w.document->SetText(u"xy");
    Type(u"A");
    AltGr('5');
    Type(u"B");
    ASSERT_EQ(Text(), u"xya[b");
    WinShift();
    EXPECT_EQ(Text(), u"xyйи") << "Russian has no AltGr character on that key";
    WinShift();
    EXPECT_EQ(Text(), u"xya[b") << "the text before the run stays";
}

class ConversionStoryRuDeTest : public ConversionStoryTest {
protected:
    ConversionStoryRuDeTest() : ConversionStoryTest({sim::kLayoutRu, sim::kLayoutDe}) {}
};

TEST_F(ConversionStoryRuDeTest, TheKeyThatIsADeadKeyInOneLayoutConvertsBothWays) {
    constexpr std::uint8_t kRuYo = 0xC0, kDeCircumflex = 0xDC, kDeOUmlaut = 0xC0;
    struct Case {
        LayoutHandle typedIn;
        std::vector<std::uint8_t> keys;
        const char16_t* typed;
        const char16_t* converted;
    };
    for (const Case& c : {Case{sim::kLayoutRu, {kRuYo, 'E'}, u"xyёу", u"xyê"},
                          Case{sim::kLayoutDe, {kDeCircumflex, 'E'}, u"xyê", u"xyёу"},
                          Case{sim::kLayoutDe, {kDeCircumflex, kDeOUmlaut}, u"xy^ö", u"xyёж"}}) {
        SCOPED_TRACE(Utf16ToUtf8(c.typed));
        w.os.driver.Tap(13);
        UseLayout(c.typedIn);
        w.document->SetText(u"xy");
        for (std::uint8_t key : c.keys) w.os.driver.Tap(key);
        ASSERT_EQ(Text(), c.typed);
        WinShift();
        EXPECT_EQ(Text(), c.converted);
        WinShift();
        EXPECT_EQ(Text(), c.typed);
        EXPECT_EQ(w.editor->Layout(), c.typedIn);
    }
}

class ConversionStoryFrTest : public ConversionStoryTest {
protected:
    ConversionStoryFrTest() : ConversionStoryTest({sim::kLayoutUs, sim::kLayoutFr}) {}
};

TEST_F(ConversionStoryFrTest, AzertyBothWays) {
    Type(u"QA");  // the keys at the US positions of Q and A
    ASSERT_EQ(Text(), u"qa");
    WinShift();
    EXPECT_EQ(Text(), u"aq") << "the same keys in AZERTY";
    WinShift();
    EXPECT_EQ(Text(), u"qa");

    w.os.driver.Tap(13);
    w.document->SetText(u"aq");
    w.document->SelectAll();
    WinShift();
    EXPECT_EQ(Text(), u"qa") << "a selection typed in AZERTY converts back to US";
}

}  // namespace
}  // namespace kv
