#pragma once
#include <memory>

#include "platform/internet_api.h"

namespace kv::win32 {

// WinINet, the internet API the system's proxy settings apply to. The library (with the network
// libraries it brings) is loaded with the first request, not at start-up: most runs never make one.
// A read runs on a thread of its own: WinINet's calls block, and the GUI thread must stay free
// to serve the keyboard hook, which the system drops when a call of it waits too long.
class Win32Internet : public IInternet {
public:
    Win32Internet();
    ~Win32Internet() override;
    Win32Internet(const Win32Internet&) = delete;
    Win32Internet& operator=(const Win32Internet&) = delete;

    bool Connected() const override;
    std::unique_ptr<IInternetRead> StartRead(std::u16string_view agent, std::u16string_view url,
                                             std::size_t maxBytes) override;

    struct Api;

private:
    // Null when the library or one of its functions is missing.
    const Api* LoadedApi() const;

    mutable std::unique_ptr<Api> api_;
};

}  // namespace kv::win32
