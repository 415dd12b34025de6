#include "common/key_text.h"

#include "platform/win_constants.h"

namespace kv {

namespace {
constexpr std::uint8_t kLastNonPunctuationKey = 0xB9;
bool IsBlank(char16_t c) { return c <= u' '; }
}  // namespace

char16_t CharForKey(IKeyboardLayouts& layouts, std::uint8_t vk, const std::uint8_t* keyState, LayoutHandle layout) {
    return CharForKey(layouts, vk, layouts.MapVirtualKeyCode(vk, win::kMapVkToVsc, layout), keyState, layout);
}

char16_t CharForKey(IKeyboardLayouts& layouts, std::uint8_t vk, std::uint32_t scan, const std::uint8_t* keyState,
                    LayoutHandle layout) {
    char16_t buffer[2] = {};
    const int count = layouts.TranslateToUnicode(vk, scan, keyState, buffer, 2, 0, layout);
    if (vk > kLastNonPunctuationKey) {
        // The punctuation keys carry the dead keys: a second call clears the pending one.
        char16_t discard[2] = {};
        layouts.TranslateToUnicode(vk, scan, keyState, discard, 2, 0, layout);
    }
    if (count <= 0) return u' ';
    // Trim the blanks and control characters around what the key produced.
    const int length = count < 2 ? count : 2;
    int first = 0;
    int last = length - 1;
    while (first <= last && IsBlank(buffer[first])) ++first;
    while (last >= first && IsBlank(buffer[last])) --last;
    if (first > last) return u' ';
    return count == 1 ? buffer[first] : buffer[last];
}

}  // namespace kv
