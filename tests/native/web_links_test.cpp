#include <gtest/gtest.h>

#include "app/app_singletons.h"
#include "links/web_links.h"
#include "platform/text.h"
#include "platform/win_constants.h"
#include "sim_platform.h"

namespace kv {
namespace {

TEST(WebLinksTest, VersionComparison) {
    struct Case {
        const char16_t* remote;
        const char16_t* local;
        bool newer;
    };
    const Case cases[] = {
        {u"3.0.6.0", u"3.0.5.0", true},
        {u"3.0.4.9", u"3.0.5.0", false},
        {u"3.0.10.0", u"3.0.5.0", true},  // lengths differ: newer, whatever the numbers
        {u"3.0.5.0", u"3.0.5.0", false},
        {u"", u"3.0.5.0", false},
        {u"3.0.5.0.1.2.3.4.5", u"3.0.5.0", false},  // longer than 15 characters
        {u"x.y.z.w", u"3.0.5.0", false},            // no number: 0 is smaller
        {u"3.0.5.1", u"3.0.5.0", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsNewerVersion(c.remote, c.local), c.newer) << Utf16ToUtf8(c.remote);
    }
}

TEST(WebLinksTest, VersionFileFirstLineAndNotes) {
    EXPECT_EQ(ParseVersionFile(u"3.0.6.0\r\nFixed things\r\nMore").remote, u"3.0.6.0");
    EXPECT_EQ(ParseVersionFile(u"3.0.6.0\r\nFixed things\r\nMore").notes, u"\r\n\r\nFixed things\r\nMore");
    const VersionFile bare = ParseVersionFile(u"3.0.6.0");
    EXPECT_EQ(bare.remote, u"3.0.6.0");
    EXPECT_TRUE(bare.notes.empty()) << "no line break: no release information";
}

class UpdateCheckTest : public ::testing::Test {
protected:
    UpdateCheckTest() {
        os.InstallShippedLanguages();
        app = std::make_unique<AppSingletons>(os.platform);
        os.files.SetFileVersion(os.desktop.ExecutablePath(), u"FileVersion", u"3.0.5.0");
        Platform& p = app->platform;
        links = std::make_unique<WebLinks>(
            WebLinkServices{p.shell, p.internet, p.loop, p.clock, p.text, p.files, p.processes, p.version, p.registry,
                            p.windows, app->preset, app->lang, app->messageBoxes},
            kNoWindow, ReadMakerAddresses(app->appIni));
    }
    std::u16string VersionUrl() const { return VersionFileUrl(links->Addresses().host); }

