#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

class IFileSystem;
class ITextConversion;

inline constexpr std::u16string_view kNeverAskFileName = u"NeverAskBug.txt";

// Error messages the user asked never to be shown again, kept in a file of the per-user data
// folder. Letter case does not matter; the oldest entries give way once the list is full.
class NeverAskList {
public:
    static constexpr std::size_t kCapacity = 100;

    // `cases` supplies the system's case mapping; both must outlive the list.
    NeverAskList(IFileSystem& files, const ITextConversion& cases, std::u16string filePath);

    // Replaces the entries with the file's; a missing or unreadable file leaves the list empty.
    void Load();
    bool Contains(std::u16string_view message) const;
    // Appends the message, dropping the oldest entries first so that at most kCapacity remain,
    // and rewrites the file. A file that cannot be written is not worth an error.
    void Add(std::u16string_view message);

    const std::vector<std::u16string>& Entries() const { return entries_; }

private:
    bool SameText(std::u16string_view a, std::u16string_view b) const;
    void Save() const;

    IFileSystem& files_;
    const ITextConversion& cases_;
    std::u16string filePath_;
    std::vector<std::u16string> entries_;
};

// One entry per line, read back exactly as written, so that a file written by hand or by an
// earlier version holding one plain message per line keeps matching its messages. Only a
// message that a plain line cannot hold (a line break, or a first character that reading would
// take for something else) is written as kEncodedEntryMarker followed by the message with
// "\\", "\r" and "\n" escaped; no plain message starts with that control character.
inline constexpr char16_t kEncodedEntryMarker = u'\x01';
std::string EncodeNeverAskFile(const std::vector<std::u16string>& entries);
std::vector<std::u16string> DecodeNeverAskFile(std::string_view bytes);

}  // namespace kv
