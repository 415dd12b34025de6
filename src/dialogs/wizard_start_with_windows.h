#pragma once
// The wizard's start-with-Windows box. Starting with Windows is machine-wide, so, as in the
// settings window, the elevated options program writes it; the wizard passes "2" for the
// context menu, which that program reads as "leave it as it is". The box then shows the real
// state, so a refused elevation is visible at once.
#include <string>

#include "platform/platform.h"

namespace kv {

// `"<program>" <0|1> 2`.
std::u16string WizardElevoptParameters(const std::u16string& programPath, bool startWithWindows);

// What the box shows when the wizard opens: the real state on Vista and later; ticked on older
// systems, where the wizard then turns starting with Windows on (no elevation prompt there).
bool InitialStartWithWindowsCheck(const OsVersion& version, bool isStartWithWindows);

// The box was changed to `wanted`. Nothing happens when the machine already agrees; otherwise
// `appFolder` + "Elevopt.exe" runs elevated and the registry is watched (pumping messages) for
// about 2.2 s. Returns the state then in force, for the box. A failure to start throws.
bool ChangeStartWithWindowsFromWizard(Platform& platform, const std::u16string& appFolder,
                                      const std::u16string& programPath, bool wanted);

}  // namespace kv
