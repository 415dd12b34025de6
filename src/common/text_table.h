#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace kv {

// The numbered texts of the interface language as the helpers below the language files see
// them: message boxes and mail take their words from it without knowing where texts come from.
class ITextTable {
public:
    virtual std::u16string GetText(std::int32_t number, std::u16string_view fallback) const = 0;

protected:
    ~ITextTable() = default;
};

}  // namespace kv
