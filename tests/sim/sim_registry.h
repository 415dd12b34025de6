#pragma once
#include <map>
#include <memory>
#include <string>

#include "platform/registry_api.h"

namespace kv::sim {

// An in-memory registry of the current user, with value types.
class SimRegistry : public IRegistry {
public:
    using Values = std::map<std::u16string, RegistryValue>;

    std::unique_ptr<IRegistryKey> OpenCurrentUserKey(std::u16string_view path) override;
    std::unique_ptr<IRegistryKey> OpenLocalMachineKeyReadOnly(std::u16string_view path) override;
    // Values of a machine key, created when missing.
    Values& MachineKey(std::u16string_view path) { return machineKeys_[Normalize(path)]; }

    bool KeyExists(std::u16string_view path) const { return keys_.count(Normalize(path)) != 0; }
    // The values of a key (created empty when missing), for tests to arrange and inspect.
    Values& Key(std::u16string_view path) { return keys_[Normalize(path)]; }
    void SetFailWrites(bool fail) { failWrites_ = fail; }
    bool FailWrites() const { return failWrites_; }

    static std::u16string Normalize(std::u16string_view name);

private:
    std::map<std::u16string, Values> keys_;
    std::map<std::u16string, Values> machineKeys_;
    bool failWrites_ = false;
};

}  // namespace kv::sim
