#pragma once
// What must hold for any bytes read as a keyboard geometry file. The fuzzer aborts on a
// violation; the native tests replay the kept regression inputs through the same check.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "keyboard/key_outline.h"
#include "keyboard/keyboard_geometry.h"
#include "platform/error.h"
#include "platform/text.h"

namespace kv::fuzz {

inline bool WithinCoordinates(const Point& p) {
    return p.x >= geometry_limits::kMinCoordinate && p.x <= geometry_limits::kMaxCoordinate &&
           p.y >= geometry_limits::kMinCoordinate && p.y <= geometry_limits::kMaxCoordinate;
}

inline std::string OutlineText(const std::vector<Point>& points) {
    std::string text;
    for (const Point& p : points) {
        if (!text.empty()) text += ';';
        text += std::to_string(p.x) + "," + std::to_string(p.y);
    }
    return text;
}

// Empty when the outline of `code` keeps every property, else what broke.
inline std::string KeyViolation(const TKvGeometryText& text, std::uint8_t code) {
    const std::string where = "key " + std::to_string(code) + ": ";
    std::optional<std::vector<Point>> outline;
    try {
        outline = text.ReadKeyOutline(code);
    } catch (const KvError& error) {
        const std::u16string expected = u"key " + Utf8ToUtf16(std::to_string(code)) + u": ";
        if (!error.Message().starts_with(expected)) return where + "error does not name the key: " + error.what();
        return {};
    }
    if (!outline) {
        if (text.Value(Utf8ToUtf16(std::to_string(code)))) return where + "a line without outline";
        return {};
    }
    if (outline->size() > geometry_limits::kMaxKeyPoints) return where + "too many points";
    for (const Point& p : *outline) {
        if (!WithinCoordinates(p)) return where + "a point out of range";
        bool extended = false;
        OutlineContains(*outline, p.x, p.y, extended);
    }
    if (outline->size() == 2) {
        bool extended = false;
        for (const Point& corner : *outline) {
            if (!OutlineContains(*outline, corner.x, corner.y, extended)) return where + "a corner outside its rectangle";
        }
    }
    OutlineHeight(*outline);
    // Written back as a key line, the outline reads the same.
    const std::string line = std::to_string(code) + "=" + OutlineText(*outline);
    if (TKvGeometryText(line).ReadKeyOutline(code) != outline) return where + "the outline does not read back";
    return {};
}

inline std::string GeometryViolation(std::string_view bytes) {
    std::optional<TKvGeometryText> text;
    try {
        text.emplace(bytes);
    } catch (const KvError& error) {
        if (bytes.size() <= geometry_limits::kMaxFileBytes) return std::string("rejected a file of allowed size: ") + error.what();
        return {};
    }
    if (bytes.size() > geometry_limits::kMaxFileBytes) return "accepted an oversized file";

    const std::u16string& comment = text->Comment();
    for (std::size_t start = 0; start < comment.size();) {
        const std::size_t end = comment.find(u"\r\n", start);
        if (end == std::u16string::npos) return "a comment line without CR LF";
        if (comment.substr(start, end - start).find_first_of(u"\r\n") != std::u16string::npos) {
            return "a line break inside a comment line";
        }
        start = end + 2;
    }
    if (text->Value(u"WIDTH") != text->Value(u"width")) return "names are not case-insensitive";

    for (const std::u16string_view name : {u"Width", u"Height"}) {
        try {
            const std::int32_t size = text->ReadImageSize(name, 123);
            if (size != 123 && (size < geometry_limits::kMinImageSize || size > geometry_limits::kMaxImageSize)) {
                return "an image size out of range";
            }
        } catch (const KvError& error) {
            if (!error.Message().starts_with(name)) return std::string("size error without its name: ") + error.what();
        }
    }
    try {
        if (text->ReadBackground().find_first_of(u"\\/:") != std::u16string::npos) return "a background with a path";
    } catch (const KvError&) {
    }
    for (std::uint32_t code = 1; code < 256; ++code) {
        std::string violation = KeyViolation(*text, static_cast<std::uint8_t>(code));
        if (!violation.empty()) return violation;
    }
    return {};
}

}  // namespace kv::fuzz
