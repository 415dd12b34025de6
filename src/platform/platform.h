#pragma once
// The seam between the program's logic and the operating system.
#include "platform/accessibility_api.h"
#include "platform/clipboard_api.h"
#include "platform/clock_api.h"
#include "platform/files_api.h"
#include "platform/hook_api.h"
#include "platform/internet_api.h"
#include "platform/keyboard_api.h"
#include "platform/library_api.h"
#include "platform/process_api.h"
#include "platform/registry_api.h"
#include "platform/shell_api.h"
#include "platform/sound_api.h"
#include "platform/system_api.h"
#include "platform/windowing_api.h"

namespace kv {

struct Platform {
    IWindowing& windows;
    IProcesses& processes;
    IRegistry& registry;
    IClock& clock;
    IMessageLoop& loop;
    IFileSystem& files;
    ISystemVersion& version;
    ILocales& locales;
    ITextConversion& text;
    ISystemColors& colors;
    IProcessPriority& priority;
    IForegroundLock& foregroundLock;
    IMessageBoxes& messageBoxes;
    IKeyboardLayouts& layouts;
    IKeyInput& keyInput;
    IClipboard& clipboard;
    ISound& sound;
    IShell& shell;
    IKeyboardHook& keyboardHook;
    ILibraryLoader& libraries;
    IInternet& internet;
    IMouseHook& mouseHook;
    IAccessibleCaret& accessibleCaret;
};

}  // namespace kv