    sim::SimPlatform os;
    std::unique_ptr<AppSingletons> app;
    std::unique_ptr<WebLinks> links;
};

TEST_F(UpdateCheckTest, NewerVersionIsOfferedWithItsNotesAndDownloadedOnYes) {
    os.internet.Serve(VersionUrl(), "3.0.6.0\r\nFaster conversion");
    os.desktop.SetMessageBoxAnswer(win::kIdYes);
    EXPECT_TRUE(links->CheckForUpdate(true));
    ASSERT_EQ(os.desktop.MessageBoxes().size(), 1u);
    EXPECT_NE(os.desktop.MessageBoxes()[0].text.find(u"3.0.6.0"), std::u16string::npos);
    EXPECT_NE(os.desktop.MessageBoxes()[0].text.find(u"\r\n\r\nFaster conversion"), std::u16string::npos);
    ASSERT_EQ(os.shell.Opened().size(), 1u);
    EXPECT_NE(os.shell.Opened()[0].find(u"downloads.php?host=getnewver&name=kv_setup.exe"), std::u16string::npos);
    EXPECT_EQ(os.internet.Agents().front(), u"Karmux");
}

TEST_F(UpdateCheckTest, NoNewerVersionOfflineOrUnreadableSaysSoOnlyWhenAsked) {
    const std::u16string newest = app->lang.GetText(555, u"?");
    os.internet.Serve(VersionUrl(), "3.0.4.9");
    EXPECT_FALSE(links->CheckForUpdate(true));
    ASSERT_EQ(os.desktop.MessageBoxes().size(), 1u);
    EXPECT_EQ(os.desktop.MessageBoxes()[0].text, newest);

    EXPECT_FALSE(links->CheckForUpdate(false));
    EXPECT_EQ(os.desktop.MessageBoxes().size(), 1u) << "a silent check says nothing";

    os.internet.SetConnected(false);
    const std::size_t requests = os.internet.Requests().size();
    EXPECT_FALSE(links->CheckForUpdate(true));
    EXPECT_EQ(os.internet.Requests().size(), requests) << "offline: nothing is fetched";
    EXPECT_EQ(os.desktop.MessageBoxes().back().text, newest);
}

TEST_F(UpdateCheckTest, OnlyAVersionServedWithStatus200IsOffered) {
    struct Case {
        const char* name;
        std::uint32_t status;
        const char* body;
        bool offered;
    };
    const Case cases[] = {
        {"not found, with an HTML page", 404, "<html><body>Not Found</body></html>", false},
        {"not found, with a version", 404, "3.0.6.0\r\n", false},
        {"server error", 500, "3.0.6.0", false},
        {"a portal's page", 200, "<!DOCTYPE html>\r\n<html>", false},
        {"a word", 200, "Maintenance\r\nback soon", false},
        {"dots only", 200, "...", false},
        {"two dots in a row", 200, "3..6.0", false},
        {"a newer version", 200, "3.0.6.0\r\nNotes", true},
    };
    const std::u16string newest = app->lang.GetText(555, u"?");
    os.desktop.SetMessageBoxAnswer(win::kIdNo);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        os.internet.Serve(VersionUrl(), c.body, c.status);
        const std::size_t boxes = os.desktop.MessageBoxes().size();
        EXPECT_FALSE(links->CheckForUpdate(true));
        ASSERT_EQ(os.desktop.MessageBoxes().size(), boxes + 1);
        const std::u16string& text = os.desktop.MessageBoxes().back().text;
        if (c.offered) {
            EXPECT_NE(text.find(u"3.0.6.0"), std::u16string::npos) << Utf16ToUtf8(text);
        } else {
            EXPECT_EQ(text, newest);
        }
    }
}

TEST_F(UpdateCheckTest, TheMakersSiteIsAskedOverHttpsAndAnOverrideAsWritten) {
    EXPECT_EQ(VersionFileUrl(kDefaultMakerHost), u"https://www.tolvex.example/verkv.txt");
    EXPECT_EQ(VersionFileUrl(u"http://127.0.0.1:8123/"), u"http://127.0.0.1:8123/verkv.txt");
    links->CheckForUpdate(false);
    ASSERT_FALSE(os.internet.Requests().empty());
    EXPECT_EQ(os.internet.Requests().back(), u"https://www.tolvex.example/verkv.txt");
}

TEST_F(UpdateCheckTest, HostComesFromTheRegistryForTests) {
    app->appIni.WriteString(u"WebHost", u"http://127.0.0.1:8123");
    const MakerAddresses addresses = ReadMakerAddresses(app->appIni);
    EXPECT_EQ(addresses.host, u"http://127.0.0.1:8123/");
}

TEST_F(UpdateCheckTest, BugReportDescribesTheSystem) {
    const std::u16string body = links->BugReportBody(u"Access violation", 0x04190419);
    EXPECT_NE(body.find(u"Access violation"), std::u16string::npos);
    EXPECT_NE(body.find(u"Tolvex "), std::u16string::npos);
    EXPECT_NE(body.find(u"(3.0.5.0)"), std::u16string::npos);
    EXPECT_NE(body.find(u"\r\nOS: Windows 10 Workstation"), std::u16string::npos);
    EXPECT_NE(body.find(u"\r\nRAM: 4096 Mb (3072 Mb)"), std::u16string::npos);
    EXPECT_NE(body.find(u"  04190419"), std::u16string::npos);
    EXPECT_EQ(body.find(u"CPU:"), std::u16string::npos) << "a part that cannot be read is left out";
}

}  // namespace
}  // namespace kv
