#include "resources/kv_lang.h"

namespace kv {

std::u16string TKvLang::GetText(int number, std::u16string_view fallback) const {
    auto it = texts_.find(number);
    return it != texts_.end() ? it->second : std::u16string(fallback);
}

void TKvLang::SetText(int number, std::u16string text) { texts_[number] = std::move(text); }

}  // namespace kv
