#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "app/app_forms.h"
#include "platform/text.h"
#include "platform/win_constants.h"
#include "resources/kv_lang.h"
#include "resources/language_apply.h"
#include "resources/language_file.h"
#include "resources/language_list.h"
#include "sim_platform.h"

namespace kv {

// Readable failures; internal linkage keeps them out of other tests' way.
static void PrintTo(const TKvLangItem& item, std::ostream* out) {
    std::string text;
    for (char c : Utf16ToUtf8(item.Text)) text += c == '\r' ? std::string("\\r") : c == '\n' ? std::string("\\n") : std::string(1, c);
    *out << item.Number << "=\"" << text << '"';
}

static void PrintTo(const TKvLangListItem& item, std::ostream* out) {
    *out << '{' << Utf16ToUtf8(item.FileName) << ", " << item.Id << ", " << int(item.FlagIndex) << ", "
         << Utf16ToUtf8(item.DisplayName) << '}';
}

namespace {

const std::string kBom = "\xEF\xBB\xBF";

std::u16string Lang() { return LanguageFolder(sim::SimPlatform::kAppFolder); }

// ---------------------------------------------------------------- the file format

TEST(LanguageFileTest, EntriesAreReadAsTheLoaderReadsThem) {
    struct Case {
        const char* what;
        std::string bytes;
        std::vector<TKvLangItem> expected;
    };
    const std::vector<Case> cases = {
        {"continuation appended verbatim, trailing spaces kept",
         kBom + "000105=Close\r\n   window  \r\n", {{105, u"Close   window  "}}},
        {"two hash signs are a line break", kBom + "000001=first##second", {{1, u"first\r\nsecond"}}},
        {"hash pairs are taken left to right", kBom + "000001=a###b####c", {{1, u"a\r\n#b\r\n\r\nc"}}},
        {"a blank line neither ends the entry nor breaks the line",
         kBom + "000001=one\r\n \t \r\n\r\ntwo\r\n000002=x", {{1, u"onetwo"}, {2, u"x"}}},
        {"a comment line inside an entry is skipped", kBom + "000001=one\n; remark\ntwo", {{1, u"onetwo"}}},
        {"CR, LF and CR LF all end lines", kBom + "000001=a\n000002=b\r000003=c\r\n000004=d",
         {{1, u"a"}, {2, u"b"}, {3, u"c"}, {4, u"d"}}},
        {"trailing spaces of an entry line are kept", kBom + "000001=a  \r\n", {{1, u"a  "}}},
        {"an entry line may have an empty text", kBom + "000003=\r\n000004=x", {{3, u""}, {4, u"x"}}},
        {"a number that is not six decimal digits drops its entry",
         kBom + "00a001=x\n-00001=y\n 00001=z\n+00001=w\n000002=kept", {{2, u"kept"}}},
        {"text before the first entry is dropped", kBom + "stray text\n000001=x", {{1, u"x"}}},
        {"unless it begins with six digits, which makes it an entry", kBom + "123456 note\n000001=x",
         {{123456, u"note"}, {1, u"x"}}},
        {"a pending text shorter than seven characters is dropped", kBom + "12345\n", {}},
        {"the first three bytes go whatever they are", "abc000007=x", {{7, u"x"}}},
        {"so a file without the mark loses its first entry", "000001=abc\n000002=def", {{2, u"def"}}},
        {"a first line shorter than the mark disappears", "ab\n000001=x", {{1, u"x"}}},
        {"a later entry of the same number keeps the first position",
         kBom + "000002=a\n000001=b\n000002=c", {{2, u"c"}, {1, u"b"}}},
        {"texts are UTF-8", kBom + "000001=Привет, мир", {{1, u"Привет, мир"}}},
        {"a character split over two lines is joined before decoding", kBom + "000001=\xD0\n\x9F",
         {{1, u"П"}}},
        {"the '=' column counts bytes, not characters", kBom + "000001=a\n\xC3\xA9\xC3\xA9\xC3\xA9=x",
         {{1, u"a"}}},
        {"the largest number", kBom + "999999=last", {{999999, u"last"}}},
    };
    for (const Case& c : cases) {
        const auto items = ParseLanguageFile(c.bytes);
        EXPECT_EQ(items, c.expected) << c.what;
    }
}

TEST(LanguageFileTest, TheStartUpScanReadsTheIdentificationEntries) {
    struct Case {
        const char* what;
        std::string bytes;
        LanguageFileHeader expected;
    };
    const std::vector<Case> cases = {
        {"at the end of a file", kBom + "; x\r\n000001=a\r\n100000=English\r\n100001=1033\r\n", {"English", "1033"}},
        {"the mark hides an entry on the first line", kBom + "100000=English\r\n100001=1033", {"", "1033"}},
        {"a later line repeats it", kBom + "100000=English\r\n100001=1033\r\n100000=Again", {"Again", "1033"}},
        {"without the mark the first line counts", "100000=English\n100001=1033", {"English", "1033"}},
        {"the value is everything after the first '='", "x\n100000=a=b\r100001= 7 ", {"a=b", " 7 "}},
        {"an empty value keeps the scan going", "x\n100000=\n100001=1\n100000=Late", {"Late", "1"}},
        {"a later value overwrites while one is missing", "x\n100000=A\n100000=B\n100001=1", {"B", "1"}},
        {"reading stops once both are known", "x\n100000=A\n100001=1\n100000=B\n100001=2", {"A", "1"}},
        {"continuation lines are not part of the value", "x\n100000=Eng\nlish\n100001=1", {"Eng", "1"}},
    };
    for (const Case& c : cases) {
        const auto header = ReadLanguageFileHeader(c.bytes);
        EXPECT_EQ(header.displayName, c.expected.displayName) << c.what;
        EXPECT_EQ(header.idText, c.expected.idText) << c.what;
    }
}

TEST(LanguageFileTest, LanguageIdsAreDecimalOrZero) {
    const std::vector<std::pair<std::string, std::int32_t>> cases = {
        {"1033", 1033}, {"25", 25}, {"-5", -5}, {"", 0}, {"abc", 0}, {"1033 ", 0},
        {" 1033", 0}, {"10x", 0}, {"2147483647", 2147483647}, {"2147483648", 0}, {"0x409", 0},
    };
    for (const auto& [text, id] : cases) EXPECT_EQ(ParseLanguageId(text), id) << '"' << text << '"';
}

// ---------------------------------------------------------------- the table

class LangTableTest : public ::testing::Test {
protected:
    void AddLanguage(std::u16string_view name, const std::string& body) {
        os.files.AddFile(Lang() + std::u16string(name) + u".txt", kBom + body);
    }

