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

}  // namespace kv::win32
