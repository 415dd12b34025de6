#pragma once
#include "platform/platform.h"
#include "platform/win32/win32_devices.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_internet.h"
#include "platform/win32/win32_keyboard_hook.h"
#include "platform/win32/win32_library_loader.h"
#include "platform/win32/win32_message_loop.h"
#include "platform/win32/win32_mouse_hook.h"
#include "platform/win32/win32_processes.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_sound.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_windowing.h"
#include "platform/win32/win32_accessible_caret.h"

namespace kv::win32 {

// The real operating system behind the seam.
class Win32Platform {
public:
    Win32Windowing windows;
    Win32Processes processes;
    Win32Registry registry;
    Win32Clock clock;
    Win32MessageLoop loop;
    Win32FileSystem files;
    Win32SystemInfo system;
    Win32MessageBoxes messageBoxes;
    Win32KeyboardLayouts layouts;
    Win32KeyInput keyInput;
    Win32Clipboard clipboard;
    Win32Sound sound;
    Win32Shell shell;
    Win32KeyboardHook keyboardHook;
    Win32LibraryLoader libraries;
    Win32Internet internet;
    Win32MouseHook mouseHook;
    Win32AccessibleCaret accessibleCaret;
    Platform platform{windows,  processes, registry, clock,    loop,     files,    system, system,
                      system,   system,    system,   system,   messageBoxes, layouts, keyInput, clipboard,
                      sound,    shell,     keyboardHook, libraries, internet, mouseHook,
                      accessibleCaret};
};

}  // namespace kv::win32
