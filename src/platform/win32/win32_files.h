#pragma once
#include "platform/files_api.h"

namespace kv::win32 {

class Win32FileSystem : public IFileSystem {
public:
    bool FileExists(const std::u16string& path) const override;
    bool DirectoryExists(const std::u16string& path) const override;
    bool CreateDirectoryTree(const std::u16string& path) override;
    bool WriteWholeFile(const std::u16string& path, std::string_view bytes) override;
    std::optional<std::string> ReadWholeFile(const std::u16string& path) const override;
    std::vector<std::u16string> ListFiles(const std::u16string& folder, std::u16string_view extension) const override;
    std::u16string ShellFolderPath(ShellFolder folder) const override;
    std::u16string FileVersionString(const std::u16string& path, std::u16string_view key) const override;
};

}  // namespace kv::win32
