#pragma once
// Starting with Windows is machine-wide, so the settings window cannot write it itself: it
// starts the elevated options program and then watches the registry for about 2.2 s until the
// state it asked for shows. Whatever happened (done, refused at the elevation prompt, too
// slow), the caller gets the machine's real state back to show.
#include <functional>
#include <string>

#include "platform/platform.h"

namespace kv {

struct StartupState {
    bool startWithWindows = false;
    bool contextMenu = false;
    friend bool operator==(const StartupState&, const StartupState&) = default;
};

// `"<program>" <0|1> <0|1>`, as the elevated options program expects it.
std::u16string ElevoptParameters(const std::u16string& programPath, StartupState wanted);

StartupState ReadStartupState(IRegistry& registry, const std::u16string& programPath);

// Starts `appFolder` + "Elevopt.exe" elevated with `parameters` and waits (pumping messages)
// until `reached` holds, for about 2.2 s at most; a failure to start throws the system's error.
void RunElevoptUntil(Platform& platform, const std::u16string& appFolder, const std::u16string& parameters,
                     const std::function<bool()>& reached);

// Starts `appFolder` + "Elevopt.exe" elevated and waits (pumping messages) for `wanted` to
// show; a failure to start throws the system's error. Returns the state then in force.
StartupState ApplyStartupOptions(Platform& platform, const std::u16string& appFolder,
                                 const std::u16string& programPath, StartupState wanted);

}  // namespace kv
