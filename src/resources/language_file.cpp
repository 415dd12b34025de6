#include "resources/language_file.h"

#include <algorithm>
#include <charconv>
#include <unordered_map>

#include "platform/text.h"

namespace kv {
namespace {

constexpr std::size_t kByteOrderMarkLength = 3;
constexpr std::size_t kNumberLength = 6;
constexpr std::size_t kEqualsPosition = 6;  // zero-based: the seventh byte

// Splits at CR LF, CR or LF; a line break at the very end adds no empty line.
class LineReader {
public:
    explicit LineReader(std::string_view bytes) : rest_(bytes) {}

    bool Next(std::string_view& line) {
        if (rest_.empty()) return false;
        const std::size_t end = rest_.find_first_of("\r\n");
        if (end == std::string_view::npos) {
            line = rest_;
            rest_ = {};
            return true;
        }
        line = rest_.substr(0, end);
        const bool crLf = rest_[end] == '\r' && end + 1 < rest_.size() && rest_[end + 1] == '\n';
        rest_.remove_prefix(end + (crLf ? 2 : 1));
        return true;
    }

private:
    std::string_view rest_;
};

// Space and every control character count as white space, as the trim of the loader has it.
bool IsBlank(std::string_view line) {
    for (char c : line) {
        if (static_cast<unsigned char>(c) > ' ') return false;
    }
    return true;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// "##" becomes CR LF, scanning left to right, so "###" is CR LF and "#".
std::u16string ExpandLineBreaks(std::u16string text) {
    if (text.find(u"##") == std::u16string::npos) return text;
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'#' && i + 1 < text.size() && text[i + 1] == u'#') {
            out += u"\r\n";
            ++i;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

class EntryCollector {
public:
    void Finish(std::string& pending) {
        if (pending.size() > kNumberLength) {
            std::int32_t number = 0;
            std::size_t digits = 0;
            for (; digits < kNumberLength && IsDigit(pending[digits]); ++digits) {
                number = number * 10 + (pending[digits] - '0');
            }
            if (digits == kNumberLength) {
                Set(number, ExpandLineBreaks(Utf8ToUtf16(std::string_view(pending).substr(kNumberLength + 1))));
            }
        }
        pending.clear();
    }

    std::vector<TKvLangItem> Take() { return std::move(items_); }

private:
    void Set(std::int32_t number, std::u16string text) {
        auto [it, added] = index_.try_emplace(number, items_.size());
        if (added) {
            items_.push_back({number, std::move(text)});
        } else {
            items_[it->second].Text = std::move(text);
        }
    }

    std::vector<TKvLangItem> items_;
    std::unordered_map<std::int32_t, std::size_t> index_;
};

}  // namespace

std::vector<TKvLangItem> ParseLanguageFile(std::string_view bytes) {
    EntryCollector entries;
    std::string pending;
    LineReader lines(bytes);
    std::string_view line;
    for (bool first = true; lines.Next(line); first = false) {
        // The mark is assumed, not checked: a file without it loses three characters.
        if (first) line.remove_prefix(std::min(line.size(), kByteOrderMarkLength));
        if (!line.empty() && line.front() == ';') continue;
        if (IsBlank(line)) continue;
        if (line.size() > kEqualsPosition && line[kEqualsPosition] == '=') entries.Finish(pending);
        pending.append(line);
    }
    entries.Finish(pending);
    return entries.Take();
}

LanguageFileHeader ReadLanguageFileHeader(std::string_view bytes) {
    constexpr std::string_view kNamePrefix = "100000=";
    constexpr std::string_view kIdPrefix = "100001=";
    LanguageFileHeader header;
    LineReader lines(bytes);
    std::string_view line;
    while ((header.displayName.empty() || header.idText.empty()) && lines.Next(line)) {
        if (line.starts_with(kNamePrefix)) {
            header.displayName = line.substr(kNamePrefix.size());
        } else if (line.starts_with(kIdPrefix)) {
            header.idText = line.substr(kIdPrefix.size());
        }
    }
    return header;
}

std::int32_t ParseLanguageId(std::string_view text) {
    std::int32_t id = 0;
    const char* end = text.data() + text.size();
    auto [ptr, error] = std::from_chars(text.data(), end, id);
    return error == std::errc() && ptr == end ? id : 0;
}

}  // namespace kv
