#pragma once
// Header only: the companion, which links nothing of the program, includes it too.
#include <windows.h>

namespace kv::win32 {

// From here on, a library named without a folder (by the program, or by the system on its behalf)
// is looked for in the system folder only, never in the program's or the current folder, where
// a planted copy could wait. Systems without SetDefaultDllDirectories (before Windows 8, and
// Windows 7 without its update) keep their default search; the program starts all the same.
inline void RestrictDllSearchToSystemFolder() {
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    if (!kernel) return;
    auto restrict = reinterpret_cast<SetDefaultDllDirectoriesFn>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
    if (restrict) restrict(kSearchSystem32);
}

}  // namespace kv::win32
