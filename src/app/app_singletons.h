#pragma once
#include <memory>
#include <vector>

#include "common/busy_cursor.h"
#include "clipboard/clipboard_stream.h"
#include "common/debug_log.h"
#include "common/message_boxes.h"
#include "platform/platform.h"
#include "resources/kv_lang.h"
#include "resources/language_list.h"
#include "settings/app_ini.h"
#include "settings/preset.h"

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
    EventSoundPlayer sounds;
    TPreset preset;
    TKvLang lang;
    DebugLog log;
    KvMessageBoxes messageBoxes;
    BusyCursor busyCursor;
    const ClipboardFormats clipboardFormats;
    const bool isVistaOrLater;
    const bool is64BitWindows;
    // Filled once by the start-up scan of the language folder.
    std::vector<TKvLangListItem> languages;
};

}  // namespace kv
