#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "links/help_contexts.h"
#include "platform/paths.h"
#include "platform/win32/win32_html_help.h"
#include "platform/win32/win32_processes.h"
#include "platform/win32/win32_text.h"

namespace kv {
namespace {

// The help files are compiled beside the test executable, as beside the program.
std::u16string BuiltFile(const char16_t* name) {
    win32::Win32Processes processes;
    return FolderOf(processes.ExecutablePath()) + name;
}

std::string FirstBytes(const std::u16string& path, DWORD count) {
    HANDLE file = CreateFileW(win32::W(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<missing>";
    std::string head(count, '\0');
    DWORD read = 0;
    ReadFile(file, head.data(), count, &read, nullptr);
    CloseHandle(file);
    head.resize(read);
    return head;
}

TEST(HtmlHelpTest, CompiledHelpFilesAreItsfFiles) {
    for (const char16_t* name : {u"Karmux.chm", u"KarmuxRu.chm"}) {
        EXPECT_EQ(FirstBytes(BuiltFile(name), 4), "ITSF") << win32::ToAnsiCodePage(name);
    }
}

// Before the other viewer tests: run with them in one process, it must come before any of them
// loads the viewer.
TEST(HtmlHelpTest, TheViewerLoadsWhenHelpIsFirstAskedFor) {
    ASSERT_EQ(GetModuleHandleW(L"hhctrl.ocx"), nullptr) << "another test of this process loaded the viewer";
    win32::Win32HtmlHelp help;
    EXPECT_EQ(GetModuleHandleW(L"hhctrl.ocx"), nullptr) << "nothing is loaded before help is asked for";
    EXPECT_TRUE(help.ShowContents(BuiltFile(u"Karmux.chm")));
    EXPECT_NE(GetModuleHandleW(L"hhctrl.ocx"), nullptr);
}

TEST(HtmlHelpTest, SystemViewerProvidesHtmlHelpW) {
    win32::Win32HtmlHelp help;
    EXPECT_TRUE(help.LoadViewer());
}

TEST(HtmlHelpTest, WindowContextsAndContentsOpenTheCompiledHelp) {
    win32::Win32HtmlHelp help;
    ASSERT_TRUE(help.LoadViewer());
    const std::u16string file = BuiltFile(u"Karmux.chm");
    EXPECT_TRUE(help.ShowContents(file));
    for (const int context : help_context::kAll) EXPECT_TRUE(help.ShowContext(file, context)) << context;
}

TEST(HtmlHelpTest, UnmappedContextOpensNothing) {
    win32::Win32HtmlHelp help;
    ASSERT_TRUE(help.LoadViewer());
    EXPECT_FALSE(help.ShowContext(BuiltFile(u"Karmux.chm"), 12345));
}

}  // namespace
}  // namespace kv
