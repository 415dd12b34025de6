#include "keyboard/keyboard_geometry.h"

#include <string>

#include "platform/error.h"
#include "platform/text.h"

namespace kv {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// Beyond this a number is out of every range; stop growing it so it cannot overflow.
constexpr std::int64_t kNumberCeiling = 10'000'000'000;

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

std::u16string_view Trim(std::u16string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::u16string LowerAscii(std::u16string_view text) {
    std::u16string lower(text);
    for (char16_t& c : lower) {
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    }
    return lower;
}

std::u16string Quoted(std::u16string_view text) { return u"\"" + std::u16string(text) + u"\""; }

// Splits at CR LF, CR or LF; a break at the very end adds no empty line.
std::vector<std::string_view> SplitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find_first_of("\r\n");
        if (end == std::string_view::npos) {
            lines.push_back(bytes);
            break;
        }
        lines.push_back(bytes.substr(0, end));
        const bool crLf = bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n';
        bytes.remove_prefix(end + (crLf ? 2 : 1));
    }
    return lines;
}

// A decimal integer with an optional sign, blanks around it allowed; huge values are capped.
std::optional<std::int64_t> ParseDecimal(std::u16string_view text) {
    text = Trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    std::int64_t value = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') return std::nullopt;
        if (value < kNumberCeiling) value = value * 10 + (c - u'0');
    }
    return negative ? -value : value;
}

std::int32_t ReadNumber(std::u16string_view text, std::int32_t min, std::int32_t max, std::u16string_view where) {
    const std::optional<std::int64_t> value = ParseDecimal(text);
    if (!value) throw KvError(std::u16string(where) + u": " + Quoted(Trim(text)) + u" is not a decimal whole number.");
    if (*value < min || *value > max) {
        throw KvError(std::u16string(where) + u": " + Quoted(Trim(text)) + u" is outside " +
                      Utf8ToUtf16(std::to_string(min)) + u".." + Utf8ToUtf16(std::to_string(max)) + u".");
    }
    return static_cast<std::int32_t>(*value);
}

}  // namespace

TKvGeometryText::TKvGeometryText(std::string_view bytes) {
    if (bytes.size() > geometry_limits::kMaxFileBytes) {
        throw KvError(u"the file is larger than " + Utf8ToUtf16(std::to_string(geometry_limits::kMaxFileBytes)) +
                      u" bytes.");
    }
    if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
    bool inComment = true;
    for (std::string_view line : SplitLines(bytes)) {
        if (inComment && line.starts_with(';')) {
            comment_ += Utf8ToUtf16(line.substr(1)) + u"\r\n";
            continue;
        }
        inComment = false;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        const std::u16string name = LowerAscii(Trim(Utf8ToUtf16(line.substr(0, equals))));
        values_.try_emplace(name, Trim(Utf8ToUtf16(line.substr(equals + 1))));
    }
}

std::optional<std::u16string_view> TKvGeometryText::Value(std::u16string_view name) const {
    const auto found = values_.find(LowerAscii(name));
    if (found == values_.end()) return std::nullopt;
    return std::u16string_view(found->second);
}

std::int32_t TKvGeometryText::ReadImageSize(std::u16string_view name, std::int32_t defaultSize) const {
    const std::optional<std::u16string_view> value = Value(name);
    if (!value || value->empty()) return defaultSize;
    return ReadNumber(*value, geometry_limits::kMinImageSize, geometry_limits::kMaxImageSize, name);
}

std::u16string TKvGeometryText::ReadBackground() const {
    const std::u16string_view value = Value(u"Background").value_or(u"");
    if (value.find_first_of(u"\\/:") != std::u16string_view::npos) {
        throw KvError(u"Background: " + Quoted(value) + u" is not a file name in the folder of the geometry.");
    }
    return std::u16string(value);
}

std::optional<std::vector<Point>> TKvGeometryText::ReadKeyOutline(std::uint8_t code) const {
    const std::u16string codeText = Utf8ToUtf16(std::to_string(code));
    const std::optional<std::u16string_view> value = Value(codeText);
    if (!value) return std::nullopt;
    std::vector<Point> points;
    if (value->empty()) return points;

    const std::u16string where = u"key " + codeText;
    std::vector<std::int32_t> coordinates;
    auto add = [&](std::u16string_view text) {
        if (coordinates.size() == 2 * geometry_limits::kMaxKeyPoints) {
            throw KvError(where + u": more than " + Utf8ToUtf16(std::to_string(geometry_limits::kMaxKeyPoints)) +
                          u" points.");
        }
        coordinates.push_back(
            ReadNumber(text, geometry_limits::kMinCoordinate, geometry_limits::kMaxCoordinate, where));
    };
    std::u16string_view rest = *value;
    while (true) {
        const std::size_t end = rest.find(u';');
        const std::u16string_view part = rest.substr(0, end);
        const std::size_t comma = part.find(u',');
        if (comma == std::u16string_view::npos) {
            add(part);
        } else {
            add(part.substr(0, comma));
            add(part.substr(comma + 1));
        }
        if (end == std::u16string_view::npos) break;
        rest.remove_prefix(end + 1);
    }
    if (coordinates.size() % 2 != 0) return points;
    points.reserve(coordinates.size() / 2);
    for (std::size_t i = 0; i < coordinates.size(); i += 2) points.push_back({coordinates[i], coordinates[i + 1]});
    return points;
}

}  // namespace kv
