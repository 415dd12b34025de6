#include "platform/win32/win32_text.h"

#include <windows.h>

namespace kv::win32 {

std::u16string SystemErrorText(unsigned long code) {
    wchar_t buffer[512] = {};
    DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, buffer,
                             512, nullptr);
    while (n > 0 && (buffer[n - 1] == L'\r' || buffer[n - 1] == L'\n' || buffer[n - 1] == L' ')) --n;
    if (n == 0) return u"System error " + FromWide(std::to_wstring(code));
    return FromWide(std::wstring_view(buffer, n));
}

}  // namespace kv::win32
