#pragma once
// UTF-16 is the program's text type; UTF-8 appears only at file and test boundaries.
#include <string>
#include <string_view>

namespace kv {

std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

// Shorthand for literals in code that builds messages: u"..." is preferred where possible.
inline std::u16string operator""_u16(const char* s, std::size_t n) { return Utf8ToUtf16({s, n}); }

bool EqualsIgnoreCaseAscii(std::u16string_view a, std::u16string_view b);

// Replaces the first occurrence of `placeholder` with `value`.
std::u16string ReplaceFirst(std::u16string text, std::u16string_view placeholder, std::u16string_view value);

}  // namespace kv
