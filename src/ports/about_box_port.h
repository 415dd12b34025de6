#pragma once
// The about box and the program. The box is made and found through ShowFormOnce by the windows
// side; what it shows comes from the host, asked again whenever it is filled.
#include <string>

namespace kv {

struct AboutBoxContent;

class IAboutHost {
public:
    virtual ~IAboutHost() = default;
    virtual AboutBoxContent AboutContent() const = 0;
    // Web pages and mail through the shell; failures are ignored.
    virtual void OpenAddress(const std::u16string& address) = 0;
    virtual void CheckForUpdate() = 0;
};

}  // namespace kv
