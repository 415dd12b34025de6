#include "platform/win32/win32_internet.h"

#include <windows.h>
#include <wininet.h>

#include <string>

#include "platform/win32/win32_handles.h"

namespace kv::win32 {

namespace {

struct InternetHandleTraits {
    static HINTERNET Invalid() { return nullptr; }
    static void Close(HINTERNET handle) { InternetCloseHandle(handle); }
};
using UniqueInternetHandle = UniqueHandle<HINTERNET, InternetHandleTraits>;

}  // namespace

bool Win32Internet::Connected() const {
    DWORD flags = 0;
    return InternetGetConnectedState(&flags, 0) != FALSE;
}

std::optional<std::string> Win32Internet::ReadOnce(std::u16string_view agent, std::u16string_view url,
                                                   std::size_t maxBytes) {
    const std::wstring agentText(agent.begin(), agent.end());
    const std::wstring urlText(url.begin(), url.end());
    UniqueInternetHandle session(InternetOpenW(agentText.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session) return std::nullopt;
    UniqueInternetHandle file(InternetOpenUrlW(session.Get(), urlText.c_str(), nullptr, 0, 0, 0));
    if (!file) return std::nullopt;
    std::string bytes(maxBytes, '\0');
    DWORD read = 0;
    if (!InternetReadFile(file.Get(), bytes.data(), static_cast<DWORD>(maxBytes), &read) || read == 0) {
        return std::nullopt;
    }
    bytes.resize(read);
    return bytes;
}

}  // namespace kv::win32