    sim::SimPlatform os;
};

TEST_F(LangTableTest, TheChosenLanguageOverlaysEnglishNumberByNumber) {
    AddLanguage(u"en", "000001=One\r\n000342=System Colors\r\n000002=Two\r\n100000=English\r\n100001=1033\r\n");
    AddLanguage(u"ru", "000002=Два\r\n000700=Только русский\r\n000001=Один\r\n");
    TKvLang lang(os.files, Lang());
    EXPECT_EQ(lang.Name(), u"en");
    EXPECT_EQ(lang.GetText(1, u"?"), u"One");

    lang.LoadLanguage(u"ru");

    EXPECT_EQ(lang.Name(), u"ru");
    EXPECT_EQ(lang.Items(), (std::vector<TKvLangItem>{{1, u"Один"},
                                                       {342, u"System Colors"},
                                                       {2, u"Два"},
                                                       {100000, u"English"},
                                                       {100001, u"1033"},
                                                       {700, u"Только русский"}}));
    EXPECT_EQ(lang.IndexOfText(700), 5);
    EXPECT_EQ(lang.IndexOfText(701), -1);
    EXPECT_EQ(lang.GetText(342, u"?"), u"System Colors") << "missing from ru: English";
    EXPECT_EQ(lang.GetText(999, kNoText), u"No text") << "in neither file: the caller's default";

    lang.LoadLanguage(u"en");
    EXPECT_FALSE(lang.HasText(700)) << "loading English alone starts from an empty table";
    EXPECT_EQ(lang.GetText(2, u"?"), u"Two");
}

TEST_F(LangTableTest, MissingFilesLeaveEnglishOrNothing) {
    AddLanguage(u"en", "000001=One\r\n");
    TKvLang lang(os.files, Lang());
    lang.LoadLanguage(u"de");
    EXPECT_EQ(lang.Name(), u"de");
    EXPECT_EQ(lang.Items(), (std::vector<TKvLangItem>{{1, u"One"}}));

    os.files.RemoveFile(Lang() + u"en.txt");
    lang.LoadLanguage(u"de");
    EXPECT_TRUE(lang.Items().empty());
    EXPECT_EQ(lang.GetText(1, u"fallback"), u"fallback");
}

TEST_F(LangTableTest, SetTextReplacesInPlaceOrAppends) {
    TKvLang lang;
    lang.SetText(5, u"a");
    lang.SetText(3, u"b");
    lang.SetText(5, u"c");
    EXPECT_EQ(lang.Items(), (std::vector<TKvLangItem>{{5, u"c"}, {3, u"b"}}));
    lang.LoadLanguage(u"en");
    EXPECT_TRUE(lang.Items().empty()) << "a table without files still starts over on English";
}

TEST(FormatTextTest, PlaceholdersAreReplacedInIncreasingOrder) {
    struct Case {
        const char* what;
        std::u16string text;
        std::vector<std::u16string> arguments;
        std::u16string expected;
    };
    const std::vector<std::u16string> ten = {u"A", u"B", u"C", u"D", u"E", u"F", u"G", u"H", u"I", u"J"};
    const std::vector<Case> cases = {
        {"two placeholders", u"Page %1 of %2", {u"3", u"5"}, u"Page 3 of 5"},
        {"every occurrence", u"%1, again %1", {u"x"}, u"x, again x"},
        {"placeholder ten is hit by placeholder one", u"%10|%9|%1", ten, u"A0|I|A"},
        {"an argument holding %2 is replaced again", u"%1!", {u"<%2>", u"two"}, u"<two>!"},
        {"an argument holding its own placeholder is not", u"%1", {u"%1%1"}, u"%1%1"},
        {"placeholders without an argument stay", u"%1 %2 %3", {u"a"}, u"a %2 %3"},
        {"a percent sign before a placeholder stays", u"100%% %%1", {u"x"}, u"100%% %x"},
        {"no arguments", u"%1", {}, u"%1"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TKvLang::FormatText(c.text, c.arguments), c.expected) << c.what;
    }
}

TEST_F(LangTableTest, ColourSchemeNamesAreNineLinesInSchemeOrder) {
    AddLanguage(u"en", "000514=Blue\n000342=System\n000509=Office\n000510=Green\n000557=Neon\n"
                       "000511=Dark\n000512=Black\n000513=Graphite\n000530=Amber\n");
    AddLanguage(u"xx", "000510=Grün\n000530=\n");
    TKvLang lang(os.files, Lang());
    EXPECT_EQ(lang.ColorSchemeNames(), u"Blue\r\nSystem\r\nOffice\r\nGreen\r\nNeon\r\nDark\r\nBlack\r\nGraphite\r\nAmber");
    lang.LoadLanguage(u"xx");
    EXPECT_EQ(lang.ColorSchemeNames(), u"Blue\r\nSystem\r\nOffice\r\nGrün\r\nNeon\r\nDark\r\nBlack\r\nGraphite\r\n");

    TKvLang empty;
    empty.SetText(342, u"System");
    EXPECT_EQ(empty.ColorSchemeNames(), u"No text\r\nSystem\r\nNo text\r\nNo text\r\nNo text\r\nNo text\r\n"
                                        u"No text\r\nNo text\r\nNo text");
}

struct FakeComponent : IHinted {
    void SetCaption(std::u16string_view text) override { caption = text; }
    void SetHint(std::u16string_view text) override { hint = text; }
    std::u16string caption = u"old caption";
    std::u16string hint = u"old hint";
};

TEST(TranslateTest, CaptionsAndHintsTakeTheTextOrNoText) {
    TKvLang lang;
    lang.SetText(29, u"Turn Off");
    FakeComponent action, item, control, button;
    lang.TranslateAction(action, 29);
    lang.TranslateMenuItem(item, 29);
    lang.TranslateControl(control, 404);
    lang.TranslateButton(button, 404);
    EXPECT_EQ(action.caption, u"Turn Off");
    EXPECT_EQ(action.hint, u"Turn Off");
    EXPECT_EQ(item.caption, u"Turn Off");
    EXPECT_EQ(item.hint, u"old hint") << "a menu item has no hint to set";
    EXPECT_EQ(control.caption, u"No text");
    EXPECT_EQ(button.caption, u"No text");
}

// ---------------------------------------------------------------- the start-up scan

std::uint8_t TestFlag(std::int32_t id) { return static_cast<std::uint8_t>(id % 100); }

TEST_F(LangTableTest, TheScanOffersFilesWithANameAndANonZeroId) {
    const std::string ident = "; header\r\n000001=x\r\n";
    AddLanguage(u"en", ident + "100000=English\r\n100001=1033\r\n");
    AddLanguage(u"ru", ident + "100000=Русский\r\n100001=1049\r\n");
    AddLanguage(u"first", "100000=First\r\n100001=1031\r\n");
    AddLanguage(u"repeated", "100000=Hidden\r\n100001=1040\r\n100000=Repeated\r\n");
    AddLanguage(u"noid", ident + "100000=No id\r\n");
    AddLanguage(u"zeroid", ident + "100000=Zero\r\n100001=0\r\n");
    AddLanguage(u"badid", ident + "100000=Bad\r\n100001=1033x\r\n");
    AddLanguage(u"noname", ident + "100000=\r\n100001=1033\r\n");
    os.files.AddFile(Lang() + u"plain.txt", "100000=No mark\n100001=1036\n");
    os.files.AddFile(Lang() + u".txt", "x\n100000=Nameless\n100001=1033\n");
    os.files.AddFile(Lang() + u"notes.ini", "x\n100000=Other\n100001=1033\n");
    os.files.AddFile(Lang() + u"sub\\deep.txt", "x\n100000=Deep\n100001=1033\n");

    const auto list = BuildLanguageList(os.files, Lang(), TestFlag);

    // The simulated listing is alphabetical.
    EXPECT_EQ(list, (std::vector<TKvLangListItem>{{u"en", 1033, 33, u"English"},
                                                   {u"plain", 1036, 36, u"No mark"},
                                                   {u"repeated", 1040, 40, u"Repeated"},
                                                   {u"ru", 1049, 49, u"Русский"}}));
}

TEST_F(LangTableTest, NoUsableFileGivesAnEmptyListAndTheFixedEnglishError) {
    EXPECT_TRUE(BuildLanguageList(os.files, Lang(), TestFlag).empty()) << "no folder";
    AddLanguage(u"en", "100000=English\r\n100001=1033\r\n");
    EXPECT_TRUE(BuildLanguageList(os.files, Lang(), TestFlag).empty()) << "entries hidden by the mark";

    ShowNoLanguageData(os.desktop);
    ASSERT_EQ(os.desktop.MessageBoxes().size(), 1u);
    const auto& box = os.desktop.MessageBoxes()[0];
    EXPECT_EQ(box.text, u"Cannot load language data!\r\n\r\nCheck folder 'Lang'.");
    EXPECT_EQ(box.caption, u"Error");
    EXPECT_EQ(box.flags, win::kMbOk | win::kMbIconError);
}

TEST(LanguageFolderTest, IsTheAppFolderAndLang) {
    EXPECT_EQ(LanguageFolder(u"C:\\Program Files\\Karmux\\"), u"C:\\Program Files\\Karmux\\Lang\\");
    EXPECT_EQ(LanguageFolder(u"D:\\Tools"), u"D:\\Tools\\Lang\\");
}

// ---------------------------------------------------------------- choosing a language

std::vector<TKvLangListItem> ListOf(std::vector<std::int32_t> ids) {
    std::vector<TKvLangListItem> list;
    for (std::int32_t id : ids) list.push_back({u"f" + Utf8ToUtf16(std::to_string(id)), id, 0, u"name"});
    return list;
}

TEST(LanguageSelectionTest, TheSettingsIdElseTheFirstEnglishUsEntry) {
    struct Case {
        std::vector<std::int32_t> ids;
        std::int32_t language;
        int selected;
        std::u16string fileName;
    };
    const std::vector<Case> cases = {
        {{1049, 1033, 1031}, 1031, 2, u"f1031"},
        {{1049, 1033, 1031}, 1049, 0, u"f1049"},
        {{1049, 1033, 1031, 1033}, 1041, 1, u"en"},
        {{1049, 1033, 1031}, 25, 1, u"en"},  // a primary id matches no full id
        {{1049, 1031}, 1041, -1, u"en"},
        {{}, 1033, -1, u"en"},
        {{7, 1033, 7}, 7, 0, u"f7"},
    };
    for (const Case& c : cases) {
        const auto list = ListOf(c.ids);
        EXPECT_EQ(SelectedLanguageIndex(list, c.language), c.selected) << c.language;
        EXPECT_EQ(LanguageFileNameFor(list, c.language), c.fileName) << c.language;
    }
}

// A window that shows one numbered text, and the tray menu.
struct FakeForm : ILocalizedForm {
    FakeForm(const TKvLang& l, std::int32_t n, std::vector<std::string>& j, std::string id)
        : lang(l), number(n), journal(j), name(std::move(id)) {}
    void ApplyLanguage() override {
        journal.push_back(name + ".ApplyLanguage");
        if (failing) throw std::runtime_error("control gone");
        caption = lang.GetText(number, kNoText);
    }
    void Repaint() override { journal.push_back(name + ".Repaint"); }

