#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kv {

// What the server answered: its HTTP status and the start of the body.
struct InternetReply {
    std::uint32_t status = 0;  // 0 when the protocol has none
    std::string body;
};

// The internet as the update check uses it: one small file read in one go.
class IInternet {
public:
    virtual ~IInternet() = default;
    // InternetGetConnectedState.
    virtual bool Connected() const = 0;
    // A session with the system's proxy configuration and time-outs of a few seconds, the URL
    // opened without extra headers and never answered from a cache, one single read of at most
    // `maxBytes`, everything closed again. Empty when any step fails or nothing was read.
    virtual std::optional<InternetReply> ReadOnce(std::u16string_view agent, std::u16string_view url,
                                                  std::size_t maxBytes) = 0;
};

}  // namespace kv
