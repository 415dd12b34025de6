#pragma once
#include <map>
#include <set>
#include <string>

#include "platform/files_api.h"

namespace kv::sim {

// An in-memory file system with Windows path rules (case-insensitive, backslashes).
class SimFileSystem : public IFileSystem {
public:
    bool FileExists(const std::u16string& path) const override;
    bool DirectoryExists(const std::u16string& path) const override;
    bool CreateDirectoryTree(const std::u16string& path) override;
    bool WriteWholeFile(const std::u16string& path, std::string_view bytes) override;
    std::optional<std::string> ReadWholeFile(const std::u16string& path) const override;
    std::vector<std::u16string> ListFiles(const std::u16string& folder, std::u16string_view extension) const override;
    std::u16string ShellFolderPath(ShellFolder folder) const override;
    std::u16string FileVersionString(const std::u16string& path, std::u16string_view key) const override;
    void SetFileVersion(const std::u16string& path, std::u16string key, std::u16string value) {
        versions_[Key(path) + u"|" + key] = std::move(value);
    }

    void SetShellFolder(ShellFolder folder, std::u16string path) { shellFolders_[folder] = std::move(path); }
    // Folders below this prefix cannot be created (a read-only or missing drive).
    void DenyCreationUnder(std::u16string prefix) { deniedPrefixes_.insert(Key(prefix)); }
    void AddFile(const std::u16string& path, std::string bytes);
    void RemoveFile(const std::u16string& path) { files_.erase(Key(path)); }
    int WriteCount(const std::u16string& path) const;

private:
    static std::u16string Key(std::u16string_view path);
    void RememberName(const std::u16string& path);

    std::map<std::u16string, std::string> files_;
    std::map<std::u16string, int> writeCounts_;
    std::map<std::u16string, std::u16string> originalNames_;  // file names as first written
    std::set<std::u16string> directories_;
    std::set<std::u16string> deniedPrefixes_;
    std::map<ShellFolder, std::u16string> shellFolders_;
    std::map<std::u16string, std::u16string> versions_;
};

}  // namespace kv::sim
