#include <gtest/gtest.h>
#include <windows.h>

#include "platform/error.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_registry.h"
#include "settings/app_ini.h"
#include "scratch_registry_key.h"

namespace kv {
namespace {


class RealRegistryTest : public ::testing::Test {
protected:
    testing::ScratchRegistryKey scratch;

    // Writes a value behind the store's back, as another program or regedit would.
    void RawSet(const wchar_t* name, DWORD type, const void* data, DWORD size) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, scratch.Wide(), 0, nullptr, 0,
                                  KEY_WRITE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
        RegCloseKey(key);
    }

    win32::Win32Registry registry;
    win32::Win32FileSystem files;
};

TEST_F(RealRegistryTest, MissingKeyIsCreatedAndReadsGiveDefaults) {
    TAppIni ini(registry, files, nullptr, scratch.Path());
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, scratch.Wide(), 0, KEY_READ, &key),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(ini.ReadIntegerDef(u"Language", 1033), 1033);
    EXPECT_TRUE(ini.ReadBoolDef(u"ShowCaretFlag", true));
    EXPECT_EQ(ini.ReadStringDef(u"Sound", u"Type1"), u"Type1");
    EXPECT_FALSE(ini.ValueExists(u"FirstStart"));
}

TEST_F(RealRegistryTest, ValuesRoundTripWithTheirRegistryTypes) {
    TAppIni ini(registry, files, nullptr, scratch.Path());
    ini.WriteInteger(u"Negative", -12345);
    ini.WriteBool(u"On", true);
    ini.WriteString(u"Text", u"Größe привет");
    ini.WriteString(u"Empty", u"");

    EXPECT_EQ(ini.ReadIntegerDef(u"Negative", 0), -12345);
    EXPECT_TRUE(ini.ReadBoolDef(u"On", false));
    EXPECT_EQ(ini.ReadStringDef(u"Text", u""), u"Größe привет");
    EXPECT_EQ(ini.ReadStringDef(u"Empty", u"x"), u"");

    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, scratch.Wide(), 0, KEY_READ, &key),
              ERROR_SUCCESS);
    DWORD type = 0, data = 0, size = sizeof data;
    EXPECT_EQ(RegQueryValueExW(key, L"On", nullptr, &type, reinterpret_cast<BYTE*>(&data), &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(data, 1u);
    EXPECT_EQ(RegQueryValueExW(key, L"Text", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    RegCloseKey(key);

    EXPECT_TRUE(ini.DeleteValue(u"Text"));
    EXPECT_FALSE(ini.ValueExists(u"Text"));
    EXPECT_FALSE(ini.DeleteValue(u"Text"));
}

TEST_F(RealRegistryTest, WrongTypeFailsAndNonZeroDwordIsTrue) {
    const wchar_t text[] = L"1049";
    RawSet(L"Language", REG_SZ, text, sizeof text);
    const DWORD five = 5;
    RawSet(L"Flag", REG_DWORD, &five, sizeof five);
    const BYTE blob[3] = {1, 2, 3};
    RawSet(L"Blob", REG_BINARY, blob, sizeof blob);

    TAppIni ini(registry, files, nullptr, scratch.Path());
    EXPECT_THROW(ini.ReadIntegerDef(u"Language", 0), KvError);
    EXPECT_THROW(ini.ReadStringDef(u"Flag", u""), KvError);
    EXPECT_THROW(ini.ReadBoolDef(u"Blob", false), KvError);
    EXPECT_TRUE(ini.ReadBoolDef(u"Flag", false));
    EXPECT_EQ(ini.ReadIntegerDef(u"Flag", 0), 5);
}

TEST_F(RealRegistryTest, DataFoldersExistUnderApplicationData) {
    TAppIni ini(registry, files, nullptr, scratch.Path());
    EXPECT_NE(ini.DataFolder().find(u"OrlentaSoftware\\Karmux\\"), std::u16string::npos);
    EXPECT_TRUE(files.DirectoryExists(ini.DataFolder()));
    EXPECT_TRUE(files.DirectoryExists(ini.ClipboardFolder()));
}

}  // namespace
}  // namespace kv
