#include "app/icon_packs.h"

#include "app/app_singletons.h"
#include "resources/icon_pack_names.h"

namespace kv {

IconPacks::IconPacks(AppSingletons& app, IIconImageDecoder& decoder)
    : app_(app),
      list_(IconPackEnvironment{app.platform.files, decoder, app.lang, app.messageBoxes,
                                [&text = app.platform.text](std::string_view ansi) { return text.FromAnsi(ansi); },
                                IconFolder(app.folders.appFolder), app.appIni.DataFolder()}) {
    list_.ScanPacks();
}

const TKvIcons* IconPacks::SystemPack() { return list_.FindPack(WindowsPackName(app_.platform.version.Version()), true); }

}  // namespace kv
