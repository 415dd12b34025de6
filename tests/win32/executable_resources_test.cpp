#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/paths.h"
#include "platform/win32/win32_processes.h"
#include "platform/win32/win32_text.h"

namespace kv {
namespace {

// The program and its companion are built beside the test executable.
std::u16string BuiltFile(const char16_t* name) {
    win32::Win32Processes processes;
    return FolderOf(processes.ExecutablePath()) + name;
}

std::u16string VersionString(const std::u16string& file, const wchar_t* key) {
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(win32::W(file), &handle);
    if (size == 0) return u"<no version resource>";
    std::string block(size, '\0');
    if (!GetFileVersionInfoW(win32::W(file), 0, size, block.data())) return u"<unreadable>";
    wchar_t* value = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040904E4\\") + key;
    if (!VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length)) return u"<missing>";
    return win32::FromWide(value);
}

TEST(ExecutableResourcesTest, VersionStringsUnderTheUsEnglishBlock) {
    for (const char16_t* name : {u"Karmux.exe", u"KarmuxCm.exe"}) {
        const std::u16string file = BuiltFile(name);
        EXPECT_EQ(VersionString(file, L"ProductVersion"), u"" KV_PROJECT_VERSION) << win32::ToWide(file).size();
        EXPECT_EQ(VersionString(file, L"FileVersion"), u"" KV_PROJECT_VERSION);
    }
}

TEST(ExecutableResourcesTest, ProgramIsAGuiProgramWithItsManifest) {
    HMODULE image = LoadLibraryExW(win32::W(BuiltFile(u"Karmux.exe")), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(image, nullptr);
    HRSRC found = FindResourceW(image, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
    ASSERT_NE(found, nullptr);
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(image, found)));
    const std::string manifest(bytes, SizeofResource(image, found));
    FreeLibrary(image);
    for (const char* needed : {"Microsoft.Windows.Common-Controls", "version=\"6.0.0.0\"", "PerMonitorV2",
                               "level=\"asInvoker\""}) {
        EXPECT_NE(manifest.find(needed), std::string::npos) << needed;
    }

    const std::u16string path = BuiltFile(u"Karmux.exe");
    HANDLE file = CreateFileW(win32::W(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    std::string head(4096, '\0');
    DWORD read = 0;
    ReadFile(file, head.data(), static_cast<DWORD>(head.size()), &read, nullptr);
    CloseHandle(file);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(head.data());
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(head.data() + dos->e_lfanew);
    EXPECT_EQ(nt->OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
}

}  // namespace
}  // namespace kv
