#include "theme/menu_style.h"

#include "platform/system_api.h"
#include "platform/win_constants.h"

namespace kv {

MenuStyle MenuStyleForOS(const ISystemVersion& system) {
    const OsVersion version = system.Version();
    const bool vistaOrLater = version.platformId == win::kVerPlatformWin32Nt && version.major >= 6;
    return vistaOrLater ? MenuStyle::Standard : MenuStyle::XpOwnerDrawn;
}

}  // namespace kv
