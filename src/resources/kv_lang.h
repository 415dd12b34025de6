#pragma once
#include <map>
#include <string>
#include <string_view>

namespace kv {

// The table of numbered user-visible texts. Every lookup carries the caller's fallback,
// so the program speaks English even before a language file is loaded.
class TKvLang {
public:
    std::u16string GetText(int number, std::u16string_view fallback) const;
    void SetText(int number, std::u16string text);
    bool HasText(int number) const { return texts_.count(number) != 0; }

private:
    std::map<int, std::u16string> texts_;
};

}  // namespace kv
