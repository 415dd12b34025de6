#pragma once
// The hook procedures that run inside every application of the library's bitness.
#include <windows.h>

namespace kv::hooklib {

LRESULT CALLBACK GetMessageHookProc(int code, WPARAM wParam, LPARAM lParam) noexcept;
LRESULT CALLBACK CallWndProcHookProc(int code, WPARAM wParam, LPARAM lParam) noexcept;

}  // namespace kv::hooklib
