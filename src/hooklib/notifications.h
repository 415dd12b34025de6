#pragma once
// Posting notifications to the program's window, from whichever process the library runs in.
// Nothing here waits on another thread: only PostMessage and non-blocking queries.
#include <windows.h>

namespace kv::hooklib {

// False once UnHook has run (or before Hook): then nothing is posted.
bool Hooked() noexcept;
void Notify(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) noexcept;

// The current foreground window, when it differs from the one last reported, goes out as 1185
// (0 for the desktop or no window), followed by 1174 with its thread's layout. Returns whether
// it was new.
bool ReportForeground() noexcept;

// 1174; unless `always`, only when the layout differs from the one last reported.
void ReportLayout(HKL layout, bool always) noexcept;

bool OnForegroundThread() noexcept;
bool InOwnerProcess() noexcept;

}  // namespace kv::hooklib
