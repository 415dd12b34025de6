#pragma once
#include "platform/registry_api.h"

namespace kv::win32 {

class Win32Registry : public IRegistry {
public:
    std::unique_ptr<IRegistryKey> OpenCurrentUserKey(std::u16string_view path) override;
    std::unique_ptr<IRegistryKey> OpenLocalMachineKeyReadOnly(std::u16string_view path) override;
};

}  // namespace kv::win32
