#include "keyboard/key_names.h"

#include <algorithm>
#include <vector>

#include "common/char_upper.h"
#include "common/key_text.h"
#include "keyboard/default_key_names.h"
#include "keyboard/us_reference_layout.h"
#include "platform/win_constants.h"

namespace kv {

namespace {

constexpr std::uint32_t kLangGerman = 7, kLangFrench = 12;

struct KeyNameReplacement {
    std::uint8_t vk;
    std::u16string_view name;
};

constexpr KeyNameReplacement kGermanNames[] = {
    {20, u"Feststelltaste"}, {33, u"Bild-auf"}, {34, u"Bild-ab"}, {35, u"Ende"},     {36, u"Pos1"},
    {44, u"Druck"},          {45, u"Einfg"},    {46, u"Entf"},    {145, u"Rollen"},  {160, u"Umschalt"},
    {161, u"Umschalt"},      {162, u"Strg"},    {163, u"Strg"},
};

constexpr KeyNameReplacement kFrenchNames[] = {
    {13, u"Entr"},  {27, u"Echap"},  {35, u"Fin"},       {44, u"Impr ecran"},
    {45, u"Inser"}, {46, u"Suppr"},  {144, u"Verr num"}, {145, u"Arret defil"},
};

// The US key at the physical position of `vk` in `layout`; `vk` itself when unknown.
std::uint32_t SamePositionKey(IKeyboardLayouts& layouts, LayoutHandle reference, std::uint32_t vk, LayoutHandle layout) {
    if (reference == 0) return vk;
    const std::uint32_t scan = layouts.MapVirtualKeyCode(vk, win::kMapVkToVsc, layout);
    const std::uint32_t target = layouts.MapVirtualKeyCode(scan, win::kMapVscToVkEx, reference);
    return target != 0 ? target : vk;
}

template <std::size_t N>
void Apply(const KeyNameReplacement (&replacements)[N], KeyNameTable& names) {
    for (const KeyNameReplacement& r : replacements) names[r.vk] = r.name;
}

}  // namespace

LocalizedKeyNames BuildKeyNames(IKeyboardLayouts& layouts, LayoutHandle requested) {
    std::vector<LayoutHandle> installed = layouts.InstalledLayouts();
    if (installed.size() > kMaxInstalledLayoutsConsidered) installed.resize(kMaxInstalledLayoutsConsidered);
    auto isInstalled = [&](LayoutHandle h) { return std::find(installed.begin(), installed.end(), h) != installed.end(); };

    LocalizedKeyNames result;
    result.layout = (installed.empty() || isInstalled(requested)) ? requested : installed.front();
    const auto& defaults = DefaultKeyNames();
    std::copy(defaults.begin(), defaults.end(), result.names.begin());

    {
        const UsReferenceLayout reference(layouts, kMaxInstalledLayoutsConsidered);
        const std::uint8_t noKeysDown[256] = {};
        for (std::uint32_t vk = 1; vk < 256; ++vk) {
            if (vk == 32 || !IsCharacterKey(vk)) continue;
            const char16_t ch =
                UpperCaseLetter(CharForKey(layouts, static_cast<std::uint8_t>(vk), noKeysDown, result.layout));
            if (ch <= u' ') continue;
            const std::uint32_t target = SamePositionKey(layouts, reference.Handle(), vk, result.layout);
            if (target < 256 && IsCharacterKey(target)) result.names[target] = std::u16string(1, ch);
        }
    }

    const std::uint32_t language = requested & 0xFF;
    if (language == kLangGerman) Apply(kGermanNames, result.names);
    if (language == kLangFrench) Apply(kFrenchNames, result.names);
    return result;
}

}  // namespace kv
