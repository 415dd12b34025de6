#pragma once
#include "platform/types.h"

namespace kv {

class AppSingletons;

// The data module: shared state of the running system (tray, menus, image lists grow here).
class TDataDM {
public:
    explicit TDataDM(AppSingletons& app) : app_(app) {}

    void DataModuleCreate();
    // Tells the companion process to end.
    void DataModuleDestroy(WindowHandle companionWindow);

private:
    AppSingletons& app_;
};

}  // namespace kv
