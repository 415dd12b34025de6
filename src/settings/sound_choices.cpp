#include "settings/sound_choices.h"

#include <algorithm>

#include "platform/text.h"

namespace kv {

namespace {
constexpr std::u16string_view kTypePrefix = u"Type";
constexpr std::size_t kExtensionLength = 4;  // ".wav"

char16_t LowerAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

std::size_t FindIgnoringCase(const std::u16string& text, const std::u16string& part) {
    if (part.empty() || part.size() > text.size()) return std::u16string::npos;
    const auto it = std::search(text.begin(), text.end(), part.begin(), part.end(),
                                [](char16_t a, char16_t b) { return LowerAscii(a) == LowerAscii(b); });
    return it == text.end() ? std::u16string::npos : static_cast<std::size_t>(it - text.begin());
}
}  // namespace

std::vector<std::u16string> SoundChoices(const IFileSystem& files, const std::u16string& soundFolder,
                                         const std::u16string& noSound) {
    std::vector<std::u16string> typed;
    std::vector<std::u16string> others;
    for (const std::u16string& name : files.ListFiles(soundFolder, u".wav")) {
        if (name.size() <= kExtensionLength) continue;
        std::u16string shortName = name.substr(0, name.size() - kExtensionLength);
        (name.starts_with(kTypePrefix) ? typed : others).push_back(std::move(shortName));
    }
    std::vector<std::u16string> choices{noSound};
    choices.insert(choices.end(), typed.begin(), typed.end());
    choices.insert(choices.end(), others.begin(), others.end());
    return choices;
}

std::u16string StoredSoundName(const std::u16string& chosenPath, const std::u16string& soundFolder,
                               const std::vector<std::u16string>& choices) {
    std::u16string shortName = chosenPath;
    const std::size_t at = FindIgnoringCase(shortName, soundFolder);
    if (at != std::u16string::npos) shortName.erase(at, soundFolder.size());
    const std::size_t dot = shortName.find(u'.');
    if (dot != std::u16string::npos) shortName.resize(dot);
    const bool listed = std::find(choices.begin() + (choices.empty() ? 0 : 1), choices.end(), shortName) != choices.end();
    return listed ? shortName : chosenPath;
}

}  // namespace kv
