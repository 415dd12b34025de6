#include "sim_files.h"

#include "platform/paths.h"

namespace kv::sim {

std::u16string SimFileSystem::Key(std::u16string_view path) {
    std::u16string out;
    for (char16_t c : path) {
        if (c == u'/') c = u'\\';
        out.push_back((c >= u'a' && c <= u'z') ? char16_t(c - 32) : c);
    }
    while (!out.empty() && out.back() == u'\\') out.pop_back();
    return out;
}

bool SimFileSystem::FileExists(const std::u16string& path) const { return files_.count(Key(path)) != 0; }

bool SimFileSystem::DirectoryExists(const std::u16string& path) const {
    return directories_.count(Key(path)) != 0;
}

bool SimFileSystem::CreateDirectoryTree(const std::u16string& path) {
    const std::u16string key = Key(path);
    for (const auto& denied : deniedPrefixes_) {
        if (key.compare(0, denied.size(), denied) == 0) return false;
    }
    // Every parent exists afterwards, as CreateDirectory would leave them.
    for (std::size_t pos = key.find(u'\\'); pos != std::u16string::npos; pos = key.find(u'\\', pos + 1)) {
        directories_.insert(key.substr(0, pos));
    }
    directories_.insert(key);
    return true;
}

bool SimFileSystem::WriteWholeFile(const std::u16string& path, std::string_view bytes) {
    if (!DirectoryExists(FolderOf(path))) return false;
    files_[Key(path)] = std::string(bytes);
    ++writeCounts_[Key(path)];
    RememberName(path);
    return true;
}

std::optional<std::string> SimFileSystem::ReadWholeFile(const std::u16string& path) const {
    auto it = files_.find(Key(path));
    if (it == files_.end()) return std::nullopt;
    return it->second;
}

std::vector<std::u16string> SimFileSystem::ListFiles(const std::u16string& folder,
                                                     std::u16string_view extension) const {
    std::vector<std::u16string> names;
    const std::u16string prefix = Key(folder) + u"\\";
    const std::u16string ext = Key(extension);
    for (const auto& [key, bytes] : files_) {
        if (key.compare(0, prefix.size(), prefix) != 0) continue;
        const std::u16string rest = key.substr(prefix.size());
        if (rest.find(u'\\') != std::u16string::npos || rest.size() < ext.size()) continue;
        if (rest.compare(rest.size() - ext.size(), ext.size(), ext) != 0) continue;
        auto original = originalNames_.find(key);
        names.push_back(original != originalNames_.end() ? original->second : rest);
    }
    return names;
}

std::u16string SimFileSystem::FileVersionString(const std::u16string& path, std::u16string_view key) const {
    auto it = versions_.find(Key(path) + u"|" + std::u16string(key));
    return it != versions_.end() ? it->second : std::u16string();
}

std::u16string SimFileSystem::ShellFolderPath(ShellFolder folder) const {
    auto it = shellFolders_.find(folder);
    return it != shellFolders_.end() ? it->second : std::u16string();
}

void SimFileSystem::AddFile(const std::u16string& path, std::string bytes) {
    CreateDirectoryTree(FolderOf(path));
    files_[Key(path)] = std::move(bytes);
    RememberName(path);
}

void SimFileSystem::RememberName(const std::u16string& path) {
    const auto pos = path.find_last_of(u"\\/");
    originalNames_.emplace(Key(path), pos == std::u16string::npos ? path : path.substr(pos + 1));
}

int SimFileSystem::WriteCount(const std::u16string& path) const {
    auto it = writeCounts_.find(Key(path));
    return it != writeCounts_.end() ? it->second : 0;
}

}  // namespace kv::sim
