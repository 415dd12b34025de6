#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kv {

// What the server answered: its HTTP status and the start of the body.
struct InternetReply {
    std::uint32_t status = 0;  // 0 when the protocol has none
    std::string body;
};

// One read of a small file, made on a thread of its own so that the GUI thread keeps pumping
// messages (and so serving the keyboard hook) while a server is slow to answer.
class IInternetRead {
public:
    virtual ~IInternetRead() = default;
    // True once the transfer ended, either way. Its end wakes a wait for messages of the thread
    // that started it.
    virtual bool Done() const = 0;
    // What was read, once Done; empty when any step failed or nothing was read.
    virtual std::optional<InternetReply> Reply() const = 0;
};

// The internet as the update check uses it: one small file read in one go.
class IInternet {
public:
    virtual ~IInternet() = default;
    // InternetGetConnectedState.
    virtual bool Connected() const = 0;
    // A session with the system's proxy configuration and time-outs of a few seconds, the URL
    // opened without extra headers and never answered from a cache, one single read of at most
    // `maxBytes`, everything closed again. Destroying the read before it is done abandons it:
    // it ends by its time-outs on its own.
    [[nodiscard]] virtual std::unique_ptr<IInternetRead> StartRead(std::u16string_view agent, std::u16string_view url,
                                                                   std::size_t maxBytes) = 0;
};

}  // namespace kv
