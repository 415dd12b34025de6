#pragma once
#include <cstdint>
#include <string>

namespace kv {

struct FontStyle {
    bool bold = false;
    bool italic = false;
    friend bool operator==(const FontStyle&, const FontStyle&) = default;
};

struct ThemeFont {
    std::u16string name;
    FontStyle style;
    std::uint16_t size = 0;  // points
    friend bool operator==(const ThemeFont&, const ThemeFont&) = default;
};

}  // namespace kv
