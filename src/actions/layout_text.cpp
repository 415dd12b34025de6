#include "actions/layout_text.h"

#include <cstdint>

namespace kv {

LayoutHandle LayoutFromText(std::u16string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text.remove_prefix(1);
    }
    if (text.empty()) return 0;
    const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
    std::int64_t magnitude = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') return 0;
        magnitude = magnitude * 10 + (c - u'0');
        if (magnitude > limit) return 0;
    }
    return static_cast<LayoutHandle>(negative ? -magnitude : magnitude);
}

}  // namespace kv
