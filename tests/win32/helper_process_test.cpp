#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/paths.h"
#include "platform/win32/win32_platform.h"

namespace kv {
namespace {

bool EndsWithin(const IHelperProcess& helper, DWORD ms) {
    for (DWORD waited = 0; waited < ms; waited += 50) {
        if (!helper.Running()) return true;
        Sleep(50);
    }
    return !helper.Running();
}

std::u16string BesideTests(std::u16string_view file, const win32::Win32Platform& os) {
    return FolderOf(os.processes.ExecutablePath()) + std::u16string(file);
}

// The companion runs a message loop as the 32-bit host does: asked to end, it ends on its own.
TEST(HelperProcessTest, AHelperWithAMessageLoopEndsOnRequest) {
    win32::Win32Platform os;
    ASSERT_EQ(FindWindowW(L"KarmuxCm", L"KarmuxCm"), nullptr) << "a companion is running already";
    auto helper = os.processes.StartHelper(BesideTests(u"KarmuxCm.exe", os), u"");
    ASSERT_TRUE(helper);
    EXPECT_TRUE(helper->Running());
    EXPECT_TRUE(helper->End(5000)) << "ended on request, not by force";
    EXPECT_FALSE(helper->Running());
}

TEST(HelperProcessTest, AMissingHelperDoesNotStart) {
    win32::Win32Platform os;
    EXPECT_FALSE(os.processes.StartHelper(u"C:\\no such folder\\KarmuxHost32.exe", u"1"));
    EXPECT_EQ(os.processes.ProgramBits(), sizeof(void*) * 8);
}

// The 32-bit host serves only the program beside it: given another process's window (this
// test's), a window that does not exist or no number, it ends at once without hooking.
TEST(HelperProcessTest, TheHookHostRefusesWindowsThatAreNotThePrograms) {
    win32::Win32Platform os;
    const std::u16string host = BesideTests(u"KarmuxHost32.exe", os);
    if (GetFileAttributesW(reinterpret_cast<const wchar_t*>(host.c_str())) == INVALID_FILE_ATTRIBUTES) {
        GTEST_SKIP() << "the 32-bit hook host is built with the 32-bit build only";
    }
    HWND own = CreateWindowExW(0, L"STATIC", L"not the program", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(own, nullptr);
    const std::u16string ownText = [&] {
        const std::string digits = std::to_string(reinterpret_cast<UINT_PTR>(own));
        return std::u16string(digits.begin(), digits.end());
    }();
    for (const std::u16string& arguments : {ownText, std::u16string(u"123456"), std::u16string(u"window")}) {
        auto helper = os.processes.StartHelper(host, arguments);
        ASSERT_TRUE(helper);
        EXPECT_TRUE(EndsWithin(*helper, 10000)) << "still running with " << std::string(arguments.begin(), arguments.end());
    }
    DestroyWindow(own);
}

}  // namespace
}  // namespace kv
