#include "platform/paths.h"

namespace kv {

std::u16string WithTrailingBackslash(std::u16string_view path) {
    std::u16string out(path);
    if (out.empty() || out.back() != u'\\') out.push_back(u'\\');
    return out;
}

std::u16string JoinPath(std::u16string_view folder, std::u16string_view name) {
    return WithTrailingBackslash(folder) + std::u16string(name);
}

std::u16string_view FileNameOf(std::u16string_view filePath) {
    const auto pos = filePath.find_last_of(u"\\/");
    return pos == std::u16string_view::npos ? filePath : filePath.substr(pos + 1);
}

std::u16string FolderOf(std::u16string_view filePath) {
    auto pos = filePath.find_last_of(u"\\/");
    if (pos == std::u16string_view::npos) return {};
    return std::u16string(filePath.substr(0, pos + 1));
}

}  // namespace kv
