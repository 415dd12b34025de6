#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace kv {

// Padded with spaces or cut to exactly `width` characters.
std::u16string PadRight(std::u16string_view text, std::size_t width);
// For each delimiter in turn, its first 1-based position in text; the first non-zero one, else 0.
std::size_t FirstDelimiterPos(std::u16string_view text, std::u16string_view delimiters);
std::u16string TextBeforeDelimiters(std::u16string_view text, std::u16string_view delimiters);
std::u16string TextAfterDelimiters(std::u16string_view text, std::u16string_view delimiters);
std::u16string TextBefore(std::u16string_view text, std::u16string_view separator);
std::u16string TextAfter(std::u16string_view text, std::u16string_view separator);

}  // namespace kv
