#pragma once
#include <string_view>

#include "platform/registry_api.h"

namespace kv {

constexpr std::u16string_view kMachineRunKey = u"\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr std::u16string_view kRunValueName = u"Karmux";
// The server key of the shell context-menu extension's class, in the machine's part of the
// classes root (what the elevated options program would register).
constexpr std::u16string_view kContextMenuServerKey =
    u"\\SOFTWARE\\Classes\\CLSID\\{6B54FAD7-7ACD-4156-888D-118547A98218}\\InprocServer32";

// True when the machine's Run key starts exactly this executable (case-sensitive, whole path).
// The options program writes the entry with elevation; this side only reads it.
bool IsStartWithWindows(IRegistry& registry, std::u16string_view executablePath);

// True when the context-menu extension's class has a server key; the key is never created.
bool IsContextMenuRegistered(IRegistry& registry);

}  // namespace kv
