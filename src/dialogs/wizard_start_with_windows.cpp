#include "dialogs/wizard_start_with_windows.h"

#include "platform/win_constants.h"
#include "settings/start_with_windows.h"
#include "settings/startup_options.h"

namespace kv {

namespace {
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
    RunElevoptUntil(platform, appFolder, WizardElevoptParameters(programPath, wanted),
                    [&] { return IsStartWithWindows(platform.registry, programPath) == wanted; });
    return IsStartWithWindows(platform.registry, programPath);
}

}  // namespace kv
