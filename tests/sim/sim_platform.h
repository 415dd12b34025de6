#pragma once
#include "platform/platform.h"
#include "sim_accessible_caret.h"
#include "sim_desktop.h"
#include "sim_devices.h"
#include "sim_files.h"
#include "sim_registry.h"

namespace kv::sim {

// A whole simulated Windows with sensible defaults: one monitor, Windows 10, the program
// installed in "C:\Program Files\Karmux\" and the usual shell folders.
class SimPlatform {
public:
    SimPlatform();
    SimPlatform(const SimPlatform&) = delete;
    SimPlatform& operator=(const SimPlatform&) = delete;

    SimClockAndLoop loop;
    SimDesktop desktop{loop};
    SimRegistry registry;
    SimFileSystem files;
    SimKeyboard keyboard;
    SimKeyboardDriver driver{keyboard, loop};
    SimKeyInput keyInput{driver};
    SimClipboard clipboard{desktop, loop};
    SimSound sound{loop};
    SimShell shell;
    SimLibraryLoader libraries;
    SimInternet internet{loop};
    SimMouseDriver mouse;
    SimAccessibleCaret accessibility;
    Platform platform{desktop, desktop, registry, loop,     loop,      files,     desktop, desktop, desktop,
                      desktop, desktop, desktop,  desktop,  keyboard,  keyInput,  clipboard, sound, shell,
                      driver,  libraries, internet, mouse,   accessibility};

    static constexpr std::u16string_view kAppFolder = u"C:\\Program Files\\Karmux\\";
    static constexpr std::u16string_view kAppData = u"C:\\Users\\test\\AppData\\Roaming";
    static constexpr std::u16string_view kDocuments = u"C:\\Users\\test\\Documents";

    // Makes "KarmuxCm.exe" startable: it opens the companion window, which ends on WM_DESTROY,
    // `startupMs` of waiting after it was started.
    void InstallCompanion(std::uint32_t startupMs = 0);
    // KarmuxH.dll in the program folder, with both exports.
    void InstallHookLibrary();
    // Lang\en.txt and Lang\ru.txt with their identification and the on-screen keyboard's name.
    void InstallLanguages();
    // The language files the program ships (Lang\en.txt, ru.txt, de.txt of the source tree).
    void InstallShippedLanguages();
    WindowHandle CompanionWindow() const;
    // Empties what the simulation records for tests (messages received, layouts loaded, input
    // sent), so that a long run measures only what the program itself holds.
    void ForgetRecords() {
        desktop.ForgetReceived();
        keyboard.ForgetLoadHistory();
        keyInput.ForgetSent();
    }
};

}  // namespace kv::sim
