// The floating language panel's window on a real desktop: an unowned top-most layered tool window
// that never activates, placed, sized and made translucent as its behaviour asks.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_message_loop.h"
#include "win32/common_controls.h"
#include "win32/language_panel_form.h"

namespace kv::win32app {
namespace {

class LanguagePanelFormTest : public ::testing::Test {
protected:
    LanguagePanelFormTest() { form.Create(); }
    win32::Win32MessageLoop loop;
    CommonControls controls;
    LanguageFlags flags{controls};
    LanguagePanelForm form{loop, controls, flags};
};

TEST_F(LanguagePanelFormTest, FloatsOverEverythingWithoutEverTakingTheFocus) {
    HWND hwnd = form.Handle();
    ASSERT_NE(hwnd, nullptr);
    const LONG_PTR ex = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
    EXPECT_TRUE(ex & WS_EX_TOPMOST);
    EXPECT_TRUE(ex & WS_EX_NOACTIVATE);
    EXPECT_TRUE(ex & WS_EX_LAYERED);
    EXPECT_TRUE(ex & WS_EX_TOOLWINDOW) << "no task-bar button";
    EXPECT_EQ(GetWindowLongPtrW(hwnd, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);
    EXPECT_EQ(GetWindow(hwnd, GW_OWNER), nullptr) << "owned by the desktop";
    EXPECT_EQ(SendMessageW(hwnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
              MA_NOACTIVATE);
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    EXPECT_STREQ(name, L"TFloatingWindowLangForm");
}

TEST_F(LanguagePanelFormTest, ShownPlacedSizedAndTranslucentAsAsked) {
    HWND before = GetForegroundWindow();
    form.Resize({64, 19});
    form.MoveTo({200, 150});
    form.ShowPanel();
    EXPECT_TRUE(form.IsShown());
    EXPECT_EQ(GetForegroundWindow(), before) << "showing activates nothing";
    EXPECT_EQ(form.Bounds(), (Rect{200, 150, 264, 169}));
    RECT client{};
    GetClientRect(form.Handle(), &client);
    EXPECT_EQ(client.right, 64) << "no frame: the client area is the whole window";

    BYTE alpha = 0;
    DWORD flags = 0;
    form.SetOpacity(204, true);
    ASSERT_TRUE(GetLayeredWindowAttributes(form.Handle(), nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 204);
    EXPECT_TRUE(flags & LWA_ALPHA);
    form.SetOpacity(204, false);
    ASSERT_TRUE(GetLayeredWindowAttributes(form.Handle(), nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 255) << "opaque while pointed at";

    EXPECT_EQ(form.Dpi(), GetDeviceCaps(win32::WindowDc(nullptr).Get(), LOGPIXELSX)) << "one monitor: the system's scale";

    // Painting buttons it was given draws without a panel attached.
    PanelButton button;
    button.layout = 0x04090409;
    button.flagIndex = 1;
    button.name = u"English (United States)";
    button.bounds = {0, 0, 64, 19};
    button.selected = true;
    form.SetButtons({button});
    EXPECT_TRUE(UpdateWindow(form.Handle()));
    form.HidePanel();
    EXPECT_FALSE(form.IsShown());
}

}  // namespace
}  // namespace kv::win32app
