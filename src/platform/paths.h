#pragma once
#include <string>
#include <string_view>

namespace kv {

// Appends a backslash unless the path already ends in one (an empty path gives "\").
std::u16string WithTrailingBackslash(std::u16string_view path);
std::u16string JoinPath(std::u16string_view folder, std::u16string_view name);
// The folder part of a full file path, with its trailing backslash.
std::u16string FolderOf(std::u16string_view filePath);
// The file-name part of a path: everything after its last backslash or slash.
std::u16string_view FileNameOf(std::u16string_view filePath);

}  // namespace kv
