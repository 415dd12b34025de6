#include "sim_platform.h"

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

void SimPlatform::InstallCompanion() {
    const std::u16string path = std::u16string(kAppFolder) + u"KarmuxCm.exe";
    files.AddFile(path, "MZ");
    desktop.InstallProgram(path, [this] {
        auto handle = std::make_shared<WindowHandle>(kNoWindow);
        *handle = desktop.CreateWindow(u"KarmuxCm", u"KarmuxCm", kCompanionProcessId, false,
                                       [this, handle](const SimMessage& m) -> std::intptr_t {
                                           if (m.message == win::kWmDestroy) desktop.DestroyWindow(*handle);
                                           return 0;
                                       });
    });
}

WindowHandle SimPlatform::CompanionWindow() const {
    return desktop.FindTopLevelWindow(u"KarmuxCm", u"KarmuxCm");
}

}  // namespace kv::sim
