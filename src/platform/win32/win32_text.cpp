#include "platform/win32/win32_text.h"

#include <windows.h>

namespace kv::win32 {

std::string ToAnsiCodePage(std::u16string_view text) {
    if (text.empty()) return {};
    const std::wstring wide = ToWide(text);
    const int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::u16string FromAnsiCodePage(std::string_view text) {
    if (text.empty()) return {};
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return FromWide(out);
}

std::u16string SystemErrorText(unsigned long code) {
    wchar_t buffer[512] = {};
    DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, buffer,
                             512, nullptr);
    while (n > 0 && (buffer[n - 1] == L'\r' || buffer[n - 1] == L'\n' || buffer[n - 1] == L' ')) --n;
    if (n == 0) return u"System error " + FromWide(std::to_wstring(code));
    return FromWide(std::wstring_view(buffer, n));
}

}  // namespace kv::win32
