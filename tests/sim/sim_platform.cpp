#include "sim_platform.h"

#include <fstream>
#include <iterator>
#include <utility>

#include "platform/text.h"
#include "platform/win_constants.h"

namespace kv::sim {

namespace {
constexpr std::uint32_t kCompanionProcessId = 200;
}

SimPlatform::SimPlatform() {
    files.SetShellFolder(ShellFolder::AppData, std::u16string(kAppData));
    files.SetShellFolder(ShellFolder::Personal, std::u16string(kDocuments));
    files.CreateDirectoryTree(std::u16string(kAppFolder));
    files.CreateDirectoryTree(std::u16string(kAppData));
    files.CreateDirectoryTree(std::u16string(kDocuments));
    desktop.SetExecutablePath(std::u16string(kAppFolder) + u"Karmux.exe");
    keyInput.onInput = [this] { desktop.NoteInputSent(); };
}

void SimPlatform::InstallHookLibrary() {
    const std::u16string path = std::u16string(kAppFolder) + u"KarmuxH.dll";
    files.AddFile(path, "MZ");
    libraries.Install(path, {});
}

void SimPlatform::InstallCompanion(std::uint32_t startupMs) {
    const std::u16string path = std::u16string(kAppFolder) + u"KarmuxCm.exe";
    files.AddFile(path, "MZ");
    auto openWindow = [this] {
        auto handle = std::make_shared<WindowHandle>(kNoWindow);
        *handle = desktop.CreateWindow(u"KarmuxCm", u"KarmuxCm", kCompanionProcessId, false,
                                       [this, handle](const SimMessage& m) -> std::intptr_t {
                                           if (m.message == win::kWmDestroy) desktop.DestroyWindow(*handle);
                                           return 0;
                                       });
    };
    desktop.InstallProgram(path, std::move(openWindow), startupMs);
}

void SimPlatform::InstallLanguages() {
    const std::u16string folder = std::u16string(kAppFolder) + u"Lang\\";
    files.AddFile(folder + u"en.txt",
                  "\xEF\xBB\xBF; English\r\n100000=English\r\n100001=1033\r\n000036=On-Screen Keyboard\r\n");
    files.AddFile(folder + u"ru.txt", "\xEF\xBB\xBF; Russian\r\n100000=\xD0\xA0\xD1\x83\xD1\x81\xD1\x81\xD0\xBA\xD0\xB8\xD0\xB9\r\n"
                                      "100001=1049\r\n000036=\xD0\x9A\xD0\xBB\xD0\xB0\xD0\xB2\xD0\xB8\xD0\xB0\xD1\x82\xD1\x83\xD1\x80\xD0\xB0\r\n");
}

void SimPlatform::InstallShippedLanguages() {
    const std::u16string folder = std::u16string(kAppFolder) + u"Lang\\";
    for (const char* name : {"en", "ru", "de"}) {
        std::ifstream file(std::string(KV_SOURCE_DIR) + "/Lang/" + name + ".txt", std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        files.AddFile(folder + Utf8ToUtf16(name) + u".txt", bytes);
    }
}

WindowHandle SimPlatform::CompanionWindow() const {
    return desktop.FindTopLevelWindow(u"KarmuxCm", u"KarmuxCm");
}

}  // namespace kv::sim
