#include <gtest/gtest.h>

#include "common/messages.h"
#include "keyboard/layout_char_cache.h"
#include "keyboard_engine_fixture.h"

namespace kv {
namespace {

// Any process can post to the application window, so a reported layout is followed only when
// it is one of the installed layouts.
TEST(LibraryMessagesTest, LayoutChangeIsFollowedOnlyForAnInstalledLayout) {
    // 32-bit Windows, where the character cache keeps every layout it meets.
    test::EngineWorld w({sim::kLayoutUs, sim::kLayoutRu, sim::kLayoutDe}, 6, false);
    w.Preset().SetShowLangIcon(true);
    ASSERT_TRUE(w.Activate());
    w.Settle();
    const LayoutHandle before = w.Model().Layout();
    const std::size_t cached = w.model->charCache.Count();
    const int trayUpdates = w.tray.Count("UpdateTrayIcon");

    for (LayoutHandle bogus : {LayoutHandle{0x12345678}, LayoutHandle{0xF0010409}, LayoutHandle{0x00000419}}) {
        w.os.desktop.PostToWindow(w.appWindow, msg::kLayoutChanged, 0, static_cast<std::intptr_t>(bogus));
    }
    w.Settle();
    EXPECT_EQ(w.Model().Layout(), before);
    EXPECT_EQ(w.model->charCache.Count(), cached) << "no characters computed for a layout nobody has";
    EXPECT_EQ(w.tray.Count("UpdateTrayIcon"), trayUpdates);

    ASSERT_NE(before, sim::kLayoutDe);
    w.os.desktop.PostToWindow(w.appWindow, msg::kLayoutChanged, 0, static_cast<std::intptr_t>(sim::kLayoutDe));
    w.Settle();
    EXPECT_EQ(w.Model().Layout(), sim::kLayoutDe);
    EXPECT_EQ(w.model->charCache.Count(), cached + 1);
    EXPECT_EQ(w.tray.Count("UpdateTrayIcon"), trayUpdates + 1);
}

TEST(LibraryMessagesTest, ALayoutInstalledWhileRunningIsFollowed) {
    test::EngineWorld w({sim::kLayoutUs, sim::kLayoutRu});
    ASSERT_TRUE(w.Activate());
    w.Settle();
    w.os.desktop.PostToWindow(w.appWindow, msg::kLayoutChanged, 0, static_cast<std::intptr_t>(sim::kLayoutDe));
    w.Settle();
    EXPECT_NE(w.Model().Layout(), sim::kLayoutDe) << "not installed yet";

    w.os.keyboard.SetInstalled({sim::kLayoutUs, sim::kLayoutRu, sim::kLayoutDe});
    w.os.desktop.PostToWindow(w.appWindow, msg::kLayoutChanged, 0, static_cast<std::intptr_t>(sim::kLayoutDe));
    w.Settle();
    EXPECT_EQ(w.Model().Layout(), sim::kLayoutDe);
}

}  // namespace
}  // namespace kv
