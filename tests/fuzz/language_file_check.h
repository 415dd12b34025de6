#pragma once
// What must hold for any bytes read as a language file. The fuzzer aborts on a violation; the
// native tests replay the kept regression inputs through the same check.
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text.h"
#include "resources/kv_lang.h"
#include "resources/language_file.h"
#include "resources/language_list.h"
#include "sim_files.h"

namespace kv::fuzz {

// `bytes` with every occurrence of `from` replaced by `to`.
inline std::string ReplaceAll(std::string_view bytes, std::string_view from, std::string_view to) {
    std::string out;
    std::size_t start = 0;
    for (std::size_t hit = bytes.find(from); hit != std::string_view::npos; hit = bytes.find(from, start)) {
        out.append(bytes, start, hit - start);
        out.append(to);
        start = hit + from.size();
    }
    out.append(bytes, start);
    return out;
}

// Empty when every property holds, else what broke.
inline std::string LanguageFileViolation(std::string_view bytes) {
    const std::u16string folder = u"C:\\App\\Lang\\";
    const std::vector<TKvLangItem> items = ParseLanguageFile(bytes);

    std::set<std::int32_t> numbers;
    for (const TKvLangItem& item : items) {
        if (item.Number < 0 || item.Number > 999999) return "number out of range: " + std::to_string(item.Number);
        if (!numbers.insert(item.Number).second) return "number twice: " + std::to_string(item.Number);
        if (item.Text.find(u"##") != std::u16string::npos) return "unexpanded ## in " + std::to_string(item.Number);
    }
    // Every entry needs seven bytes of its own.
    if (items.size() > bytes.size() / 7) return "more entries than the file can hold";

    // Blank lines do not count, so the kind of line end cannot matter.
    for (const std::string& variant : {ReplaceAll(bytes, "\r\n", "\n"), ReplaceAll(bytes, "\n", "\r")}) {
        if (ParseLanguageFile(variant) != items) return "the kind of line end changed the entries";
        if (ReadLanguageFileHeader(variant) != ReadLanguageFileHeader(bytes)) return "the kind of line end changed the header";
    }

    sim::SimFileSystem other;
    other.AddFile(folder + u"xx.txt", std::string(bytes));
    TKvLang lang(other, folder);
    lang.LoadLanguage(u"xx");
    if (lang.Name() != u"xx" || lang.Items() != items) return "LoadLanguage differs from the parse";
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (lang.IndexOfText(items[i].Number) != static_cast<int>(i)) return "IndexOfText is not the position";
    }

    const LanguageFileHeader header = ReadLanguageFileHeader(bytes);
    for (const std::string* value : {&header.displayName, &header.idText}) {
        if (value->find_first_of("\r\n") != std::string::npos) return "a header value spans lines";
    }
    if (!header.displayName.empty() && bytes.find("100000=" + header.displayName) == std::string_view::npos) {
        return "a display name that the file does not hold";
    }
    const auto list = BuildLanguageList(other, folder, [](std::int32_t id) { return std::uint8_t(id & 0xFF); });
    const bool offered = !header.displayName.empty() && ParseLanguageId(header.idText) != 0;
    if (list.size() != (offered ? 1u : 0u)) return "offered against the header";
    if (offered && (list[0].FileName != u"xx" || list[0].Id != ParseLanguageId(header.idText) ||
                    list[0].DisplayName != Utf8ToUtf16(header.displayName))) {
        return "list item differs from the header";
    }
    return {};
}

}  // namespace kv::fuzz
