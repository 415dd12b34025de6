#pragma once
// The format of Lang\<name>.txt, read as bytes: the file is UTF-8, and the column rules (the
// "=" in column 7, the three byte-order-mark characters) count bytes.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "resources/kv_lang.h"

namespace kv {

// The entries of a whole language file as the loader reads it, in the order numbers were first
// met, each number once with the text of its last entry: applying them one by one with SetText
// gives the same table as applying every entry of the file. Numbers are 0 to 999999, so the
// result never holds more than a million entries whatever the file.
std::vector<TKvLangItem> ParseLanguageFile(std::string_view bytes);

// The identification entries as the start-up scan sees them: the values exactly as written
// (UTF-8), empty when not found.
struct LanguageFileHeader {
    std::string displayName;  // text 100000
    std::string idText;       // text 100001
    friend bool operator==(const LanguageFileHeader&, const LanguageFileHeader&) = default;
};

// Reads lines with no byte-order-mark handling until both values are non-empty, so an entry on
// the first line of a file that has the mark is not seen.
LanguageFileHeader ReadLanguageFileHeader(std::string_view bytes);

// The language id as a decimal number (optional "-"), 0 when the text is anything else or out
// of range.
std::int32_t ParseLanguageId(std::string_view text);

}  // namespace kv
