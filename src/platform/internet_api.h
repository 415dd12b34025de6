#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kv {

// The internet as the update check uses it: one small file read in one go.
class IInternet {
public:
    virtual ~IInternet() = default;
    // InternetGetConnectedState.
    virtual bool Connected() const = 0;
    // A session with the system's proxy configuration, the URL opened without extra headers or
    // flags, one single read of at most `maxBytes`, everything closed again. Empty when any step
    // fails or nothing was read.
    virtual std::optional<std::string> ReadOnce(std::u16string_view agent, std::u16string_view url,
                                                std::size_t maxBytes) = 0;
};

}  // namespace kv
