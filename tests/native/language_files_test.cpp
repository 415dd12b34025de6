// The language files shipped in Lang\ and the text numbers the code uses.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "../fuzz/language_file_check.h"
#include "platform/text.h"
#include "resources/kv_lang.h"
#include "resources/language_file.h"
#include "resources/language_list.h"
#include "sim_platform.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

const fs::path kRepository = fs::path(__FILE__).parent_path().parent_path().parent_path();

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

struct Shipped {
    const char* name;
    std::int32_t id;
};
constexpr Shipped kShipped[] = {{"en", 1033}, {"ru", 1049}, {"de", 1031}};

std::map<std::int32_t, std::u16string> EntriesOf(const char* name) {
    std::map<std::int32_t, std::u16string> entries;
    for (auto& item : ParseLanguageFile(ReadFile(kRepository / "Lang" / (std::string(name) + ".txt")))) {
        entries.emplace(item.Number, std::move(item.Text));
    }
    return entries;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The "%N" tokens of a text.
std::set<std::string> Placeholders(const std::u16string& text) {
    const std::string utf8 = Utf16ToUtf8(text);
    std::set<std::string> found;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        std::size_t end = i + 1;
        while (utf8[i] == '%' && end < utf8.size() && IsDigit(utf8[end])) ++end;
        if (end > i + 1) found.insert(utf8.substr(i, end - i));
    }
    return found;
}

// The numbers of `GetText\(\s*(\d+)` in a source text.
std::vector<std::int32_t> LiteralTextNumbers(const std::string& source) {
    constexpr std::string_view kCall = "GetText(";
    std::vector<std::int32_t> numbers;
    for (std::size_t at = source.find(kCall); at != std::string::npos; at = source.find(kCall, at + 1)) {
        std::size_t i = at + kCall.size();
        while (i < source.size() && std::isspace(static_cast<unsigned char>(source[i]))) ++i;
        const std::size_t digits = i;
        while (i < source.size() && IsDigit(source[i])) ++i;
        if (i > digits) numbers.push_back(i - digits > 9 ? -1 : std::stoi(source.substr(digits, i - digits)));
    }
    return numbers;
}

bool IsEntryLine(const std::string& line) {
    return line.size() >= 7 && std::all_of(line.begin(), line.begin() + 6, IsDigit) && line[6] == '=';
}

TEST(LanguageFilesTest, EachShippedFileIsOfferedAndLoads) {
    sim::SimPlatform os;
    const std::u16string folder = LanguageFolder(sim::SimPlatform::kAppFolder);
    for (const Shipped& file : kShipped) {
        const fs::path path = kRepository / "Lang" / (std::string(file.name) + ".txt");
        ASSERT_TRUE(fs::exists(path)) << path;
        os.files.AddFile(folder + Utf8ToUtf16(file.name) + u".txt", ReadFile(path));
    }

    const auto list = BuildLanguageList(os.files, folder, [](std::int32_t) { return std::uint8_t{0}; });
    for (const Shipped& file : kShipped) {
        const auto item = std::find_if(list.begin(), list.end(),
                                       [&](const TKvLangListItem& i) { return i.FileName == Utf8ToUtf16(file.name); });
        ASSERT_NE(item, list.end()) << file.name << " is not offered";
        EXPECT_EQ(item->Id, file.id) << file.name;

        TKvLang lang(os.files, folder);
        lang.LoadLanguage(Utf8ToUtf16(file.name));
        EXPECT_EQ(lang.GetText(100000, u""), item->DisplayName) << file.name;
        EXPECT_EQ(lang.GetText(100001, u""), Utf8ToUtf16(std::to_string(file.id))) << file.name;
    }
    EXPECT_EQ(list.size(), std::size(kShipped));
}

TEST(LanguageFilesTest, EveryEntryLineIsReadAndEachNumberAppearsOnce) {
    for (const Shipped& file : kShipped) {
        std::istringstream lines(ReadFile(kRepository / "Lang" / (std::string(file.name) + ".txt")));
        std::size_t entryLines = 0;
        for (std::string line; std::getline(lines, line);) entryLines += IsEntryLine(line);
        EXPECT_EQ(EntriesOf(file.name).size(), entryLines)
            << file.name << ": a number written twice, or a line not read as an entry";
    }
}

TEST(LanguageFilesTest, TranslationsDefineEveryEnglishNumberWithTheSamePlaceholders) {
    const auto english = EntriesOf("en");
    ASSERT_GT(english.size(), 100u);
    for (const char* name : {"ru", "de"}) {
        const auto translated = EntriesOf(name);
        for (const auto& [number, text] : english) {
            auto it = translated.find(number);
            if (it == translated.end()) {
                ADD_FAILURE() << name << " lacks text " << number;
                continue;
            }
            EXPECT_EQ(Placeholders(it->second), Placeholders(text)) << name << ", text " << number;
        }
    }
}

// Code looks texts up with a literal number, `GetText(<digits>, fallback)`, never with a
// computed one, so that this scan sees every number in use.
TEST(LanguageFilesTest, EveryTextNumberTheCodeUsesIsInEnglish) {
    const auto english = EntriesOf("en");
    std::map<std::int32_t, std::string> used;  // number -> first file using it
    for (const auto& entry : fs::recursive_directory_iterator(kRepository / "src")) {
        const auto extension = entry.path().extension();
        if (!entry.is_regular_file() || (extension != ".cpp" && extension != ".h")) continue;
        const std::string source = ReadFile(entry.path());
        for (std::int32_t number : LiteralTextNumbers(source)) {
            used.emplace(number, fs::relative(entry.path(), kRepository).generic_string());
        }
    }
    ASSERT_GE(used.size(), 10u) << "the scan of " << kRepository / "src" << " found almost nothing";
    for (const auto& [number, file] : used) {
        EXPECT_TRUE(english.count(number)) << "text " << number << " used in " << file << " is missing from Lang/en.txt";
    }
}

// Inputs the fuzzer once broke on, or that probe the edges of the format, stay fixed.
TEST(LanguageFilesTest, KeptFuzzInputsStillHold) {
    const fs::path folder = kRepository / "tests" / "fuzz" / "regressions" / "language_file_fuzzer";
    ASSERT_TRUE(fs::is_directory(folder)) << folder;
    std::size_t replayed = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        EXPECT_EQ(fuzz::LanguageFileViolation(ReadFile(entry.path())), "") << entry.path().filename();
        ++replayed;
    }
    EXPECT_GT(replayed, 0u);
}

}  // namespace
}  // namespace kv
