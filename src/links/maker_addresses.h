#pragma once
#include <string>
#include <string_view>

namespace kv {

class TAppIni;

// Where the maker is reached: the one place that names the web site and the support address.
struct MakerAddresses {
    // Ends with a slash; its "http://www." start has German and Russian variants.
    std::u16string host;
    std::u16string supportMail;
};

inline constexpr std::u16string_view kDefaultMakerHost = u"http://www.tolvex.example/";
inline constexpr std::u16string_view kDefaultSupportMail = u"support@tolvex.example";

// The registry value "WebHost" points the program at another site (a mirror, or a local test
// server); a host without its final slash gets one.
MakerAddresses ReadMakerAddresses(const TAppIni& ini);

}  // namespace kv
