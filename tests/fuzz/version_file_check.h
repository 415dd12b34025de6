#pragma once
// What must hold for any text read as the update check's version file: the first line and the
// notes give back the text, only a plain dotted number counts as a version, and no version is
// newer than itself. The fuzzer aborts on a violation.
#include <string>
#include <string_view>

#include "links/version_file.h"

namespace kv::fuzz {

// Even first byte: the rest as single-byte characters (as the ANSI file reads); odd: as UTF-16.
inline std::u16string VersionFileText(std::string_view bytes) {
    std::u16string text;
    if (bytes.empty()) return text;
    const bool wide = (static_cast<unsigned char>(bytes[0]) & 1) != 0;
    bytes.remove_prefix(1);
    if (!wide) {
        for (char c : bytes) text.push_back(static_cast<unsigned char>(c));
        return text;
    }
    for (std::size_t at = 0; at + 1 < bytes.size(); at += 2) {
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[at]) |
                                             static_cast<unsigned char>(bytes[at + 1]) << 8));
    }
    return text;
}

inline bool PlainDottedNumber(std::u16string_view text) {
    if (text.empty() || text.size() > 15 || text.front() == u'.' || text.back() == u'.') return false;
    if (text.find(u"..") != std::u16string_view::npos) return false;
    return text.find_first_not_of(u"0123456789.") == std::u16string_view::npos;
}

// Empty when every property holds, else what broke.
inline std::string VersionFileViolation(std::string_view bytes) {
    const std::u16string text = VersionFileText(bytes);
    const VersionFile file = ParseVersionFile(text);
    if (file.remote.find(u"\r\n") != std::u16string::npos) return "the version holds a line break";
    if (file.notes.empty()) {
        if (file.remote != text) return "a file of one line is not its version";
    } else {
        if (!file.notes.starts_with(u"\r\n\r\n")) return "the notes do not start with an empty line";
        if (file.remote + file.notes.substr(2) != text) return "version and notes do not give back the file";
    }

    if (IsVersionText(file.remote) != PlainDottedNumber(file.remote)) return "a version text misjudged";
    // The second line stands for the program's own version.
    const std::u16string_view rest = file.notes.empty() ? std::u16string_view() : std::u16string_view(file.notes).substr(4);
    const std::u16string local(rest.substr(0, rest.find(u"\r\n")));
    if (IsNewerVersion(file.remote, file.remote)) return "a version newer than itself";
    if (IsNewerVersion(u"", local)) return "no version newer than another";
    if (file.remote.size() > 15 && IsNewerVersion(file.remote, local)) return "an over-long version is newer";
    if (PlainDottedNumber(file.remote) && PlainDottedNumber(local) && file.remote.size() == local.size() &&
        file.remote != local && !IsNewerVersion(file.remote, local) && !IsNewerVersion(local, file.remote)) {
        return "of two versions of one length neither is newer";
    }
    return {};
}

}  // namespace kv::fuzz
