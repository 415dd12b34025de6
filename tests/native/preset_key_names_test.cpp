#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "common/char_upper.h"
#include "keyboard/default_key_names.h"
#include "keyboard/key_names.h"
#include "platform/error.h"
#include "settings/preset.h"
#include "sim_platform.h"

namespace kv {
namespace {

constexpr LayoutHandle kUs = sim::kLayoutUs, kRu = sim::kLayoutRu, kDe = sim::kLayoutDe, kFr = sim::kLayoutFr;
using LoadHistory = std::vector<std::pair<bool, LayoutHandle>>;

TEST(DefaultKeyNamesTest, NamesEveryKnownKeyAndLeavesTheRestEmpty) {
    const auto& names = DefaultKeyNames();
    const std::map<int, std::u16string_view> samples = {
        {3, u"Break"},   {8, u"Back"},     {32, u"Space"}, {48, u"0"},     {57, u"9"},      {65, u"A"},
        {90, u"Z"},      {96, u"Nm 0"},    {105, u"Nm 9"}, {106, u"Nm *"}, {108, u"Sepr."}, {112, u"F1"},
        {135, u"F24"},   {161, u"Shift"},  {165, u"AltGr"}, {192, u"~"},   {220, u"\\"},    {222, u"\""},
        {223, u"8"},     {226, u"\\"},     {246, u"ATTN"}, {254, u"CLEAR"},
        {0, u""},        {7, u""},         {58, u""},      {64, u""},      {94, u""},       {136, u""},
        {184, u""},      {193, u""},       {218, u""},     {224, u""},     {255, u""},
    };
    for (const auto& [vk, name] : samples) EXPECT_EQ(names[vk], name) << vk;
    int named = 0;
    for (auto name : names) named += name.empty() ? 0 : 1;
    EXPECT_EQ(named, 189);
}

TEST(DefaultKeyNamesTest, CharacterKeysAreSpaceDigitsLettersNumpadAndPunctuation) {
    for (std::uint32_t vk : {32u, 48u, 58u, 90u, 96u, 111u, 186u, 192u, 219u, 226u}) EXPECT_TRUE(IsCharacterKey(vk)) << vk;
    for (std::uint32_t vk : {0u, 31u, 33u, 47u, 91u, 95u, 112u, 185u, 193u, 218u, 227u, 255u, 256u + 65u}) {
        EXPECT_FALSE(IsCharacterKey(vk)) << vk;
    }
}

TEST(UpperCaseLetterTest, CapitalisesTheLettersOfKeyboardLayouts) {
    const std::pair<char16_t, char16_t> cases[] = {
        {u'a', u'A'}, {u'z', u'Z'}, {u'ü', u'Ü'}, {u'é', u'É'}, {u'þ', u'Þ'}, {u'ÿ', u'Ÿ'}, {u'ā', u'Ā'},
        {u'ı', u'I'}, {u'ĺ', u'Ĺ'}, {u'ł', u'Ł'}, {u'ŋ', u'Ŋ'}, {u'ž', u'Ž'}, {u'α', u'Α'}, {u'ς', u'Σ'},
        {u'ά', u'Ά'}, {u'ή', u'Ή'}, {u'ώ', u'Ώ'}, {u'я', u'Я'}, {u'ё', u'Ё'}, {u'ў', u'Ў'}, {u'ґ', u'Ґ'},
        {u'ӂ', u'Ӂ'}, {u'ӑ', u'Ӑ'}, {u'ӏ', u'Ӏ'},
        // unchanged: no single capital, already capital, not a letter
        {u'ß', u'ß'}, {u'ĸ', u'ĸ'}, {u'Ä', u'Ä'}, {u'Ĺ', u'Ĺ'}, {u'Ж', u'Ж'}, {u'÷', u'÷'}, {u'[', u'['},
        {u'1', u'1'}, {u'€', u'€'},
    };
    for (const auto& [small, capital] : cases) EXPECT_EQ(UpperCaseLetter(small), capital) << int(small);
}

TEST(KeyNamesTest, CharacterKeysAreNamedAfterWhatTheSamePhysicalKeyTypes) {
    struct Case {
        const char* name;
        std::vector<LayoutHandle> installed;
        LayoutHandle requested;
        LayoutHandle used;
        std::map<int, std::u16string> expected;
        LoadHistory history;  // of the US reference layout
    };
    const Case cases[] = {
        {"German without US",
         {kDe, kRu},
         kDe,
         kDe,
         {{219, u"Ü"}, {186, u"Ö"}, {222, u"Ä"}, {90, u"Y"}, {89, u"Z"}, {189, u"ß"}, {49, u"1"},
          {192, u"~"},  // a dead key keeps its English name
          {13, u"Enter"}, {20, u"Feststelltaste"}, {33, u"Bild-auf"}, {34, u"Bild-ab"}, {35, u"Ende"}, {36, u"Pos1"},
          {44, u"Druck"}, {45, u"Einfg"}, {46, u"Entf"}, {145, u"Rollen"}, {160, u"Umschalt"}, {161, u"Umschalt"},
          {162, u"Strg"}, {163, u"Strg"}, {144, u"NumLock"}, {112, u"F1"}, {32, u"Space"}},
         {{true, kUs}, {false, kUs}}},
        {"French without US",
         {kFr, kRu},
         kFr,
         kFr,
         {{81, u"A"}, {65, u"Q"}, {87, u"Z"}, {90, u"W"}, {186, u"M"}, {77, u","}, {49, u"&"}, {50, u"É"},
          {55, u"È"}, {48, u"À"}, {13, u"Entr"}, {27, u"Echap"}, {35, u"Fin"}, {44, u"Impr ecran"}, {45, u"Inser"},
          {46, u"Suppr"}, {144, u"Verr num"}, {145, u"Arret defil"}, {162, u"Ctrl"}, {36, u"Home"}},
         {{true, kUs}, {false, kUs}}},
        {"Russian with US installed",
         {kUs, kRu},
         kRu,
         kRu,
         {{81, u"Й"}, {219, u"Х"}, {221, u"Ъ"}, {192, u"Ё"}, {190, u"Ю"}, {188, u"Б"}, {162, u"Ctrl"}, {46, u"Del"}},
         {}},
        {"US",
         {kUs, kRu},
         kUs,
         kUs,
         {{219, u"["}, {186, u";"}, {222, u"'"}, {192, u"`"}, {191, u"/"}, {65, u"A"}, {49, u"1"}, {96, u"Nm 0"}},
         {}},
        {"German requested but not installed",
         {kUs, kRu},
         kDe,
         kUs,
         {{219, u"["}, {90, u"Z"}, {162, u"Strg"}, {46, u"Entf"}},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sim::SimKeyboard keyboard;
        keyboard.SetInstalled(c.installed);
        const LocalizedKeyNames result = BuildKeyNames(keyboard, c.requested);
        EXPECT_EQ(result.layout, c.used);
        for (const auto& [vk, name] : c.expected) {
            EXPECT_EQ(Utf16ToUtf8(result.names[vk]), Utf16ToUtf8(name)) << "key " << vk;
        }
        EXPECT_EQ(keyboard.LoadHistory(), c.history);
        EXPECT_EQ(keyboard.InstalledLayouts(), c.installed);
    }
}

// Delegates to the simulated layouts, with faults on demand.
class FaultyLayouts : public IKeyboardLayouts {
public:
    explicit FaultyLayouts(sim::SimKeyboard& inner) : inner_(inner) {}
    bool failTranslation = false;
    bool refuseLoading = false;
    std::vector<LayoutHandle> unloaded;

    std::vector<LayoutHandle> InstalledLayouts() const override { return inner_.InstalledLayouts(); }
    std::uint32_t MapVirtualKeyCode(std::uint32_t code, std::uint32_t mapType, LayoutHandle layout) const override {
        return inner_.MapVirtualKeyCode(code, mapType, layout);
    }
    int TranslateToUnicode(std::uint32_t vk, std::uint32_t scan, const std::uint8_t* state, char16_t* buffer, int length,
                           std::uint32_t flags, LayoutHandle layout) override {
        if (failTranslation) throw KvError(u"translation failed");
        return inner_.TranslateToUnicode(vk, scan, state, buffer, length, flags, layout);
    }
    std::int16_t ScanForCharacter(char16_t ch, LayoutHandle layout) const override {
        return inner_.ScanForCharacter(ch, layout);
    }
    LayoutHandle LoadLayout(std::u16string_view id) override { return refuseLoading ? 0 : inner_.LoadLayout(id); }
    void UnloadLayout(LayoutHandle layout) override {
        unloaded.push_back(layout);
        inner_.UnloadLayout(layout);
    }
    void ActivateLayout(LayoutHandle layout) override { inner_.ActivateLayout(layout); }
    LayoutHandle ThreadLayout(std::uint32_t threadId) const override { return inner_.ThreadLayout(threadId); }

private:
    sim::SimKeyboard& inner_;
};

TEST(KeyNamesTest, LoadedReferenceLayoutIsUnloadedWhenTheNamingFails) {
    sim::SimKeyboard keyboard;
    keyboard.SetInstalled({kDe});
    FaultyLayouts layouts(keyboard);
    layouts.failTranslation = true;
    EXPECT_THROW(BuildKeyNames(layouts, kDe), KvError);
    EXPECT_EQ(keyboard.LoadHistory(), (LoadHistory{{true, kUs}, {false, kUs}}));
    EXPECT_EQ(keyboard.InstalledLayouts(), std::vector<LayoutHandle>{kDe});
}

TEST(KeyNamesTest, WithoutAReferenceLayoutKeysKeepTheirOwnPositions) {
    sim::SimKeyboard keyboard;
    keyboard.SetInstalled({kFr});
    FaultyLayouts layouts(keyboard);
    layouts.refuseLoading = true;
    const LocalizedKeyNames result = BuildKeyNames(layouts, kFr);
    EXPECT_EQ(result.names[65], u"A");
    EXPECT_EQ(result.names[81], u"Q");
    EXPECT_EQ(result.names[50], u"É");
    EXPECT_EQ(layouts.unloaded, std::vector<LayoutHandle>{});
}

TEST(KeyNamesTest, NoInstalledLayoutKeepsTheRequestedOne) {
    sim::SimKeyboard keyboard;
    keyboard.SetInstalled({});
    const LocalizedKeyNames result = BuildKeyNames(keyboard, kRu);
    EXPECT_EQ(result.layout, kRu);
    EXPECT_EQ(result.names[81], u"Й");
}

TEST(KeyNamesTest, PresetTakesTheLayoutActuallyUsedAndRepaints) {
    sim::SimPlatform os;
    os.keyboard.SetInstalled({kRu, kFr});
    TAppIni ini(os.registry, os.files, nullptr);
    const AppFolders folders = ResolveAppFolders(os.desktop.ExecutablePath(), os.files);
    EventSoundPlayer sounds(os.platform.sound, os.platform.files, os.platform.version, folders.soundFolder);
    TPreset preset(os.platform, sounds, ini, folders, os.desktop.ExecutablePath());
    EXPECT_EQ(preset.KeyName(219), u"{") << "English names until a layout is chosen";
    os.registry.Key(u"SOFTWARE\\OrlentaSoftware\\Karmux")[u"KEYBOARDLANG"] =
        RegistryValue{RegistryType::Dword, kDe, {}};
    preset.Load();
    EXPECT_EQ(preset.KeyboardLang(), kRu);
    EXPECT_EQ(preset.KeyName(219), u"Х");
    EXPECT_EQ(preset.KeyName(163), u"Strg");
    preset.SetKeyboardLang(kFr);
    EXPECT_EQ(preset.KeyboardLang(), kFr);
    EXPECT_EQ(preset.KeyName(81), u"A");
    EXPECT_EQ(preset.KeyName(163), u"Ctrl");
}

}  // namespace
}  // namespace kv
