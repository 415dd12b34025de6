#include "app/data_module.h"

#include "app/app_singletons.h"
#include "platform/win_constants.h"

namespace kv {

void TDataDM::DataModuleCreate() { app_.log.WriteLog(u"DataDM"); }

void TDataDM::DataModuleDestroy(WindowHandle companionWindow) {
    // Sent, and WM_DESTROY rather than WM_CLOSE: the companion ends on exactly this.
    if (companionWindow != kNoWindow) app_.platform.windows.SendToWindow(companionWindow, win::kWmDestroy, 0, 0);
}

}  // namespace kv
