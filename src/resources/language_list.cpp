#include "resources/language_list.h"

#include <optional>

#include "platform/files_api.h"
#include "platform/paths.h"
#include "platform/system_api.h"
#include "platform/text.h"
#include "platform/win_constants.h"
#include "resources/kv_lang.h"
#include "resources/language_file.h"

namespace kv {
namespace {

constexpr std::u16string_view kLanguageFileExtension = u".txt";
constexpr std::int32_t kFallbackLanguageId = 1033;  // English (United States)

}  // namespace

std::u16string LanguageFolder(std::u16string_view appFolder) { return WithTrailingBackslash(appFolder) + u"Lang\\"; }

std::vector<TKvLangListItem> BuildLanguageList(const IFileSystem& files, std::u16string_view languageFolder,
                                               const LangFlagIndexFunction& flagIndex) {
    std::vector<TKvLangListItem> list;
    const std::u16string folder(languageFolder);
    for (const std::u16string& name : files.ListFiles(folder, kLanguageFileExtension)) {
        if (name.size() <= kLanguageFileExtension.size()) continue;
        const std::optional<std::string> bytes = files.ReadWholeFile(folder + name);
        if (!bytes) continue;
        const LanguageFileHeader header = ReadLanguageFileHeader(*bytes);
        const std::int32_t id = ParseLanguageId(header.idText);
        if (header.displayName.empty() || id == 0) continue;
        list.push_back({name.substr(0, name.size() - kLanguageFileExtension.size()), id, flagIndex(id),
                        Utf8ToUtf16(header.displayName)});
    }
    return list;
}

void ShowNoLanguageData(IMessageBoxes& boxes) {
    boxes.Show(kNoWindow, kNoLanguageDataText, kNoLanguageDataCaption, win::kMbOk | win::kMbIconError);
}

int SelectedLanguageIndex(const std::vector<TKvLangListItem>& list, std::int32_t language) {
    int fallback = -1;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i].Id == language) return static_cast<int>(i);
        if (fallback < 0 && list[i].Id == kFallbackLanguageId) fallback = static_cast<int>(i);
    }
    return fallback;
}

std::u16string LanguageFileNameFor(const std::vector<TKvLangListItem>& list, std::int32_t language) {
    for (const TKvLangListItem& item : list) {
        if (item.Id == language) return item.FileName;
    }
    return std::u16string(kEnglishLanguage);
}

}  // namespace kv
