#include "links/version_file.h"

#include <cstddef>
#include <cstdint>

namespace kv {

namespace {

constexpr std::size_t kLongestVersion = 15;

// The dotless number of a version, 0 when that is no number.
std::uint64_t VersionNumber(std::u16string_view version) {
    std::uint64_t number = 0;
    bool digits = false;
    for (char16_t c : version) {
        if (c == u'.') continue;
        if (c < u'0' || c > u'9') return 0;
        number = number * 10 + static_cast<std::uint64_t>(c - u'0');
        digits = true;
    }
    return digits ? number : 0;
}

}  // namespace

VersionFile ParseVersionFile(std::u16string_view text) {
    const std::size_t lineBreak = text.find(u"\r\n");
    if (lineBreak == std::u16string_view::npos) return {std::u16string(text), {}};
    return {std::u16string(text.substr(0, lineBreak)), u"\r\n\r\n" + std::u16string(text.substr(lineBreak + 2))};
}

bool IsNewerVersion(std::u16string_view remote, std::u16string_view local) {
    if (remote.empty() || remote.size() > kLongestVersion || remote == local) return false;
    if (remote.size() != local.size()) return true;
    return !(VersionNumber(remote) < VersionNumber(local));
}

bool IsVersionText(std::u16string_view text) {
    if (text.empty() || text.size() > kLongestVersion || text.front() == u'.' || text.back() == u'.') return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'.' ? text[i - 1] == u'.' : c < u'0' || c > u'9') return false;
    }
    return true;
}

}  // namespace kv
