// The settings window in the running program on the simulated Windows: the tray's Settings item
// opens it once, its tray items are off while it exists, a language change reaches it, a hotkey
// captured through it is the program's at once, and closing frees it.
#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "app/app_singletons.h"
#include "app/application_shell.h"
#include "app/keyboard_engine.h"
#include "common/key_classes.h"
#include "dialogs/shortcut_capture.h"
#include "platform/win_constants.h"
#include "settings/preset.h"
#include "sim_app_windows.h"
#include "sim_platform.h"

namespace kv {
namespace {

class SettingsWindowStoryTest : public ::testing::Test {
protected:
    SettingsWindowStoryTest() {
        os.InstallLanguages();
        os.InstallHookLibrary();
        os.InstallCompanion();
        os.loop.SetRunLimit(20000);
    }
    // Runs the program; `story` runs inside its message loop, then the program ends.
    void Run(std::function<void()> story) {
        app = std::make_unique<AppSingletons>(os.platform);
        shell = std::make_unique<ApplicationShell>(*app, windows);
        windows.UseLanguage(app->lang);
        os.loop.StartTimer(1500, [this, story, done = false]() mutable {
            if (done) return;
            done = true;
            story();
            os.desktop.PostToWindow(os.desktop.FindTopLevelWindow(u"TFirstForm", u"KarmuxFirstForm"), win::kWmClose, 0, 0);
        });
        shell->Run();
    }
    // The tray menu as a right click pops it up, answered with `choice`.
    const std::vector<MenuEntry>& TrayMenu(int choice = 0) {
        windows.Menus().Choose(choice);
        windows.Tray().Events()->OnIconClick(true);
        os.loop.ProcessPendingMessages();
        return windows.Menus().Popups().back().items;
    }
    static const MenuEntry* Item(const std::vector<MenuEntry>& menu, TrayItem item) {
        for (const MenuEntry& entry : menu) {
            if (entry.id == static_cast<int>(item)) return &entry;
        }
        return nullptr;
    }

    sim::SimPlatform os;
    sim::SimAppWindows windows{os.desktop};
    std::unique_ptr<AppSingletons> app;
    std::unique_ptr<ApplicationShell> shell;
};

TEST_F(SettingsWindowStoryTest, TheTrayOpensOneWindowWhoseItemsAreOffUntilItCloses) {
    bool ran = false;
    Run([&] {
        ran = true;
        ASSERT_TRUE(Item(TrayMenu(), TrayItem::Settings)->enabled);
        TrayMenu(static_cast<int>(TrayItem::Settings));
        os.loop.ProcessPendingMessages();
        sim::SimSettingsWindow* window = windows.SettingsWindow();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->Activations(), 1);
        EXPECT_FALSE(Item(TrayMenu(), TrayItem::Settings)->enabled);
        EXPECT_FALSE(Item(TrayMenu(), TrayItem::ActionSetup)->enabled);

        window->Context().Preset().SetLanguage(1049);
        EXPECT_GE(window->LanguageApplications(), 1) << "a language change re-captions the open window";

        window->Close();
        EXPECT_TRUE(Item(TrayMenu(), TrayItem::Settings)->enabled);
        EXPECT_TRUE(Item(TrayMenu(), TrayItem::ActionSetup)->enabled);
        os.loop.WaitForMessages(10);
        os.loop.ProcessPendingMessages();
        EXPECT_EQ(windows.SettingsWindow(), nullptr) << "freed after closing";
    });
    EXPECT_TRUE(ran);
}

TEST_F(SettingsWindowStoryTest, AHotkeyCapturedThroughTheWindowIsTheProgramsAtOnce) {
    bool ran = false;
    Run([&] {
        ran = true;
        TrayMenu(static_cast<int>(TrayItem::Settings));
        ISettingsHost& host = windows.SettingsWindow()->Host();
        windows.whileCaptureDialogOpen = [&](ShortcutCapture& capture) {
            capture.Start();
            os.driver.Press(vk::kLeftShift);
            os.driver.Tap('Q');
            os.driver.Release(vk::kLeftShift);
            capture.Stop();
            return true;
        };
        HotkeyCode code = windows.SettingsWindow()->Context().Preset().SCSwitchLang();
        ASSERT_TRUE(host.CaptureShortcut(code));
        EXPECT_EQ(windows.CaptureOldTexts().back(), host.HotkeyText(EncodeHotkey(vk::kRightControl, 0)));
        EXPECT_EQ(code, EncodeHotkey('Q', hotkey_mod::kLeftShift));

        // Cancelled: the hotkey stays as it was.
        windows.whileCaptureDialogOpen = [&](ShortcutCapture& capture) {
            capture.Start();
            os.driver.Tap('W');
            return false;
        };
        HotkeyCode unchanged = code;
        EXPECT_FALSE(host.CaptureShortcut(unchanged));
        EXPECT_EQ(unchanged, code);
        EXPECT_TRUE(shell->Parts()->model.keyboard.Active()) << "the keyboard model follows the keyboard again";
    });
    EXPECT_TRUE(ran);
}

// The capture dialog shows the keyboard in its own preview: the on-screen keyboard is put away
// while it runs and comes back as it was, whether the dialog was confirmed or cancelled.
TEST_F(SettingsWindowStoryTest, TheOnScreenKeyboardIsAwayWhileTheCaptureDialogRuns) {
    bool ran = false;
    Run([&] {
        ran = true;
        TrayMenu(static_cast<int>(TrayItem::Settings));
        ISettingsHost& host = windows.SettingsWindow()->Host();
        struct Case {
            bool shownBefore;
            bool confirmed;
        };
        for (const Case c : {Case{true, true}, Case{true, false}, Case{false, true}, Case{false, false}}) {
            if (windows.Keyboard().shown != c.shownBefore) TrayMenu(static_cast<int>(TrayItem::ShowMainKeyboard));
            ASSERT_EQ(windows.Keyboard().shown, c.shownBefore);
            std::optional<bool> shownDuringCapture;
            windows.whileCaptureDialogOpen = [&](ShortcutCapture& capture) {
                shownDuringCapture = windows.Keyboard().shown;
                capture.Start();
                os.driver.Tap('W');
                capture.Stop();
                return c.confirmed;
            };
            HotkeyCode code = windows.SettingsWindow()->Context().Preset().SCSwitchLang();
            EXPECT_EQ(host.CaptureShortcut(code), c.confirmed);
            EXPECT_EQ(shownDuringCapture, std::optional<bool>(false))
                << "shown before " << c.shownBefore << " confirmed " << c.confirmed;
            EXPECT_EQ(windows.Keyboard().shown, c.shownBefore) << "confirmed " << c.confirmed;
        }
    });
    EXPECT_TRUE(ran);
}

}  // namespace
}  // namespace kv
