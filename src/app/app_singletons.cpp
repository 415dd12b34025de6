#include "app/app_singletons.h"

#include "platform/win_constants.h"

namespace kv {

AppSingletons::AppSingletons(Platform& p)
    : platform(p),
      appIni(p.registry, p.files, nullptr),
      folders(ResolveAppFolders(p.processes.ExecutablePath(), p.files)),
      sounds(p.sound, p.files, p.version, folders.soundFolder),
      preset(p, sounds, appIni, folders, p.processes.ExecutablePath()),
      lang(p.files, LanguageFolder(folders.appFolder)),
      log(DebugLog::SwitchGiven(p.processes.CommandLineArguments()), folders.appFolder + u"Log.txt", p.files, p.clock),
      messageBoxes(p.messageBoxes, lang),
      busyCursor(p.windows),
      clipboardFormats(ClipboardFormats::Register(p.clipboard)),
      isVistaOrLater(p.version.Version().platformId == win::kVerPlatformWin32Nt && p.version.Version().major >= 6),
      is64BitWindows(p.version.Is64BitWindows()) {}

}  // namespace kv
