// The help projects in help/ bind every help context of the program's windows to a topic.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "links/help_contexts.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

struct HelpProject {
    std::map<std::string, std::set<std::string>> sections;  // section name -> lines
    std::map<int, std::string> contextTopics;               // [MAP] number -> [ALIAS] file
};

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

HelpProject ReadProject(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    HelpProject project;
    std::map<std::string, int> idNumbers;
    std::map<std::string, std::string> idFiles;
    std::string section;
    for (std::string line; std::getline(in, line);) {
        line = Trim(line);
        if (line.empty() || line[0] == ';') continue;
        if (line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
            project.sections[section];
            continue;
        }
        project.sections[section].insert(line);
        if (section == "MAP") {
            std::istringstream fields(line);
            std::string define, id;
            int number = 0;
            if (fields >> define >> id >> number && define == "#define") idNumbers[id] = number;
        } else if (section == "ALIAS") {
            const auto equals = line.find('=');
            if (equals != std::string::npos) idFiles[Trim(line.substr(0, equals))] = Trim(line.substr(equals + 1));
        }
    }
    for (const auto& [id, number] : idNumbers) {
        const auto file = idFiles.find(id);
        project.contextTopics[number] = file == idFiles.end() ? "" : file->second;
    }
    return project;
}

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

struct HelpProjectFile {
    const char* folder;
    const char* project;
};

class HelpProjectTest : public testing::TestWithParam<HelpProjectFile> {
protected:
    fs::path Folder() const { return fs::path(KV_SOURCE_DIR) / "help" / GetParam().folder; }
    HelpProject Project() const { return ReadProject(Folder() / GetParam().project); }
};

TEST_P(HelpProjectTest, EveryWindowContextLeadsToAnExistingTopic) {
    const HelpProject project = Project();
    for (const int context : help_context::kAll) {
        const auto topic = project.contextTopics.find(context);
        ASSERT_NE(topic, project.contextTopics.end()) << "context " << context << " is not in [MAP]";
        ASSERT_FALSE(topic->second.empty()) << "context " << context << " has no [ALIAS] topic";
        EXPECT_TRUE(fs::is_regular_file(Folder() / topic->second)) << topic->second;
        EXPECT_EQ(project.sections.at("FILES").count(topic->second), 1u) << topic->second << " is not compiled in";
    }
}

TEST_P(HelpProjectTest, EveryListedTopicExistsAndDeclaresUtf8) {
    const HelpProject project = Project();
    ASSERT_EQ(project.sections.count("FILES"), 1u);
    const std::set<std::string>& files = project.sections.at("FILES");
    ASSERT_FALSE(files.empty());
    for (const std::string& file : files) {
        const std::string html = ReadText(Folder() / file);
        ASSERT_FALSE(html.empty()) << file;
        EXPECT_NE(html.find("charset=utf-8"), std::string::npos) << file;
        EXPECT_NE(html.find("<title>"), std::string::npos) << file;
    }
}

TEST_P(HelpProjectTest, ContentsIndexAndDefaultTopicArePresent) {
    const HelpProject project = Project();
    const std::set<std::string>& options = project.sections.at("OPTIONS");
    for (const char* option : {"Contents file=Contents.hhc", "Index file=Index.hhk", "Default topic=overview.html"}) {
        EXPECT_EQ(options.count(option), 1u) << option;
    }
    EXPECT_TRUE(fs::is_regular_file(Folder() / "Contents.hhc"));
    EXPECT_TRUE(fs::is_regular_file(Folder() / "Index.hhk"));
    EXPECT_TRUE(fs::is_regular_file(Folder() / "overview.html"));
}

INSTANTIATE_TEST_SUITE_P(Languages, HelpProjectTest,
                         testing::Values(HelpProjectFile{"en", "Karmux.hhp"}, HelpProjectFile{"ru", "KarmuxRu.hhp"}),
                         [](const testing::TestParamInfo<HelpProjectFile>& info) { return std::string(info.param.folder); });

TEST(HelpProjectsTest, BothLanguagesCompileTheSameTopics) {
    const fs::path help = fs::path(KV_SOURCE_DIR) / "help";
    EXPECT_EQ(ReadProject(help / "en" / "Karmux.hhp").sections["FILES"],
              ReadProject(help / "ru" / "KarmuxRu.hhp").sections["FILES"]);
}

}  // namespace
}  // namespace kv
