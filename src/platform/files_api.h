#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

enum class ShellFolder { AppData = 26, Personal = 5 };

class IFileSystem {
public:
    virtual ~IFileSystem() = default;
    virtual bool FileExists(const std::u16string& path) const = 0;
    virtual bool DirectoryExists(const std::u16string& path) const = 0;
    // Creates the folder with all missing parents; true when it exists afterwards.
    virtual bool CreateDirectoryTree(const std::u16string& path) = 0;
    // Replaces the file; false on failure.
    virtual bool WriteWholeFile(const std::u16string& path, std::string_view bytes) = 0;
    virtual std::optional<std::string> ReadWholeFile(const std::u16string& path) const = 0;
    // Names (not paths) of the files in `folder` whose names end in `extension` (case-insensitive,
    // e.g. u".txt"), in the order the directory listing gives them; folders are skipped.
    virtual std::vector<std::u16string> ListFiles(const std::u16string& folder, std::u16string_view extension) const = 0;
    // The version-resource string "StringFileInfo\040904E4\<key>" of a file; empty when absent.
    virtual std::u16string FileVersionString(const std::u16string& path, std::u16string_view key) const = 0;
    // Empty when the shell cannot resolve the folder.
    virtual std::u16string ShellFolderPath(ShellFolder folder) const = 0;
};

}  // namespace kv
