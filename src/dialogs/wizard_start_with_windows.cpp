#include "dialogs/wizard_start_with_windows.h"

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

std::u16string WizardElevoptParameters(const std::u16string& programPath, bool startWithWindows) {
    return u"\"" + programPath + u"\"" + (startWithWindows ? u" 1" : u" 0") + u" 2";
}

bool InitialStartWithWindowsCheck(const OsVersion& version, bool isStartWithWindows) {
    return IsVistaOrLater(version) ? isStartWithWindows : true;
}

bool ChangeStartWithWindowsFromWizard(Platform& platform, const std::u16string& appFolder,
                                      const std::u16string& programPath, bool wanted) {
    if (IsStartWithWindows(platform.registry, programPath) == wanted) return wanted;
    RunElevated(platform.shell, IsVistaOrLater(platform.version.Version()), kNoWindow, appFolder + u"Elevopt.exe",
                WizardElevoptParameters(programPath, wanted));
    WaitPumping(platform, kFirstWaitMs);
    for (int step = 0; step < kMaxSteps; ++step) {
        if (IsStartWithWindows(platform.registry, programPath) == wanted) break;
        WaitPumping(platform, kStepMs);
    }
    return IsStartWithWindows(platform.registry, programPath);
}

}  // namespace kv
