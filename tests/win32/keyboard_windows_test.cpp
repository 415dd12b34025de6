// The on-screen keyboard's windows on a real desktop: top-most, never activated, layered, and
// moved and sized together.
#include <gtest/gtest.h>
#include <windows.h>

#include <span>
#include <string>

#include "picture_fixtures.h"
#include "platform/win32/win32_message_loop.h"
#include "resources/kv_lang.h"
#include "win32/common_controls.h"
#include "win32/win32_keyboard_windows.h"

namespace kv::win32app {
namespace {

class KeyboardWindowsTest : public ::testing::Test {
protected:
    KeyboardWindowsTest() {
        windows.CreateKeyboardForm([] { return std::u16string(u"On-Screen Keyboard"); }, lang);
        windows.CreateBackgroundForm();
    }
    ~KeyboardWindowsTest() override {
        windows.DestroyKeyboardForm();
        windows.DestroyBackgroundForm();
    }
    win32::Win32MessageLoop loop;
    CommonControls controls;
    TKvLang lang;
    Win32KeyboardWindows windows{loop, controls};
};

TEST_F(KeyboardWindowsTest, BothFloatWithoutEverTakingTheFocus) {
    for (HWND hwnd : {windows.KeyboardHandle(), windows.BackgroundHandle()}) {
        ASSERT_NE(hwnd, nullptr);
        const LONG_PTR ex = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
        EXPECT_TRUE(ex & WS_EX_TOPMOST);
        EXPECT_TRUE(ex & WS_EX_NOACTIVATE);
        EXPECT_TRUE(ex & WS_EX_LAYERED);
        EXPECT_EQ(GetWindowLongPtrW(hwnd, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);
        EXPECT_EQ(SendMessageW(hwnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
                  MA_NOACTIVATE);
        EXPECT_EQ(GetWindow(hwnd, GW_OWNER), nullptr) << "the desktop is its parent";
    }
}

TEST_F(KeyboardWindowsTest, TheKeyboardTakesItsCaptionFromTheInterfaceLanguage) {
    wchar_t caption[64] = {};
    GetWindowTextW(windows.KeyboardHandle(), caption, 64);
    EXPECT_EQ(std::wstring(caption), L"On-Screen Keyboard");
}

TEST_F(KeyboardWindowsTest, ShownMovedAndSizedTogether) {
    HWND before = GetForegroundWindow();
    windows.SetImageSize(777, 243);
    windows.MoveTo({120, 140});
    windows.ShowWindows(5);
    EXPECT_TRUE(windows.IsShown());
    EXPECT_TRUE(IsWindowVisible(windows.BackgroundHandle()));
    EXPECT_EQ(GetForegroundWindow(), before) << "showing activates nothing";
    const Rect bounds = windows.Bounds();
    EXPECT_EQ(bounds, (Rect{120, 140, 120 + 777, 140 + 243}));
    RECT backdrop{};
    GetWindowRect(windows.BackgroundHandle(), &backdrop);
    EXPECT_EQ(backdrop.left, 120);
    EXPECT_EQ(backdrop.bottom, 140 + 243);
    const RECT panel = [&] {
        RECT r{};
        GetClientRect(windows.KeyboardHandle(), &r);
        return r;
    }();
    EXPECT_EQ(panel.right, 777);
    windows.HideWindows();
    EXPECT_FALSE(windows.IsShown());
    EXPECT_FALSE(IsWindowVisible(windows.BackgroundHandle()));
}

// A picture file in the temporary folder, deleted at the end.
std::u16string WritePicture(const wchar_t* name, std::span<const std::uint8_t> bytes) {
    wchar_t folder[MAX_PATH]{};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"kv_backdrop_" + std::to_wstring(GetCurrentProcessId()) + name;
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }
    return std::u16string(path.begin(), path.end());
}

TEST_F(KeyboardWindowsTest, TheBackdropTakesEveryPictureKindAndRefusesABrokenOne) {
    const std::u16string png = WritePicture(L".png", {test::k_pic_png, test::k_pic_png_len});
    const std::u16string jpg = WritePicture(L".jpg", {test::k_pic_jpg, test::k_pic_jpg_len});
    const std::u16string broken = WritePicture(L"_half.png", {test::k_pic_png, test::k_pic_png_len / 2});
    EXPECT_TRUE(windows.SetBackdropPicture(png));
    EXPECT_TRUE(windows.SetBackdropPicture(jpg));
    EXPECT_FALSE(windows.SetBackdropPicture(broken));
    EXPECT_FALSE(windows.SetBackdropPicture(u"C:\\no such folder\\none.png"));
    for (const std::u16string& path : {png, jpg, broken}) DeleteFileW(reinterpret_cast<const wchar_t*>(path.c_str()));
}

}  // namespace
}  // namespace kv::win32app
