#pragma once
// What the settings window and the first-run wizard both reach of the program: the settings
// model they edit, the interface texts and languages, the message boxes, the operating system,
// the program's folders, and help. Each dialog's own needs stay in its own host interface.
#include <cstdint>
#include <string>
#include <vector>

namespace kv {

class TPreset;
class TKvLang;
class KvMessageBoxes;
struct Platform;
struct AppFolders;
struct TKvLangListItem;

class IDialogContext {
public:
    virtual ~IDialogContext() = default;
    virtual TPreset& Preset() = 0;
    virtual const TKvLang& Lang() const = 0;
    virtual const std::vector<TKvLangListItem>& Languages() const = 0;
    virtual KvMessageBoxes& MessageBoxes() = 0;
    virtual Platform& Os() = 0;
    virtual const AppFolders& Folders() const = 0;
    virtual std::u16string ProgramPath() const = 0;
    virtual void ShowHelp(std::int32_t context) = 0;
    // The actions menu shows the new hotkeys the next time it opens.
    virtual void ActionsMenuDirty() = 0;
};

}  // namespace kv
