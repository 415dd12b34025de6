#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/types.h"

namespace kv {

// Bounds on what a geometry file may ask for; anything beyond is a load error, not a crash.
namespace geometry_limits {
constexpr std::size_t kMaxFileBytes = 1024 * 1024;
constexpr std::size_t kMaxKeyPoints = 255;
constexpr std::int32_t kMinImageSize = 1, kMaxImageSize = 4096;
// Small enough that products of two coordinate differences fit in 32 bits.
constexpr std::int32_t kMinCoordinate = -16384, kMaxCoordinate = 16384;
}  // namespace geometry_limits

constexpr std::int32_t kDefaultGeometryWidth = 800, kDefaultGeometryHeight = 300;

// The built-in geometry, used when the named file does not exist.
std::string_view DefaultGeometryText();

// A keyboard geometry file read as name=value lines (UTF-8, optional byte-order mark; the first
// "=" splits; names are case-insensitive and the first line of a name counts).
// The readers throw KvError with a reason in English when a value is unusable.
class TKvGeometryText {
public:
    // Throws KvError when the file is larger than kMaxFileBytes.
    explicit TKvGeometryText(std::string_view bytes);

    // The leading ";" lines without their ";", each ended by CR LF.
    const std::u16string& Comment() const { return comment_; }
    std::optional<std::u16string_view> Value(std::u16string_view name) const;

    // "Width" or "Height": the default when missing or empty.
    std::int32_t ReadImageSize(std::u16string_view name, std::int32_t defaultSize) const;
    // "Background": a file name in the geometry's own folder, or empty.
    std::u16string ReadBackground() const;
    // The outline of key `code`; nothing when the file has no line for it, no points for an odd
    // count of coordinates or an empty value.
    std::optional<std::vector<Point>> ReadKeyOutline(std::uint8_t code) const;

private:
    std::u16string comment_;
    std::unordered_map<std::u16string, std::u16string> values_;  // lower-case name -> value
};

}  // namespace kv
