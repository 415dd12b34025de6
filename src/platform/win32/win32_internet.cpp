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

constexpr DWORD kTimeoutMs = 5000;

}  // namespace

bool Win32Internet::Connected() const {
    DWORD flags = 0;
    return InternetGetConnectedState(&flags, 0) != FALSE;
}

std::optional<InternetReply> Win32Internet::ReadOnce(std::u16string_view agent, std::u16string_view url,
                                                     std::size_t maxBytes) {
    const std::wstring agentText(agent.begin(), agent.end());
    const std::wstring urlText(url.begin(), url.end());
    UniqueInternetHandle session(InternetOpenW(agentText.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session) return std::nullopt;
    // The check runs on the GUI thread: an unreachable server must not hang the program.
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT}) {
        DWORD timeoutMs = kTimeoutMs;
        InternetSetOptionW(session.Get(), option, &timeoutMs, sizeof timeoutMs);
    }
    // A cached answer would hide a newer version.
    constexpr DWORD kFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE;
    UniqueInternetHandle file(InternetOpenUrlW(session.Get(), urlText.c_str(), nullptr, 0, kFlags, 0));
    if (!file) return std::nullopt;
    InternetReply reply;
    DWORD status = 0;
    DWORD statusSize = sizeof status;
    if (HttpQueryInfoW(file.Get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &statusSize, nullptr)) {
        reply.status = status;
    }
    reply.body.assign(maxBytes, '\0');
    DWORD read = 0;
    if (!InternetReadFile(file.Get(), reply.body.data(), static_cast<DWORD>(maxBytes), &read) || read == 0) {
        return std::nullopt;
    }
    reply.body.resize(read);
    return reply;
}

}  // namespace kv::win32
