#pragma once
// Questions the hook library test asks its second process, hooktarget.exe, by SendMessage.
#include <windows.h>

namespace kv::hooktarget {

constexpr wchar_t kWindowClass[] = L"KvHookTarget";
// How many messages numbered 1175 its window procedure was given.
constexpr UINT kQuerySwitchRequestsSeen = WM_APP + 1;
// wParam of the last of them.
constexpr UINT kQueryLastSwitchRequest = WM_APP + 2;
// 1 while the hook library is mapped into the process.
constexpr UINT kQueryLibraryLoaded = WM_APP + 3;

}  // namespace kv::hooktarget