    const TKvLang& lang;
    std::int32_t number;
    std::vector<std::string>& journal;
    std::string name;
    bool failing = false;
    std::u16string caption;
};

struct FakeTargets : ILanguageTargets {
    explicit FakeTargets(const TKvLang& l) : lang(l) {}
    void LocalizeMenus() override {
        journal.push_back("LocalizeMenus");
        lang.TranslateMenuItem(trayItem, 29);
    }
    std::vector<ILocalizedForm*> OpenLocalizedForms() override {
        std::vector<ILocalizedForm*> out;
        for (auto& f : forms) out.push_back(&f);
        return out;
    }
    const TKvLang& lang;
    std::vector<std::string> journal;
    FakeComponent trayItem;
    std::vector<FakeForm> forms;
};

class SwitchLanguageTest : public LangTableTest {
protected:
    SwitchLanguageTest() {
        AddLanguage(u"en", "000029=Turn Off\n000342=System Colors\n000514=Classic Blue\n"
                           "100000=English\n100001=1033\n");
        AddLanguage(u"ru", "000029=Выключить\n000514=Классическая синяя\n100000=Русский\n100001=1049\n");
        list = BuildLanguageList(os.files, Lang(), TestFlag);
        targets.forms.emplace_back(lang, 342, targets.journal, "Settings");
        targets.forms.emplace_back(lang, 514, targets.journal, "Wizard");
    }

