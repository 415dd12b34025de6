#include "settings/event_sounds.h"

#include "platform/text.h"

namespace kv {

std::u16string ResolveSoundFile(const IFileSystem& files, std::u16string_view soundFolder, std::u16string_view name) {
    if (name.empty()) return {};
    std::u16string path(name);
    if (path.find(u'\\') == std::u16string::npos) path = std::u16string(soundFolder) + path;
    constexpr std::u16string_view kWav = u".wav";
    if (path.size() < kWav.size() || !EqualsIgnoreCaseAscii(std::u16string_view(path).substr(path.size() - kWav.size()), kWav)) {
        path += kWav;
    }
    return files.FileExists(path) ? path : std::u16string();
}

EventSounds::EventSounds(const IFileSystem& files, std::u16string soundFolder)
    : files_(files), soundFolder_(std::move(soundFolder)) {}

void EventSounds::Set(int event, std::u16string name) {
    paths_.at(event) = ResolveSoundFile(files_, soundFolder_, name);
    names_.at(event) = std::move(name);
}

}  // namespace kv
