#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/text_table.h"

namespace kv {

class IFileSystem;

struct TKvLangItem {
    std::int32_t Number = 0;
    std::u16string Text;  // line breaks already expanded
    friend bool operator==(const TKvLangItem&, const TKvLangItem&) = default;
};

// What every caption falls back to when its number is in no loaded file.
inline constexpr std::u16string_view kNoText = u"No text";
// Loaded under every other language, so English fills the gaps.
inline constexpr std::u16string_view kEnglishLanguage = u"en";

// A menu item, control, form or bitmap button: something with a caption.
class ICaptioned {
public:
    virtual ~ICaptioned() = default;
    virtual void SetCaption(std::u16string_view text) = 0;
};

// An action: its caption shows in menus, its hint as a tool tip.
class IHinted : public ICaptioned {
public:
    virtual void SetHint(std::u16string_view text) = 0;
};

// The table of numbered user-visible texts: English overlaid by the active language. Every
// lookup carries the caller's fallback, so a number missing from both files still shows text.
// Code looks texts up with a literal number, `GetText(<digits>, ...)`: a test scans the sources
// for that form and checks each number against Lang\en.txt.
class TKvLang final : public ITextTable {
public:
    // A table that reads no files: texts come only from SetText.
    TKvLang() = default;
    // Reads `<languageFolder><name>.txt` through `files` (which must outlive the table) and
    // loads "en" at once, so texts exist before the first window.
    TKvLang(const IFileSystem& files, std::u16string languageFolder);

    // Base name of the file last loaded ("en", "ru"), whether or not that file existed.
    const std::u16string& Name() const { return name_; }
    // In the order numbers were first met, each number once.
    const std::vector<TKvLangItem>& Items() const { return items_; }

    void LoadLanguage(std::u16string_view name);

    std::u16string GetText(std::int32_t number, std::u16string_view fallback) const override;
    void SetText(std::int32_t number, std::u16string text);
    // Position in Items, or -1.
    int IndexOfText(std::int32_t number) const;
    bool HasText(std::int32_t number) const { return IndexOfText(number) >= 0; }

    // For i = 1, 2, ... replaces every "%i" with arguments[i-1], each pass over the result of the
    // previous one: "%10" is hit by the first pass, and "%2" inside argument 1 by the second.
    static std::u16string FormatText(std::u16string_view text, const std::vector<std::u16string>& arguments);

    // The nine colour-scheme names in scheme order, joined by CR LF; "No text" for a missing
    // one so that list positions keep matching scheme numbers.
    std::u16string ColorSchemeNames() const;

    void TranslateAction(IHinted& action, std::int32_t number) const;
    void TranslateMenuItem(ICaptioned& item, std::int32_t number) const;
    void TranslateControl(ICaptioned& control, std::int32_t number) const;
    void TranslateButton(ICaptioned& button, std::int32_t number) const;

private:
    const IFileSystem* files_ = nullptr;
    std::u16string folder_;
    std::u16string name_;
    std::vector<TKvLangItem> items_;
    std::unordered_map<std::int32_t, std::size_t> index_;  // Number -> position in items_
};

}  // namespace kv
