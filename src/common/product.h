#pragma once
#include <string_view>

namespace kv {

// The name users know the program by, in captions, menus and messages. The file, class and
// registry names ("Karmux") are a different, fixed thing.
inline constexpr std::u16string_view kProductName = u"Tolvex";

}  // namespace kv
