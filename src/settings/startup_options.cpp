#include "settings/startup_options.h"

#include "common/system_services.h"
#include "common/waits.h"
#include "platform/win_constants.h"
#include "settings/start_with_windows.h"

namespace kv {

namespace {
constexpr std::uint32_t kFirstWaitMs = 100;
constexpr std::uint32_t kStepMs = 100;
constexpr int kMaxSteps = 21;

bool IsVistaOrLater(const OsVersion& v) { return v.platformId == win::kVerPlatformWin32Nt && v.major >= 6; }
}  // namespace

std::u16string ElevoptParameters(const std::u16string& programPath, StartupState wanted) {
    return u"\"" + programPath + u"\"" + (wanted.startWithWindows ? u" 1" : u" 0") + (wanted.contextMenu ? u" 1" : u" 0");
}

StartupState ReadStartupState(IRegistry& registry, const std::u16string& programPath) {
    return {IsStartWithWindows(registry, programPath), IsContextMenuRegistered(registry)};
}

void RunElevoptUntil(Platform& platform, const std::u16string& appFolder, const std::u16string& parameters,
                     const std::function<bool()>& reached) {
    RunElevated(platform.shell, IsVistaOrLater(platform.version.Version()), kNoWindow, appFolder + u"Elevopt.exe",
                parameters);
    WaitPumping(platform, kFirstWaitMs);
    for (int step = 0; step < kMaxSteps; ++step) {
        if (reached()) break;
        WaitPumping(platform, kStepMs);
    }
}

StartupState ApplyStartupOptions(Platform& platform, const std::u16string& appFolder,
                                 const std::u16string& programPath, StartupState wanted) {
    RunElevoptUntil(platform, appFolder, ElevoptParameters(programPath, wanted),
                    [&] { return ReadStartupState(platform.registry, programPath) == wanted; });
    return ReadStartupState(platform.registry, programPath);
}

}  // namespace kv
