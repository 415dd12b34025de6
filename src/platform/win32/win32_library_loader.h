#pragma once
#include "platform/library_api.h"

namespace kv::win32 {

class Win32LibraryLoader : public ILibraryLoader {
public:
    std::unique_ptr<IHookLibrary> LoadHookLibrary(const std::u16string& fullPath) override;
};

}  // namespace kv::win32
