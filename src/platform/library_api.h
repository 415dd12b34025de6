#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "platform/types.h"

namespace kv {

// The loaded hook library; freed when released.
class IHookLibrary {
public:
    virtual ~IHookLibrary() = default;
    virtual bool HasExport(std::string_view name) const = 0;
    // The stdcall exports "Hook"(application window) and "UnHook"(); present when called.
    // False when "Hook" refused (another process holds the library, or the system's hooks failed).
    virtual bool CallHook(WindowHandle applicationWindow) = 0;
    virtual void CallUnHook() = 0;
};

class ILibraryLoader {
public:
    virtual ~ILibraryLoader() = default;
    // By full path only; null when the system cannot load it.
    virtual std::unique_ptr<IHookLibrary> LoadHookLibrary(const std::u16string& fullPath) = 0;
};

}  // namespace kv
