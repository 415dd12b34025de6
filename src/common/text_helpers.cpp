#include "common/text_helpers.h"

namespace kv {

std::u16string PadRight(std::u16string_view text, std::size_t width) {
    std::u16string out(text.substr(0, width));
    out.resize(width, u' ');
    return out;
}

std::size_t FirstDelimiterPos(std::u16string_view text, std::u16string_view delimiters) {
    // Delimiters are tried in their own order, not by where they occur in the text.
    for (char16_t delimiter : delimiters) {
        const auto pos = text.find(delimiter);
        if (pos != std::u16string_view::npos) return pos + 1;
    }
    return 0;
}

std::u16string TextBeforeDelimiters(std::u16string_view text, std::u16string_view delimiters) {
    const std::size_t pos = FirstDelimiterPos(text, delimiters);
    return std::u16string(pos == 0 ? text : text.substr(0, pos - 1));
}

std::u16string TextAfterDelimiters(std::u16string_view text, std::u16string_view delimiters) {
    const std::size_t pos = FirstDelimiterPos(text, delimiters);
    return std::u16string(pos == 0 ? text : text.substr(pos));
}

std::u16string TextBefore(std::u16string_view text, std::u16string_view separator) {
    const auto pos = text.find(separator);
    return std::u16string(pos == std::u16string_view::npos ? text : text.substr(0, pos));
}

std::u16string TextAfter(std::u16string_view text, std::u16string_view separator) {
    const auto pos = text.find(separator);
    return pos == std::u16string_view::npos ? std::u16string() : std::u16string(text.substr(pos + separator.size()));
}

}  // namespace kv
