#pragma once
// The pack file format, Icons\<name>.pni: "PNI1", three short strings (a length byte and that
// many bytes), a 16-bit size and the pack icon, a 16-bit entry count and the entries (16-bit
// modifier code, key code byte, short-string hint), then the image strip to the end of the file.
// Integers are little-endian.
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace kv {

inline constexpr std::string_view kIconPackMagic = "PNI1";

struct IconPackFileEntry {
    std::uint16_t modifiers = 0;
    std::uint8_t keyCode = 0;
    std::string_view hint;
};

enum class IconPackFileError {
    None,
    NotAPack,           // the magic is missing
    TruncatedPackIcon,  // the file ends inside the pack icon
    InvalidPackIcon,    // the pack icon is not an icon file
};

// One read of a pack file, viewing into the bytes read. A field the file ends before (or
// inside) is absent, and so is everything after it: a truncated header or entry list is no error.
struct IconPackFile {
    IconPackFileError error = IconPackFileError::None;
    std::optional<std::string_view> exeName;
    std::optional<std::string_view> windowClass;
    std::optional<std::string_view> comment;  // the third header text
    std::string_view packIcon;                // empty when the pack has none
    // Only when `full`: the complete entries, and every byte after them. An entry list cut
    // short leaves no bytes for the strip.
    std::vector<IconPackFileEntry> entries;
    std::string_view strip;
};

// Never reads outside `bytes`; the entry list holds no more entries than the bytes can.
IconPackFile ReadIconPackFile(std::string_view bytes, bool full);

}  // namespace kv
