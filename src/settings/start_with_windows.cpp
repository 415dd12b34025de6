#include "settings/start_with_windows.h"

namespace kv {

bool IsStartWithWindows(IRegistry& registry, std::u16string_view executablePath) {
    auto key = registry.OpenLocalMachineKeyReadOnly(kMachineRunKey);
    if (!key) return false;
    auto value = key->ReadValue(kRunValueName);
    // A value of another type cannot name the executable; treat it like a missing one.
    return value && value->type == RegistryType::String && value->text == executablePath;
}

bool IsContextMenuRegistered(IRegistry& registry) {
    return registry.OpenLocalMachineKeyReadOnly(kContextMenuServerKey) != nullptr;
}

}  // namespace kv
