#pragma once
// Plain value types shared by the portable code and the OS seam. No Windows headers here.
#include <cstdint>
#include <string>
#include <string_view>

namespace kv {

// A window handle as a number; 0 means none. Windows keeps handles within 32 significant bits.
using WindowHandle = std::uintptr_t;
constexpr WindowHandle kNoWindow = 0;

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    std::int32_t Width() const { return right - left; }
    std::int32_t Height() const { return bottom - top; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace kv
