#pragma once
#include <windows.h>

#include "platform/win32/win32_handles.h"

namespace kv::win32 {

// A library of the system folder, loaded by full path: a bare name would pick up a planted copy
// in the program's or the current folder. Empty when it cannot be loaded.
UniqueModule LoadSystemLibrary(const wchar_t* fileName);

// A system library by name only, for one the program's manifest redirects to a side-by-side
// version (comctl32.dll): a full path would bypass the redirection. Without it the search covers
// the system folder only; systems too old for that restriction search as they always did.
UniqueModule LoadSideBySideSystemLibrary(const wchar_t* fileName);

// The export `name` of `library` as a pointer to a function of type Fn; null when it is missing.
template <typename Fn>
Fn ExportOf(HMODULE library, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

}  // namespace kv::win32
