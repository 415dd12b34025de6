#pragma once
// The reach of a library that shares the desktop with a library of the other bitness: instead of
// hooking every application, it hooks only the threads that come to the front and belong to
// applications of its own bitness. Hooks of the other bitness never enter an application's hook
// chain then, so neither library can stand in the other's way there.
#include <windows.h>

namespace kv::hooklib {

// Puts the two message hooks on `window`'s thread when its process has the library's bitness and
// the thread is not hooked yet. Runs on the hooking thread only (from its window events).
void HookThreadOf(HWND window) noexcept;
void RemoveThreadHooks() noexcept;

// The module the hook procedures live in; set when the library is mapped.
HINSTANCE HookModule() noexcept;

}  // namespace kv::hooklib
