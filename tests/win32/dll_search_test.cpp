#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/win32/dll_search.h"

namespace kv {
namespace {

std::wstring ExeFolder() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

// A folder of its own, current while the test runs, holding a library no system has.
class PlantedCurrentFolder {
public:
    PlantedCurrentFolder() {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"kv_dll_search_" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(folder_.c_str(), nullptr);
        copied_ = CopyFileW((ExeFolder() + L"kv_planted_library.dll").c_str(), Library().c_str(), FALSE) != FALSE;
        GetCurrentDirectoryW(MAX_PATH, previous_);
        SetCurrentDirectoryW(folder_.c_str());
    }
    ~PlantedCurrentFolder() {
        SetCurrentDirectoryW(previous_);
        DeleteFileW((Library() + L".loaded").c_str());
        DeleteFileW(Library().c_str());
        RemoveDirectoryW(folder_.c_str());
    }
    bool Ready() const { return copied_; }
    std::wstring Library() const { return folder_ + L"\\" + kName; }
    static constexpr const wchar_t* kName = L"kv_search_probe.dll";

private:
    std::wstring folder_;
    wchar_t previous_[MAX_PATH] = {};
    bool copied_ = false;
};

// From the restriction on, a library named without a folder is no longer looked for in the
// current folder, where the default search would find a planted one.
TEST(DllSearchTest, AfterTheRestrictionALibraryInTheCurrentFolderIsNotFoundByName) {
    PlantedCurrentFolder plant;
    ASSERT_TRUE(plant.Ready()) << "kv_planted_library.dll not beside the test";

    HMODULE found = LoadLibraryW(PlantedCurrentFolder::kName);
    ASSERT_NE(found, nullptr) << "the default search does not take the current folder: the test would prove nothing";
    FreeLibrary(found);

    win32::RestrictDllSearchToSystemFolder();
    HMODULE afterwards = LoadLibraryW(PlantedCurrentFolder::kName);
    EXPECT_EQ(afterwards, nullptr);
    if (afterwards) FreeLibrary(afterwards);
    EXPECT_NE(LoadLibraryW(L"wtsapi32.dll"), nullptr) << "system libraries are still found by name";

    // The other tests of this process search the usual places again (the current folder aside).
    using SetDirectoriesFn = BOOL(WINAPI*)(DWORD);
    auto setDirectories = reinterpret_cast<SetDirectoriesFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (setDirectories) setDirectories(0x00001000);  // LOAD_LIBRARY_SEARCH_DEFAULT_DIRS
}

}  // namespace
}  // namespace kv
