#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kv {

enum class RegistryType { Dword, String, Other };

struct RegistryValue {
    RegistryType type = RegistryType::Other;
    std::uint32_t dword = 0;    // when type is Dword
    std::u16string text;        // when type is String
};

// One open registry key. Writes go to the registry at once; failures throw KvError.
class IRegistryKey {
public:
    virtual ~IRegistryKey() = default;
    virtual bool ValueExists(std::u16string_view name) const = 0;
    // Empty when the value does not exist.
    virtual std::optional<RegistryValue> ReadValue(std::u16string_view name) const = 0;
    virtual void WriteDword(std::u16string_view name, std::uint32_t value) = 0;
    virtual void WriteString(std::u16string_view name, std::u16string_view value) = 0;
    // False when there was no such value.
    virtual bool DeleteValue(std::u16string_view name) = 0;
};

class IRegistry {
public:
    virtual ~IRegistry() = default;
    // Opens a key of the current user, creating it when missing; throws KvError when it cannot.
    virtual std::unique_ptr<IRegistryKey> OpenCurrentUserKey(std::u16string_view path) = 0;
    // A key of the machine, read-only and never created; null when it does not exist.
    virtual std::unique_ptr<IRegistryKey> OpenLocalMachineKeyReadOnly(std::u16string_view path) = 0;
};

}  // namespace kv
