#include "platform/win32/win32_internet.h"

#include <windows.h>
#include <wininet.h>

#include <atomic>
#include <string>
#include <utility>

#include "platform/win32/system_library.h"
#include "platform/win32/win32_handles.h"

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

namespace {

// Shared by the thread that started a read and the thread that makes it; the last one to let go
// frees it. It holds its own reference to the library, so an abandoned read may outlive the
// program's internet object.
struct ReadJob {
    Win32Internet::Api api;
    std::wstring agent;
    std::wstring url;
    std::size_t maxBytes = 0;
    DWORD wakeThread = 0;
    std::optional<InternetReply> reply;
    std::atomic<bool> done{false};
    std::atomic<int> holders{2};
};

void LetGo(ReadJob* job) {
    if (job->holders.fetch_sub(1, std::memory_order_acq_rel) == 1) delete job;
}

std::optional<InternetReply> Transfer(const ReadJob& job) {
    const Win32Internet::Api& api = job.api;
    InternetHandle session(api.open(job.agent.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0),
                           api.closeHandle);
    if (!session) return std::nullopt;
    // A server that accepts and then says nothing must not keep the read alive for long.
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT}) {
        DWORD timeoutMs = kTimeoutMs;
        api.setOption(session.Get(), option, &timeoutMs, sizeof timeoutMs);
    }
    // A cached answer would hide a newer version.
    constexpr DWORD kFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE;
    InternetHandle file(api.openUrl(session.Get(), job.url.c_str(), nullptr, 0, kFlags, 0), api.closeHandle);
    if (!file) return std::nullopt;
    InternetReply reply;
    DWORD status = 0;
    DWORD statusSize = sizeof status;
    if (api.queryInfo(file.Get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &statusSize, nullptr)) {
        reply.status = status;
    }
    reply.body.assign(job.maxBytes, '\0');
    DWORD read = 0;
    if (!api.readFile(file.Get(), reply.body.data(), static_cast<DWORD>(job.maxBytes), &read) || read == 0) {
        return std::nullopt;
    }
    reply.body.resize(read);
    return reply;
}

DWORD WINAPI ReadThread(void* parameter) {
    auto* job = static_cast<ReadJob*>(parameter);
    try {
        job->reply = Transfer(*job);
    } catch (...) {
        job->reply.reset();  // out of memory: the read failed
    }
    job->done.store(true, std::memory_order_release);
    // Wakes the starter's wait for messages; it finds nothing to dispatch and sees the read done.
    PostThreadMessageW(job->wakeThread, WM_NULL, 0, 0);
    LetGo(job);
    return 0;
}

class ThreadedRead final : public IInternetRead {
public:
    explicit ThreadedRead(ReadJob* job) : job_(job) {}
    ~ThreadedRead() override { LetGo(job_); }
    ThreadedRead(const ThreadedRead&) = delete;
    ThreadedRead& operator=(const ThreadedRead&) = delete;

    bool Done() const override { return job_->done.load(std::memory_order_acquire); }
    std::optional<InternetReply> Reply() const override {
        return Done() ? job_->reply : std::nullopt;
    }

private:
    ReadJob* job_;
};

// A read that failed before it began.
class FailedRead final : public IInternetRead {
public:
    bool Done() const override { return true; }
    std::optional<InternetReply> Reply() const override { return std::nullopt; }
};

}  // namespace

std::unique_ptr<IInternetRead> Win32Internet::StartRead(std::u16string_view agent, std::u16string_view url,
                                                        std::size_t maxBytes) {
    const Api* api = LoadedApi();
    if (!api) return std::make_unique<FailedRead>();
    auto job = std::make_unique<ReadJob>();
    job->api.library = LoadSystemLibrary(L"wininet.dll");
    if (!job->api.library) return std::make_unique<FailedRead>();
    job->api.getConnectedState = api->getConnectedState;
    job->api.open = api->open;
    job->api.openUrl = api->openUrl;
    job->api.readFile = api->readFile;
    job->api.closeHandle = api->closeHandle;
    job->api.setOption = api->setOption;
    job->api.queryInfo = api->queryInfo;
    job->agent.assign(agent.begin(), agent.end());
    job->url.assign(url.begin(), url.end());
    job->maxBytes = maxBytes;
    job->wakeThread = GetCurrentThreadId();
    auto read = std::make_unique<ThreadedRead>(job.get());
    UniqueKernelHandle thread(CreateThread(nullptr, 0, ReadThread, job.get(), 0, nullptr));
    if (!thread) {
        job->done.store(true, std::memory_order_release);
        job->holders.store(1, std::memory_order_release);  // no thread will let go
    }
    (void)job.release();  // the read and the thread hold it now
    return read;
}

}  // namespace kv::win32
