#include "platform/win32/win32_internet.h"

#include <windows.h>
#include <wininet.h>

#include <string>
#include <utility>

#include "platform/win32/system_library.h"

namespace kv::win32 {

struct Win32Internet::Api {
    UniqueModule library;
    decltype(&InternetGetConnectedState) getConnectedState = nullptr;
    decltype(&InternetOpenW) open = nullptr;
    decltype(&InternetOpenUrlW) openUrl = nullptr;
    decltype(&InternetReadFile) readFile = nullptr;
    decltype(&InternetCloseHandle) closeHandle = nullptr;
    decltype(&InternetSetOptionW) setOption = nullptr;
    decltype(&HttpQueryInfoW) queryInfo = nullptr;
};

namespace {

class InternetHandle {
public:
    InternetHandle(HINTERNET handle, decltype(&InternetCloseHandle) close) : handle_(handle), close_(close) {}
    ~InternetHandle() {
        if (handle_) close_(handle_);
    }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;

    HINTERNET Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    HINTERNET handle_;
    decltype(&InternetCloseHandle) close_;
};

constexpr DWORD kTimeoutMs = 5000;

}  // namespace

Win32Internet::Win32Internet() = default;
Win32Internet::~Win32Internet() = default;

const Win32Internet::Api* Win32Internet::LoadedApi() const {
    if (api_) return api_->library ? api_.get() : nullptr;
    api_ = std::make_unique<Api>();
    UniqueModule library = LoadSystemLibrary(L"wininet.dll");
    if (!library) return nullptr;
    Api& api = *api_;
    const HMODULE module = library.Get();
    api.getConnectedState = ExportOf<decltype(api.getConnectedState)>(module, "InternetGetConnectedState");
    api.open = ExportOf<decltype(api.open)>(module, "InternetOpenW");
    api.openUrl = ExportOf<decltype(api.openUrl)>(module, "InternetOpenUrlW");
    api.readFile = ExportOf<decltype(api.readFile)>(module, "InternetReadFile");
    api.closeHandle = ExportOf<decltype(api.closeHandle)>(module, "InternetCloseHandle");
    api.setOption = ExportOf<decltype(api.setOption)>(module, "InternetSetOptionW");
    api.queryInfo = ExportOf<decltype(api.queryInfo)>(module, "HttpQueryInfoW");
    if (!api.getConnectedState || !api.open || !api.openUrl || !api.readFile || !api.closeHandle || !api.setOption ||
        !api.queryInfo) {
        return nullptr;
    }
    api.library = std::move(library);
    return api_.get();
}

bool Win32Internet::Connected() const {
    const Api* api = LoadedApi();
    DWORD flags = 0;
    return api && api->getConnectedState(&flags, 0) != FALSE;
}

std::optional<InternetReply> Win32Internet::ReadOnce(std::u16string_view agent, std::u16string_view url,
                                                     std::size_t maxBytes) {
    const Api* api = LoadedApi();
    if (!api) return std::nullopt;
    const std::wstring agentText(agent.begin(), agent.end());
    const std::wstring urlText(url.begin(), url.end());
    InternetHandle session(api->open(agentText.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0),
                           api->closeHandle);
    if (!session) return std::nullopt;
    // The check runs on the GUI thread: an unreachable server must not hang the program.
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT}) {
        DWORD timeoutMs = kTimeoutMs;
        api->setOption(session.Get(), option, &timeoutMs, sizeof timeoutMs);
    }
    // A cached answer would hide a newer version.
    constexpr DWORD kFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE;
    InternetHandle file(api->openUrl(session.Get(), urlText.c_str(), nullptr, 0, kFlags, 0), api->closeHandle);
    if (!file) return std::nullopt;
    InternetReply reply;
    DWORD status = 0;
    DWORD statusSize = sizeof status;
    if (api->queryInfo(file.Get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &statusSize, nullptr)) {
        reply.status = status;
    }
    reply.body.assign(maxBytes, '\0');
    DWORD read = 0;
    if (!api->readFile(file.Get(), reply.body.data(), static_cast<DWORD>(maxBytes), &read) || read == 0) {
        return std::nullopt;
    }
    reply.body.resize(read);
    return reply;
}

}  // namespace kv::win32
