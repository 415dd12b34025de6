// Setters that do more than store and notify.
#include "platform/system_api.h"
#include "settings/preset.h"
#include "settings/preset_ports.h"

namespace kv {

void TPreset::Notify(NotifyingOption option) {
    if (ports_) NotifyOptionChanged(option, {*ports_, *this, seams_.files});
}

void TPreset::SetKeyboardLang(LayoutHandle requested) {
    LocalizedKeyNames built = BuildKeyNames(seams_.layouts, requested);
    options_.keyboardLang = built.layout;
    keyNames_ = std::move(built.names);
    Notify(NotifyingOption::KeyboardLang);
}

void TPreset::SetHighPriority(bool on) {
    if (options_.highPriority == on) return;
    options_.highPriority = on;
    seams_.priority.SetRealtimePriority(on);
}

}  // namespace kv
