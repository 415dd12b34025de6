#pragma once
#include <string_view>

#include "platform/system_api.h"

namespace kv {

// The icon pack whose key pictures match the running Windows: "Win2000", "WinXP" (also Server
// 2003, XP x64 and Server 2003 R2, all 5.1 and 5.2) or "WinVista" for anything else.
constexpr std::u16string_view SystemIconPackName(const OsVersion& version) {
    if (version.major == 5 && version.minor == 0) return u"Win2000";
    if (version.major == 5 && (version.minor == 1 || version.minor == 2)) return u"WinXP";
    return u"WinVista";
}

}  // namespace kv
