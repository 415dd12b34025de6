#pragma once
#include <string>
#include <string_view>

namespace kv {

// The update check's file on the maker's site: the first line is the newest version; the rest is
// its release notes.
struct VersionFile {
    std::u16string remote;
    std::u16string notes;  // "\r\n\r\n" and the text after the first line; empty without one
};
VersionFile ParseVersionFile(std::u16string_view text);

// Same length: newer unless the dotless number is smaller; other lengths: newer. Empty, equal
// and over-long (more than 15 characters) versions are never newer.
bool IsNewerVersion(std::u16string_view remote, std::u16string_view local);
// Numbers separated by single dots, at most 15 characters: what a version file's first line holds.
bool IsVersionText(std::u16string_view text);

}  // namespace kv
