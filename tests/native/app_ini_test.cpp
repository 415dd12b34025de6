#include <gtest/gtest.h>

#include "platform/error.h"
#include "resources/kv_lang.h"
#include "settings/app_ini.h"
#include "sim_platform.h"

namespace kv {
namespace {

constexpr std::u16string_view kKey = u"SOFTWARE\\OrlentaSoftware\\Karmux";

TEST(AppIniTest, FirstRunCreatesTheKeyAndFoldersAndReadsDefaults) {
    sim::SimPlatform os;
    ASSERT_FALSE(os.registry.KeyExists(kKey));
    TAppIni ini(os.registry, os.files, nullptr);

    EXPECT_TRUE(os.registry.KeyExists(kKey));
    EXPECT_TRUE(os.registry.Key(kKey).empty());
    EXPECT_EQ(ini.DataFolder(), u"C:\\Users\\test\\AppData\\Roaming\\OrlentaSoftware\\Karmux\\");
    EXPECT_EQ(ini.ClipboardFolder(), ini.DataFolder() + u"Clipboard\\");
    EXPECT_TRUE(os.files.DirectoryExists(ini.ClipboardFolder()));
    EXPECT_TRUE(ini.ReadBoolDef(u"ShowCaretFlag", true));
    EXPECT_FALSE(ini.ReadBoolDef(u"ShowCaretFlag", false));
    EXPECT_EQ(ini.ReadIntegerDef(u"Language", -7), -7);
    EXPECT_EQ(ini.ReadStringDef(u"Sound", u"Type1"), u"Type1");
}

TEST(AppIniTest, TypedReadsAndWritesRoundTrip) {
    sim::SimPlatform os;
    TAppIni ini(os.registry, os.files, nullptr);
    ini.WriteInteger(u"Negative", -5);
    ini.WriteBool(u"Flag", true);
    ini.WriteString(u"Name", u"привет");
    EXPECT_EQ(ini.ReadIntegerDef(u"Negative", 0), -5);
    EXPECT_EQ(os.registry.Key(kKey).at(u"NEGATIVE").dword, 0xFFFFFFFBu);
    EXPECT_TRUE(ini.ReadBoolDef(u"Flag", false));
    EXPECT_EQ(os.registry.Key(kKey).at(u"FLAG").dword, 1u);
    EXPECT_EQ(ini.ReadStringDef(u"name", u""), u"привет");
    EXPECT_TRUE(ini.DeleteValue(u"Name"));
    EXPECT_FALSE(ini.ValueExists(u"Name"));
    EXPECT_FALSE(ini.DeleteValue(u"Name"));
}

TEST(AppIniTest, AnyNonZeroDwordReadsAsTrue) {
    sim::SimPlatform os;
    TAppIni ini(os.registry, os.files, nullptr);
    os.registry.Key(kKey)[u"FIVE"] = RegistryValue{RegistryType::Dword, 5, {}};
    os.registry.Key(kKey)[u"ZERO"] = RegistryValue{RegistryType::Dword, 0, {}};
    EXPECT_TRUE(ini.ReadBoolDef(u"Five", false));
    EXPECT_FALSE(ini.ReadBoolDef(u"Zero", true));
}

TEST(AppIniTest, ValueOfTheWrongTypeFailsTheRead) {
    sim::SimPlatform os;
    TAppIni ini(os.registry, os.files, nullptr);
    ini.WriteString(u"Language", u"1049");
    ini.WriteInteger(u"Sound", 3);
    os.registry.Key(kKey)[u"BLOB"] = RegistryValue{RegistryType::Other, 0, {}};

    EXPECT_THROW(ini.ReadIntegerDef(u"Language", 1033), KvError);
    EXPECT_THROW(ini.ReadBoolDef(u"Language", false), KvError);
    EXPECT_THROW(ini.ReadStringDef(u"Sound", u""), KvError);
    EXPECT_THROW(ini.ReadIntegerDef(u"Blob", 0), KvError);
}

// A translation may name the folder more than once; every placeholder gets the path.
TEST(AppIniTest, FolderThatCannotBeCreatedRaisesTextEightWithThePath) {
    struct Case {
        std::u16string deniedPrefix;
        std::u16string expectedPath;
    };
    const std::u16string data = u"C:\\Users\\test\\AppData\\Roaming\\OrlentaSoftware\\Karmux\\";
    for (const Case& c : {Case{u"C:\\Users\\test\\AppData\\Roaming\\OrlentaSoftware", data},
                          Case{data + u"Clipboard", data + u"Clipboard\\"}}) {
        sim::SimPlatform os;
        os.files.DenyCreationUnder(c.deniedPrefix);
        TKvLang lang;
        lang.SetText(8, u"Folder %1 is missing; create %1 by hand");
        try {
            TAppIni ini(os.registry, os.files, &lang);
            ADD_FAILURE() << "no error for " << Utf16ToUtf8(c.deniedPrefix);
        } catch (const KvError& e) {
            EXPECT_EQ(e.Message(), u"Folder " + c.expectedPath + u" is missing; create " + c.expectedPath + u" by hand");
        }
    }
}

TEST(AppIniTest, ProgramFoldersEndInABackslash) {
    sim::SimPlatform os;
    AppFolders folders = ResolveAppFolders(u"C:\\Program Files\\Karmux\\Karmux.exe", os.files);
    EXPECT_EQ(folders.appFolder, u"C:\\Program Files\\Karmux\\");
    EXPECT_EQ(folders.documentsFolder, u"C:\\Users\\test\\Documents\\");
    EXPECT_EQ(folders.soundFolder, u"C:\\Program Files\\Karmux\\Sound\\");

    os.files.SetShellFolder(ShellFolder::Personal, u"");
    EXPECT_EQ(ResolveAppFolders(u"D:\\Karmux.exe", os.files).documentsFolder, u"\\");
    os.files.SetShellFolder(ShellFolder::Personal, u"D:\\");
    EXPECT_EQ(ResolveAppFolders(u"D:\\Karmux.exe", os.files).documentsFolder, u"D:\\");
}

}  // namespace
}  // namespace kv
