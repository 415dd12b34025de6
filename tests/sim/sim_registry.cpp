#include "sim_registry.h"

#include "platform/error.h"

namespace kv::sim {

namespace {

class SimRegistryKey : public IRegistryKey {
public:
    SimRegistryKey(SimRegistry& registry, SimRegistry::Values& values) : registry_(registry), values_(values) {}

    bool ValueExists(std::u16string_view name) const override {
        return values_.count(SimRegistry::Normalize(name)) != 0;
    }
    std::optional<RegistryValue> ReadValue(std::u16string_view name) const override {
        auto it = values_.find(SimRegistry::Normalize(name));
        if (it == values_.end()) return std::nullopt;
        return it->second;
    }
    void WriteDword(std::u16string_view name, std::uint32_t value) override {
        CheckWritable(name);
        values_[SimRegistry::Normalize(name)] = RegistryValue{RegistryType::Dword, value, {}};
    }
    void WriteString(std::u16string_view name, std::u16string_view value) override {
        CheckWritable(name);
        values_[SimRegistry::Normalize(name)] = RegistryValue{RegistryType::String, 0, std::u16string(value)};
    }
    bool DeleteValue(std::u16string_view name) override {
        CheckWritable(name);
        return values_.erase(SimRegistry::Normalize(name)) != 0;
    }

private:
    void CheckWritable(std::u16string_view name) const {
        if (registry_.FailWrites()) throw KvError(u"Failed to set data for '" + std::u16string(name) + u"'");
    }

    SimRegistry& registry_;
    SimRegistry::Values& values_;
};

}  // namespace

std::u16string SimRegistry::Normalize(std::u16string_view name) {
    // Registry names are case-insensitive; a leading backslash names the same key.
    std::u16string out;
    for (char16_t c : name) out.push_back((c >= u'a' && c <= u'z') ? char16_t(c - 32) : c);
    while (!out.empty() && out.front() == u'\\') out.erase(out.begin());
    return out;
}

std::unique_ptr<IRegistryKey> SimRegistry::OpenLocalMachineKeyReadOnly(std::u16string_view path) {
    auto it = machineKeys_.find(Normalize(path));
    if (it == machineKeys_.end()) return nullptr;
    return std::make_unique<SimRegistryKey>(*this, it->second);
}

std::unique_ptr<IRegistryKey> SimRegistry::OpenCurrentUserKey(std::u16string_view path) {
    return std::make_unique<SimRegistryKey>(*this, keys_[Normalize(path)]);
}

}  // namespace kv::sim
