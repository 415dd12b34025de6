#pragma once
// What must hold for any bytes read as the never-ask list file. The fuzzer aborts on a
// violation; the native tests replay the kept regression inputs through the same check.
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/never_ask_list.h"
#include "platform/text.h"

namespace kv::fuzz {

// Empty when every property holds, else what broke.
inline std::string NeverAskFileViolation(std::string_view bytes) {
    const std::vector<std::u16string> entries = DecodeNeverAskFile(bytes);
    // Every entry ends at a line break or at the end of the file.
    if (entries.size() > bytes.size()) return "more entries than bytes";
    std::size_t units = 0;
    for (const auto& entry : entries) units += entry.size();
    if (units > bytes.size()) return "more characters than bytes";

    if (DecodeNeverAskFile(EncodeNeverAskFile(entries)) != entries) return "the entries do not survive writing";
    const std::string written = EncodeNeverAskFile(entries);
    if (EncodeNeverAskFile(DecodeNeverAskFile(written)) != written) return "writing again changes the file";
    // At most the marker, every character escaped as three-byte text doubled, and the line end.
    if (written.size() > 6 * units + 5 * entries.size()) return "the written file grew out of bounds";

    // Without the marker every line is one entry, read verbatim: no backslash means anything.
    if (bytes.find('\x01') == std::string_view::npos) {
        std::string_view rest = bytes.starts_with("\xEF\xBB\xBF") ? bytes.substr(3) : bytes;
        std::size_t index = 0;
        while (!rest.empty()) {
            const std::size_t end = std::min(rest.find_first_of("\r\n"), rest.size());
            if (index >= entries.size() || entries[index] != Utf8ToUtf16(rest.substr(0, end))) {
                return "a plain line not read verbatim";
            }
            ++index;
            rest.remove_prefix(end);
            if (rest.starts_with('\r')) rest.remove_prefix(1);
            if (rest.starts_with('\n')) rest.remove_prefix(1);
        }
        if (index != entries.size()) return "entries that no line holds";
    }
    return {};
}

}  // namespace kv::fuzz
