#include "platform/win32/system_library.h"

#include <string>

namespace kv::win32 {

UniqueModule LoadSystemLibrary(const wchar_t* fileName) {
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return UniqueModule();
    const std::wstring path = std::wstring(folder, length) + L"\\" + fileName;
    return UniqueModule(LoadLibraryW(path.c_str()));
}

UniqueModule LoadSideBySideSystemLibrary(const wchar_t* fileName) {
    constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
    HMODULE module = LoadLibraryExW(fileName, nullptr, kSearchSystem32);
    // Systems that predate the flag refuse it as an invalid parameter.
    if (!module && GetLastError() == ERROR_INVALID_PARAMETER) module = LoadLibraryW(fileName);
    return UniqueModule(module);
}

}  // namespace kv::win32
