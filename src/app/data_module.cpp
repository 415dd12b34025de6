#include "app/data_module.h"

#include "app/app_singletons.h"
#include "platform/win_constants.h"
#include "settings/apply_color_scheme.h"

namespace kv {

void TDataDM::DataModuleCreate() {
    app_.log.WriteLog(u"DataDM");
    menuStyle_ = MenuStyleForOS(app_.platform.version);
    ApplyColorScheme();
    BuildActionKinds();
}

void TDataDM::BuildActionKinds() { kinds_ = kv::BuildActionKinds(app_.lang); }

// The keyboard's label line is measured once the renderer exists; until then it is the minimum.
void TDataDM::ApplyColorScheme() { kv::ApplyColorScheme(theme_, app_.preset, app_.platform.colors, nullptr); }

void TDataDM::DataModuleDestroy(WindowHandle companionWindow) {
    // Sent, and WM_DESTROY rather than WM_CLOSE: the companion ends on exactly this.
    if (companionWindow != kNoWindow) app_.platform.windows.SendToWindow(companionWindow, win::kWmDestroy, 0, 0);
}

}  // namespace kv
