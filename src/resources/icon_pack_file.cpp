#include "resources/icon_pack_file.h"

#include <algorithm>

#include "resources/icon_pack_pictures.h"

namespace kv {

namespace {

constexpr std::size_t kSmallestEntry = 4;  // modifiers, key code, an empty hint

// Reads forward through the bytes. A read the bytes cannot complete gives nothing and moves
// to the end, as reading a stream past its end would leave nothing for the reads after it.
class PackReader {
public:
    explicit PackReader(std::string_view bytes) : bytes_(bytes) {}

    std::size_t Remaining() const { return bytes_.size() - position_; }

    std::optional<std::string_view> Bytes(std::size_t count) {
        if (count > Remaining()) {
            position_ = bytes_.size();
            return std::nullopt;
        }
        const std::string_view read = bytes_.substr(position_, count);
        position_ += count;
        return read;
    }

    std::optional<std::uint8_t> Byte() {
        const auto read = Bytes(1);
        if (!read) return std::nullopt;
        return static_cast<std::uint8_t>((*read)[0]);
    }

    std::optional<std::uint16_t> Word() {
        const auto read = Bytes(2);
        if (!read) return std::nullopt;
        return static_cast<std::uint16_t>(static_cast<unsigned char>((*read)[0]) |
                                          static_cast<unsigned char>((*read)[1]) << 8);
    }

    std::optional<std::string_view> ShortString() {
        const auto length = Byte();
        if (!length) return std::nullopt;
        return Bytes(*length);
    }

    std::string_view Rest() {
        const std::string_view rest = bytes_.substr(position_);
        position_ = bytes_.size();
        return rest;
    }

private:
    std::string_view bytes_;
    std::size_t position_ = 0;
};

std::optional<IconPackFileEntry> ReadEntry(PackReader& reader) {
    IconPackFileEntry entry;
    const auto modifiers = reader.Word();
    const auto keyCode = reader.Byte();
    const auto hint = reader.ShortString();
    if (!modifiers || !keyCode || !hint) return std::nullopt;
    entry.modifiers = *modifiers;
    entry.keyCode = *keyCode;
    entry.hint = *hint;
    return entry;
}

}  // namespace

IconPackFile ReadIconPackFile(std::string_view bytes, bool full) {
    IconPackFile file;
    PackReader reader(bytes);
    if (reader.Bytes(kIconPackMagic.size()) != kIconPackMagic) {
        file.error = IconPackFileError::NotAPack;
        return file;
    }
    file.exeName = reader.ShortString();
    file.windowClass = reader.ShortString();
    file.comment = reader.ShortString();

    const std::uint16_t iconSize = reader.Word().value_or(0);
    if (iconSize != 0) {
        const auto icon = reader.Bytes(iconSize);
        if (!icon) {
            file.error = IconPackFileError::TruncatedPackIcon;
            return file;
        }
        if (!IsIconFile(*icon)) {
            file.error = IconPackFileError::InvalidPackIcon;
            return file;
        }
        file.packIcon = *icon;
    }
    if (!full) return file;

    const std::uint16_t count = reader.Word().value_or(0);
    file.entries.reserve(std::min<std::size_t>(count, reader.Remaining() / kSmallestEntry));
    for (std::uint16_t i = 0; i < count; ++i) {
        const auto entry = ReadEntry(reader);
        if (!entry) break;
        file.entries.push_back(*entry);
    }
    file.strip = reader.Rest();
    return file;
}

}  // namespace kv
