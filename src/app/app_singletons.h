#pragma once
#include <memory>

#include "common/debug_log.h"
#include "common/message_boxes.h"
#include "platform/platform.h"
#include "resources/kv_lang.h"
#include "settings/app_ini.h"

namespace kv {

// The process-wide objects, created in this order before the entry sequence and
// released in reverse order after it.
class AppSingletons {
public:
    explicit AppSingletons(Platform& platform);
    AppSingletons(const AppSingletons&) = delete;
    AppSingletons& operator=(const AppSingletons&) = delete;

    Platform& platform;
    TAppIni appIni;
    const AppFolders folders;
    TKvLang lang;
    DebugLog log;
    KvMessageBoxes messageBoxes;
    const bool isVistaOrLater;
    const bool is64BitWindows;
};

}  // namespace kv
