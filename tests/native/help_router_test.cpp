#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "links/help_router.h"
#include "sim_files.h"

namespace kv {
namespace {

const std::u16string kFolder = u"C:\\Program Files\\Tolvex\\";

struct HelpCall {
    std::u16string kind;
    std::u16string file;
    int context;
    bool operator==(const HelpCall&) const = default;
};

class RecordingHtmlHelp : public IHtmlHelp {
public:
    bool ShowContext(const std::u16string& file, int context) override {
        calls.push_back({u"context", file, context});
        return succeed;
    }
    bool ShowContents(const std::u16string& file) override {
        calls.push_back({u"contents", file, 0});
        return succeed;
    }
    std::vector<HelpCall> calls;
    bool succeed = true;
};

struct HelpFileCase {
    int language;
    bool russianInstalled;
    const char16_t* expectedName;
};

class HelpFileChoiceTest : public testing::TestWithParam<HelpFileCase> {};

TEST_P(HelpFileChoiceTest, ChoosesTheFileForTheLanguage) {
    const HelpFileCase& c = GetParam();
    sim::SimFileSystem files;
    files.AddFile(kFolder + u"Karmux.chm", "ITSF");
    if (c.russianInstalled) files.AddFile(kFolder + u"KarmuxRu.chm", "ITSF");
    RecordingHtmlHelp viewer;
    HelpRouter router(files, viewer, kFolder);

    router.SetHelpFile(c.language);

    EXPECT_EQ(router.HelpFile(), kFolder + c.expectedName);
}

INSTANTIATE_TEST_SUITE_P(Languages, HelpFileChoiceTest,
                         testing::Values(HelpFileCase{25, true, u"KarmuxRu.chm"},
                                         HelpFileCase{25, false, u"Karmux.chm"},
                                         HelpFileCase{1049, true, u"KarmuxRu.chm"},
                                         HelpFileCase{1049, false, u"Karmux.chm"},
                                         HelpFileCase{7, true, u"Karmux.chm"},
                                         HelpFileCase{1031, true, u"Karmux.chm"},
                                         HelpFileCase{9, true, u"Karmux.chm"},
                                         HelpFileCase{1033, true, u"Karmux.chm"},
                                         HelpFileCase{0, true, u"Karmux.chm"}));

TEST(HelpRouterTest, ReplacesTheFileOnlyWhenItDiffers) {
    sim::SimFileSystem files;
    files.AddFile(kFolder + u"KarmuxRu.chm", "ITSF");
    RecordingHtmlHelp viewer;
    HelpRouter router(files, viewer, kFolder);

    EXPECT_FALSE(router.SetHelpFile(9));  // English is already chosen
    EXPECT_TRUE(router.SetHelpFile(25));
    EXPECT_FALSE(router.SetHelpFile(1049));  // still the Russian file
    EXPECT_TRUE(router.SetHelpFile(7));
    EXPECT_EQ(router.HelpFile(), kFolder + u"Karmux.chm");
}

TEST(HelpRouterTest, RussianFileRemovedFallsBackToEnglishOnTheNextChoice) {
    sim::SimFileSystem files;
    files.AddFile(kFolder + u"KarmuxRu.chm", "ITSF");
    RecordingHtmlHelp viewer;
    HelpRouter router(files, viewer, kFolder);
    router.SetHelpFile(25);
    files.RemoveFile(kFolder + u"KarmuxRu.chm");

    EXPECT_TRUE(router.SetHelpFile(25));
    EXPECT_EQ(router.HelpFile(), kFolder + u"Karmux.chm");
}

TEST(HelpRouterTest, ContextOpensItsTopicAndZeroOpensTheContents) {
    sim::SimFileSystem files;
    files.AddFile(kFolder + u"KarmuxRu.chm", "ITSF");
    RecordingHtmlHelp viewer;
    HelpRouter router(files, viewer, kFolder);

    router.ShowHelp(460);
    router.SetHelpFile(25);
    router.ShowHelp(0);
    router.ShowHelp(20);

    const std::vector<HelpCall> expected = {
        {u"context", kFolder + u"Karmux.chm", 460},
        {u"contents", kFolder + u"KarmuxRu.chm", 0},
        {u"context", kFolder + u"KarmuxRu.chm", 20},
    };
    EXPECT_EQ(viewer.calls, expected);
}

TEST(HelpRouterTest, ViewerFailureIsIgnored) {
    sim::SimFileSystem files;
    RecordingHtmlHelp viewer;
    viewer.succeed = false;
    HelpRouter router(files, viewer, kFolder);

    router.ShowHelp(80);
    router.ShowHelp(0);

    EXPECT_EQ(viewer.calls.size(), 2u);
}

}  // namespace
}  // namespace kv
