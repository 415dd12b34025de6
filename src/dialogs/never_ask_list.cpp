#include "dialogs/never_ask_list.h"

#include <algorithm>

#include "platform/files_api.h"
#include "platform/system_api.h"
#include "platform/text.h"

namespace kv {

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

constexpr char16_t kByteOrderMark = u'\xFEFF';

bool NeedsEncoding(std::u16string_view entry) {
    if (entry.find_first_of(u"\r\n") != std::u16string_view::npos) return true;
    // A leading byte order mark would be dropped at the start of the file.
    return !entry.empty() && (entry.front() == kEncodedEntryMarker || entry.front() == kByteOrderMark);
}

std::u16string MarkedEntry(std::u16string_view entry) {
    std::u16string out(1, kEncodedEntryMarker);
    out.reserve(entry.size() + 1);
    for (char16_t c : entry) {
        switch (c) {
            case u'\\': out += u"\\\\"; break;
            case u'\r': out += u"\\r"; break;
            case u'\n': out += u"\\n"; break;
            default: out += c;
        }
    }
    return out;
}

std::u16string UnmarkedEntry(std::u16string_view line) {
    std::u16string out;
    out.reserve(line.size());
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == u'\\' && i + 1 < line.size()) {
            const char16_t next = line[i + 1];
            if (next == u'\\' || next == u'r' || next == u'n') {
                out += next == u'\\' ? u'\\' : next == u'r' ? u'\r' : u'\n';
                ++i;
                continue;
            }
        }
        out += line[i];  // a lone backslash stays itself
    }
    return out;
}

}  // namespace

std::string EncodeNeverAskFile(const std::vector<std::u16string>& entries) {
    std::string bytes;
    for (const auto& entry : entries) {
        bytes += Utf16ToUtf8(NeedsEncoding(entry) ? MarkedEntry(entry) : entry);
        bytes += "\r\n";
    }
    return bytes;
}

std::vector<std::u16string> DecodeNeverAskFile(std::string_view bytes) {
    if (bytes.starts_with(kUtf8ByteOrderMark)) bytes.remove_prefix(kUtf8ByteOrderMark.size());
    std::vector<std::u16string> entries;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = bytes.size();
        const std::string_view line = bytes.substr(start, end - start);
        // The marker is a byte of its own: malformed text that decodes to it stays plain.
        if (!line.empty() && line.front() == static_cast<char>(kEncodedEntryMarker)) {
            entries.push_back(UnmarkedEntry(Utf8ToUtf16(line.substr(1))));
        } else {
            entries.push_back(Utf8ToUtf16(line));
        }
        start = end;
        if (start < bytes.size() && bytes[start] == '\r') ++start;
        if (start < bytes.size() && bytes[start] == '\n') ++start;
    }
    return entries;
}

NeverAskList::NeverAskList(IFileSystem& files, const ITextConversion& cases, std::u16string filePath)
    : files_(files), cases_(cases), filePath_(std::move(filePath)) {}

void NeverAskList::Load() {
    entries_.clear();
    if (!files_.FileExists(filePath_)) return;
    if (auto bytes = files_.ReadWholeFile(filePath_)) entries_ = DecodeNeverAskFile(*bytes);
}

bool NeverAskList::SameText(std::u16string_view a, std::u16string_view b) const {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [this](char16_t x, char16_t y) {
               return x == y || cases_.CharToUpper(x) == cases_.CharToUpper(y);
           });
}

bool NeverAskList::Contains(std::u16string_view message) const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [&](const std::u16string& entry) { return SameText(entry, message); });
}

void NeverAskList::Add(std::u16string_view message) {
    if (entries_.size() >= kCapacity) entries_.erase(entries_.begin(), entries_.end() - (kCapacity - 1));
    entries_.emplace_back(message);
    Save();
}

void NeverAskList::Save() const { files_.WriteWholeFile(filePath_, EncodeNeverAskFile(entries_)); }

}  // namespace kv
