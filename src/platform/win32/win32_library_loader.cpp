#include "platform/win32/win32_library_loader.h"

#include <windows.h>

#include <string>

#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_text.h"

namespace kv::win32 {

namespace {

using HookFn = BOOL(WINAPI*)(DWORD);
using UnHookFn = void(WINAPI*)();

class Win32HookLibrary : public IHookLibrary {
public:
    explicit Win32HookLibrary(UniqueModule module) : module_(std::move(module)) {}

    bool HasExport(std::string_view name) const override {
        return GetProcAddress(module_.Get(), std::string(name).c_str()) != nullptr;
    }
    bool CallHook(WindowHandle applicationWindow) override {
        auto hook = reinterpret_cast<HookFn>(reinterpret_cast<void*>(GetProcAddress(module_.Get(), "Hook")));
        // Window handles keep 32 significant bits.
        return hook && hook(static_cast<DWORD>(applicationWindow)) != FALSE;
    }
    void CallUnHook() override {
        if (auto unhook = reinterpret_cast<UnHookFn>(reinterpret_cast<void*>(GetProcAddress(module_.Get(), "UnHook")))) {
            unhook();
        }
    }

private:
    UniqueModule module_;
};

}  // namespace

std::unique_ptr<IHookLibrary> Win32LibraryLoader::LoadHookLibrary(const std::u16string& fullPath) {
    // The library's own folder is searched for what it needs, never the current folder.
    UniqueModule module(LoadLibraryExW(W(fullPath), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
    if (!module) return nullptr;
    return std::make_unique<Win32HookLibrary>(std::move(module));
}

}  // namespace kv::win32
