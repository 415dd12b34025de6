#pragma once
// On Windows wchar_t is UTF-16, so the program's text crosses the API without conversion.
#include <string>
#include <string_view>

namespace kv::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide strings are UTF-16");

inline const wchar_t* W(const std::u16string& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }
inline std::wstring ToWide(std::u16string_view s) { return std::wstring(reinterpret_cast<const wchar_t*>(s.data()), s.size()); }
inline std::u16string FromWide(std::wstring_view s) {
    return std::u16string(reinterpret_cast<const char16_t*>(s.data()), s.size());
}
inline std::u16string FromWide(const wchar_t* s) { return s ? FromWide(std::wstring_view(s)) : std::u16string(); }

// Text in the user's ANSI code page and back.
std::string ToAnsiCodePage(std::u16string_view text);
std::u16string FromAnsiCodePage(std::string_view text);

// The system's text for an error code, trimmed.
std::u16string SystemErrorText(unsigned long code);

}  // namespace kv::win32
