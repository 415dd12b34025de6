#include <gtest/gtest.h>
#include <windows.h>

#include "clipboard/clipboard_stream.h"
#include "common/key_text.h"
#include "platform/win32/win32_platform.h"

namespace kv {
namespace {

// The clipboard refuses data from an owner-less open, so the tests own a window.
class RealClipboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner_ = CreateWindowExW(0, L"STATIC", L"clipboard owner", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(owner_, nullptr);
        formats_ = ClipboardFormats::Register(os.clipboard);
        access_ = std::make_unique<ClipboardAccess>(os.clipboard, os.loop, os.clock, os.system, formats_,
                                                    reinterpret_cast<WindowHandle>(owner_));
    }
    void TearDown() override { DestroyWindow(owner_); }

    static std::string Get(UINT format) {
        std::string bytes;
        if (!OpenClipboard(nullptr)) return "<busy>";
        if (HANDLE h = GetClipboardData(format)) {
            bytes.assign(static_cast<const char*>(GlobalLock(h)), GlobalSize(h));
            GlobalUnlock(h);
        } else {
            bytes = "<none>";
        }
        CloseClipboard();
        return bytes;
    }

    win32::Win32Platform os;
    HWND owner_ = nullptr;
    ClipboardFormats formats_;
    std::unique_ptr<ClipboardAccess> access_;
};

TEST_F(RealClipboardTest, CopyTextGivesAnsiAndUnicodeWithTheirTerminators) {
    ASSERT_TRUE(access_->CopyTextToClipboard(u"abc"));
    EXPECT_EQ(Get(CF_TEXT).substr(0, 4), std::string("abc\0", 4));
    EXPECT_EQ(Get(CF_UNICODETEXT).substr(0, 8), std::string("a\0b\0c\0\0\0", 8));
    EXPECT_EQ(access_->GetClipboardText(), u"abc");
    ASSERT_TRUE(access_->CopyTextToClipboard(u"Привет, мир"));
    EXPECT_EQ(access_->GetClipboardText(), u"Привет, мир");
}

TEST_F(RealClipboardTest, SnapshotAndRestoreOfSeveralFormats) {
    const std::string html = "Version:0.9\r\n<b>bold</b>";
    const std::string rtf = "{\\rtf1\\ansi bold}";
    ASSERT_TRUE(access_->CopyTextToClipboard(u"bold"));
    ASSERT_TRUE(access_->SetClipboardBuffer(formats_.html, html, false));
    ASSERT_TRUE(access_->SetClipboardBuffer(formats_.richText, rtf, false));
    std::string stream;
    ASSERT_EQ(access_->SaveClipboardToStream(stream), SnapshotResult::Saved);

    ASSERT_TRUE(access_->CopyTextToClipboard(u"something else"));
    ASSERT_TRUE(access_->RestoreClipboardFromStream(stream));
    EXPECT_EQ(access_->GetClipboardText(), u"bold");
    EXPECT_EQ(Get(formats_.html).substr(0, html.size()), html);
    EXPECT_EQ(Get(formats_.richText).substr(0, rtf.size()), rtf);

    ASSERT_TRUE(access_->RestoreClipboardFromStream(stream, formats_.html));
    EXPECT_EQ(Get(formats_.html).substr(0, html.size()), html);
    EXPECT_EQ(Get(CF_UNICODETEXT), "<none>");
    ASSERT_TRUE(access_->RestoreClipboardFromStream(stream, CF_DIBV5));
    EXPECT_EQ(Get(formats_.html), "<none>");
    EXPECT_EQ(CountClipboardFormats(), 0);
}

TEST(RealKeyboardTest, CharForKeyInTheUsLayout) {
    win32::Win32Platform os;
    BYTE none[256] = {};
    BYTE shift[256] = {};
    shift[VK_SHIFT] = 0x80;
    shift[VK_LSHIFT] = 0x80;
    const LayoutHandle us = kUsEnglishLayout;
    EXPECT_EQ(CharForKey(os.layouts, 'A', none, us), u'a');
    EXPECT_EQ(CharForKey(os.layouts, 'A', shift, us), u'A');
    EXPECT_EQ(CharForKey(os.layouts, '2', shift, us), u'@');
    EXPECT_EQ(CharForKey(os.layouts, VK_OEM_1, none, us), u';');
    EXPECT_EQ(CharForKey(os.layouts, VK_OEM_7, shift, us), u'"');
    EXPECT_EQ(CharForKey(os.layouts, VK_F1, none, us), u' ');
    EXPECT_EQ(CharForKey(os.layouts, VK_SPACE, none, us), u' ');
    const auto installed = os.layouts.InstalledLayouts();
    ASSERT_FALSE(installed.empty());
    EXPECT_EQ(installed.front() & 0xFFFF, 0x0409u);
}

}  // namespace
}  // namespace kv
