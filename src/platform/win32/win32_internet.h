#pragma once
#include "platform/internet_api.h"

namespace kv::win32 {

// WinINet, the internet API the system's proxy settings apply to.
class Win32Internet : public IInternet {
public:
    bool Connected() const override;
    std::optional<InternetReply> ReadOnce(std::u16string_view agent, std::u16string_view url,
                                          std::size_t maxBytes) override;
};

}  // namespace kv::win32
