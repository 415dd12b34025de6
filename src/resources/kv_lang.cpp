#include "resources/kv_lang.h"

#include <iterator>
#include <optional>
#include <string>

#include "platform/files_api.h"
#include "resources/language_file.h"

namespace kv {

TKvLang::TKvLang(const IFileSystem& files, std::u16string languageFolder)
    : files_(&files), folder_(std::move(languageFolder)) {
    LoadLanguage(kEnglishLanguage);
}

void TKvLang::LoadLanguage(std::u16string_view name) {
    if (name != kEnglishLanguage) {
        LoadLanguage(kEnglishLanguage);
    } else {
        items_.clear();
        index_.clear();
    }
    name_ = std::u16string(name);
    if (files_ == nullptr) return;
    std::optional<std::string> bytes = files_->ReadWholeFile(folder_ + name_ + u".txt");
    if (!bytes) return;
    for (TKvLangItem& item : ParseLanguageFile(*bytes)) SetText(item.Number, std::move(item.Text));
}

std::u16string TKvLang::GetText(std::int32_t number, std::u16string_view fallback) const {
    const int i = IndexOfText(number);
    return i >= 0 ? items_[static_cast<std::size_t>(i)].Text : std::u16string(fallback);
}

void TKvLang::SetText(std::int32_t number, std::u16string text) {
    auto [it, added] = index_.try_emplace(number, items_.size());
    if (added) {
        items_.push_back({number, std::move(text)});
    } else {
        items_[it->second].Text = std::move(text);
    }
}

int TKvLang::IndexOfText(std::int32_t number) const {
    auto it = index_.find(number);
    return it != index_.end() ? static_cast<int>(it->second) : -1;
}

std::u16string TKvLang::FormatText(std::u16string_view text, const std::vector<std::u16string>& arguments) {
    std::u16string result(text);
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string digits = std::to_string(i + 1);
        std::u16string placeholder = u"%";
        placeholder.append(digits.begin(), digits.end());
        std::u16string next;
        std::size_t from = 0;
        for (std::size_t hit = result.find(placeholder); hit != std::u16string::npos;
             hit = result.find(placeholder, from)) {
            next.append(result, from, hit - from);
            next += arguments[i];
            from = hit + placeholder.size();
        }
        next.append(result, from, std::u16string::npos);
        result = std::move(next);
    }
    return result;
}

std::u16string TKvLang::ColorSchemeNames() const {
    // Literal numbers, so the check of used texts against en.txt sees them.
    const std::u16string names[] = {
        GetText(514, kNoText), GetText(342, kNoText), GetText(509, kNoText),
        GetText(510, kNoText), GetText(557, kNoText), GetText(511, kNoText),
        GetText(512, kNoText), GetText(513, kNoText), GetText(530, kNoText),
    };
    std::u16string joined;
    for (std::size_t i = 0; i < std::size(names); ++i) {
        if (i > 0) joined += u"\r\n";
        joined += names[i];
    }
    return joined;
}

void TKvLang::TranslateAction(IHinted& action, std::int32_t number) const {
    const std::u16string text = GetText(number, kNoText);
    action.SetCaption(text);
    action.SetHint(text);
}

void TKvLang::TranslateMenuItem(ICaptioned& item, std::int32_t number) const {
    item.SetCaption(GetText(number, kNoText));
}

void TKvLang::TranslateControl(ICaptioned& control, std::int32_t number) const {
    control.SetCaption(GetText(number, kNoText));
}

void TKvLang::TranslateButton(ICaptioned& button, std::int32_t number) const {
    button.SetCaption(GetText(number, kNoText));
}

}  // namespace kv
