#pragma once
#include <string>

namespace kv {

// The system's HTML help viewer. Both calls answer whether a help window opened.
class IHtmlHelp {
public:
    virtual ~IHtmlHelp() = default;
    virtual bool ShowContext(const std::u16string& file, int context) = 0;
    virtual bool ShowContents(const std::u16string& file) = 0;
};

}  // namespace kv