    TKvLang lang{os.files, Lang()};
    std::vector<TKvLangListItem> list;
    FakeTargets targets{lang};
};

TEST_F(SwitchLanguageTest, OpenWindowsAndMenusTakeTheNewLanguageAtOnce) {
    SwitchLanguage(lang, list, 1049, targets);

    EXPECT_EQ(lang.Name(), u"ru");
    EXPECT_EQ(targets.journal, (std::vector<std::string>{"LocalizeMenus", "Settings.ApplyLanguage", "Settings.Repaint",
                                                         "Wizard.ApplyLanguage", "Wizard.Repaint"}));
    EXPECT_EQ(targets.trayItem.caption, u"Выключить");
    EXPECT_EQ(targets.forms[0].caption, u"System Colors") << "missing from ru";
    EXPECT_EQ(targets.forms[1].caption, u"Классическая синяя");
    // The colour lists are refilled from these nine lines, so a selection kept by position stays valid.
    EXPECT_EQ(lang.ColorSchemeNames(), u"Классическая синяя\r\nSystem Colors\r\nNo text\r\nNo text\r\nNo text\r\n"
                                       u"No text\r\nNo text\r\nNo text\r\nNo text");

    SwitchLanguage(lang, list, 1033, targets);
    EXPECT_EQ(targets.trayItem.caption, u"Turn Off");
    EXPECT_EQ(targets.forms[1].caption, u"Classic Blue");
}

TEST_F(SwitchLanguageTest, ALanguageWithoutAFileGivesEnglishAndStillPicksItsCharacterSet) {
    SwitchLanguage(lang, list, 1049, targets);
    SwitchLanguage(lang, list, 1041, targets);
    EXPECT_EQ(lang.Name(), u"en");
    EXPECT_EQ(targets.trayItem.caption, u"Turn Off");
    EXPECT_EQ(CharsetForLanguage(1041), 128) << "SHIFTJIS_CHARSET";
}

TEST_F(SwitchLanguageTest, AnErrorWhileReTranslatingIsSwallowedAndStopsTheRun) {
    targets.forms[0].failing = true;
    EXPECT_NO_THROW(SwitchLanguage(lang, list, 1049, targets));
    EXPECT_EQ(lang.Name(), u"ru") << "the table changed before re-translating";
    EXPECT_EQ(targets.trayItem.caption, u"Выключить");
    EXPECT_EQ(targets.journal, (std::vector<std::string>{"LocalizeMenus", "Settings.ApplyLanguage"}));
    EXPECT_EQ(targets.forms[1].caption, u"") << "the form after the error stays as it was";
}

}  // namespace
}  // namespace kv
