#pragma once
#include <string_view>

#include "platform/system_api.h"

namespace kv {

// Packs addressed by name rather than by application, by Windows version: "2000" for 5.0, "XP"
// for 5.1 and 5.2 (XP, Server 2003, XP x64, Server 2003 R2), "Vista" for every other version.
// The desktop's pack, for a foreground window that is "Progman" titled "Program Manager".
std::u16string_view DesktopPackName(const OsVersion& version);
// The shortcuts of Windows itself, which the keyboard keeps for the whole run.
std::u16string_view WindowsPackName(const OsVersion& version);

}  // namespace kv
