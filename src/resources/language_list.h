#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

class IFileSystem;
class IMessageBoxes;

// One usable language file. Texts stay UTF-16; the Win32 layer converts where it needs ANSI.
struct TKvLangListItem {
    std::u16string FileName;  // without ".txt"
    std::int32_t Id = 0;      // text 100001
    std::uint8_t FlagIndex = 0;
    std::u16string DisplayName;  // text 100000
    friend bool operator==(const TKvLangListItem&, const TKvLangListItem&) = default;
};

// The flag image of a language id.
using LangFlagIndexFunction = std::function<std::uint8_t(std::int32_t)>;

// The application folder (with or without its trailing backslash) followed by "Lang\".
std::u16string LanguageFolder(std::u16string_view appFolder);

// Scans `<languageFolder>*.txt` in directory-listing order and keeps the files that carry a name
// (100000) and a non-zero id (100001). An empty result is fatal for the caller: it shows
// ShowNoLanguageData and terminates.
std::vector<TKvLangListItem> BuildLanguageList(const IFileSystem& files, std::u16string_view languageFolder,
                                               const LangFlagIndexFunction& flagIndex);

// Fixed English: no language exists to say it in.
inline constexpr std::u16string_view kNoLanguageDataText = u"Cannot load language data!\r\n\r\nCheck folder 'Lang'.";
inline constexpr std::u16string_view kNoLanguageDataCaption = u"Error";
// The error box for an empty language list, without owner; returns once the user closed it.
void ShowNoLanguageData(IMessageBoxes& boxes);

// The entry a language list selects for the `Language` setting: the item with that id, else the
// first with id 1033; -1 when there is neither.
int SelectedLanguageIndex(const std::vector<TKvLangListItem>& list, std::int32_t language);

// The file to load for the `Language` setting: the first item with that id, else "en".
std::u16string LanguageFileNameFor(const std::vector<TKvLangListItem>& list, std::int32_t language);

}  // namespace kv
