#pragma once
// The sound page of the settings window: the sounds offered for an event, the events listed,
// and how a file the user browsed to is stored.
#include <array>
#include <string>
#include <vector>

#include "platform/files_api.h"
#include "settings/event_sounds.h"

namespace kv {

// The names of the .wav files of the sound folder without ".wav": those beginning with "Type"
// (case-sensitive) first, then the others, each group as the folder lists them. `noSound`
// comes first. A missing folder leaves only `noSound`.
std::vector<std::u16string> SoundChoices(const IFileSystem& files, const std::u16string& soundFolder,
                                         const std::u16string& noSound);

// The events the page lists, in order, with the text number of each.
struct SoundEventRow {
    SoundEvent event;
    int text;
};
inline constexpr std::array<SoundEventRow, 5> kSoundEventRows{{
    {SoundEvent::CharacterKey, 570},
    {SoundEvent::DeleteKey, 581},
    {SoundEvent::OtherKey, 571},
    {SoundEvent::ActionExecuted, 572},
    {SoundEvent::LayoutSwitched, 574},
}};

// A browsed file inside the sound folder is stored by its short name (folder removed, cut at
// its first dot) when that is one of `choices`; any other file by its full path.
std::u16string StoredSoundName(const std::u16string& chosenPath, const std::u16string& soundFolder,
                               const std::vector<std::u16string>& choices);

}  // namespace kv
