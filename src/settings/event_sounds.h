#pragma once
#include <array>
#include <string>
#include <string_view>

#include "platform/files_api.h"

namespace kv {

// Program events that may sound; the number is the slot and the suffix of the registry value.
enum class SoundEvent : int {
    ScreenCharacterKey = 0,
    ScreenDeleteKey = 1,
    ScreenOtherKey = 2,
    CharacterKey = 3,
    DeleteKey = 4,
    OtherKey = 5,
    ActionExecuted = 6,
    LayoutSwitched = 7,
    ClipboardChanged = 8,
};

constexpr int kSoundEventCount = 9;

// The file a sound name stands for: a name without a backslash is a file of the sound folder,
// ".wav" is added unless the name ends in it (any case); empty when there is no such file.
std::u16string ResolveSoundFile(const IFileSystem& files, std::u16string_view soundFolder, std::u16string_view name);

// The sound of each event. The file is resolved when the name is set, never while playing,
// because the keyboard hook plays on every key.
class EventSounds {
public:
    EventSounds(const IFileSystem& files, std::u16string soundFolder);

    void Set(int event, std::u16string name);
    const std::u16string& Name(int event) const { return names_.at(event); }
    const std::u16string& Path(int event) const { return paths_.at(event); }

private:
    const IFileSystem& files_;
    std::u16string soundFolder_;
    std::array<std::u16string, kSoundEventCount> names_;
    std::array<std::u16string, kSoundEventCount> paths_;
};

}  // namespace kv
