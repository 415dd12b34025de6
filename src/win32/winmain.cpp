// Tolvex: the program's entry point.
#include <windows.h>

#include <memory>

#include "app/app_singletons.h"
#include "app/application_shell.h"
#include "common/product.h"
#include "platform/error.h"
#include "platform/win32/dll_search.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_text.h"
#include "win32/win32_app_windows.h"

namespace {

void ReportStartupError(const std::u16string& text) {
    MessageBoxW(nullptr, kv::win32::W(text), kv::win32::W(std::u16string(kv::kProductName)), MB_OK | MB_ICONERROR);
}

int RunProgram() {
    auto os = std::make_unique<kv::win32::Win32Platform>();
    std::unique_ptr<kv::AppSingletons> app;
    try {
        app = std::make_unique<kv::AppSingletons>(os->platform);
    } catch (const kv::KvError& e) {
        ReportStartupError(e.Message());  // nothing else can report it: no window exists yet
        return 0;
    }
    kv::win32app::Win32AppWindows windows(os->loop, app->lang);
    kv::win32app::KvForm::SetLanguageSource([&app]() -> std::optional<int> { return app->preset.Language(); });
    kv::ApplicationShell shell(*app, windows);
    os->loop.SetExceptionHandler([&shell](const std::u16string& message) { shell.OnUnhandledException(message); });
    return shell.Run();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    kv::win32::RestrictDllSearchToSystemFolder();
    try {
        RunProgram();
    } catch (const kv::KvError& e) {
        ReportStartupError(e.Message());
    } catch (const std::exception& e) {
        ReportStartupError(kv::Utf8ToUtf16(e.what()));
    }
    return 0;
}
