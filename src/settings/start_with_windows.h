#pragma once
#include <string_view>

#include "platform/registry_api.h"

namespace kv {

constexpr std::u16string_view kMachineRunKey = u"\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr std::u16string_view kRunValueName = u"Karmux";

// True when the machine's Run key starts exactly this executable (case-sensitive, whole path).
// The options program writes the entry with elevation; this side only reads it.
bool IsStartWithWindows(IRegistry& registry, std::u16string_view executablePath);

}  // namespace kv
