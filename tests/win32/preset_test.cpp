#include <gtest/gtest.h>
#include <windows.h>

#include <optional>

#include "platform/win32/win32_platform.h"
#include "scratch_registry_key.h"
#include "settings/preset.h"

namespace kv {
namespace {


struct RawValue {
    DWORD type = REG_NONE;
    DWORD dword = 0;
    std::wstring text;
};

// Reads behind the store's back, as regedit would.
std::optional<RawValue> ReadRaw(const wchar_t* keyPath, const wchar_t* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
    BYTE data[1024] = {};
    DWORD type = 0, size = sizeof data;
    const LONG result = RegQueryValueExW(key, name, nullptr, &type, data, &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS) return std::nullopt;
    RawValue value;
    value.type = type;
    if (type == REG_DWORD) value.dword = *reinterpret_cast<DWORD*>(data);
    if (type == REG_SZ) value.text = reinterpret_cast<const wchar_t*>(data);
    return value;
}

DWORD ValueCount(const wchar_t* keyPath) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
    DWORD count = 0;
    RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr,
                     nullptr);
    RegCloseKey(key);
    return count;
}

class PresetRegistryTest : public ::testing::Test {
protected:
    std::optional<RawValue> Raw(const wchar_t* name) { return ReadRaw(scratch.Wide(), name); }
    DWORD Count() { return ValueCount(scratch.Wide()); }

    testing::ScratchRegistryKey scratch;

    TPreset MakePreset(TAppIni& ini) { return TPreset(os.platform, sounds, ini, folders, os.processes.ExecutablePath()); }

    win32::Win32Platform os;
    AppFolders folders = ResolveAppFolders(os.processes.ExecutablePath(), os.files);
    EventSoundPlayer sounds{os.platform.sound, os.platform.files, os.platform.version, folders.soundFolder};
};

TEST_F(PresetRegistryTest, SavedOptionsLoadBackWithTheirRegistryTypes) {
    TAppIni ini(os.registry, os.files, nullptr, scratch.Path());
    TPreset first = MakePreset(ini);
    first.Load();
    ASSERT_TRUE(first.Loaded());
    first.SetKeyboardShowDelay(900);
    first.SetKeyboardName(u"Größe");
    first.SetKeyboardShowShift(true);
    first.SetLanguage(1049);
    first.SetSensitivityGestures(40);
    first.SetSCSentenceCase(EncodeHotkey(83, hotkey_mod::kLeftWin));
    first.SetChangeLangTo(4, u"-255851511");
    first.SetSCChangeLangTo(4, 160);
    first.DisableLang(0xF0C00409);
    first.SetSound(6, u"C:\\nowhere\\ding.mp3");
    first.Save();

    EXPECT_EQ(Count(), 4u + 42u + 4u + 20u + 9u + 1u) << "every stored option and one disabled layout";
    EXPECT_FALSE(Raw(L"AccessDenied"));
    EXPECT_FALSE(Raw(L"DisabledLang1"));
    auto delay = Raw(L"KeyboardShowDelay");
    ASSERT_TRUE(delay);
    EXPECT_EQ(delay->type, DWORD{REG_DWORD});
    EXPECT_EQ(delay->dword, 900u);
    auto shift = Raw(L"KeyboardShowShift");
    ASSERT_TRUE(shift);
    EXPECT_EQ(shift->type, DWORD{REG_DWORD});
    EXPECT_EQ(shift->dword, 1u);
    auto name = Raw(L"KeyboardName");
    ASSERT_TRUE(name);
    EXPECT_EQ(name->type, DWORD{REG_SZ});
    EXPECT_EQ(name->text, L"Größe");
    auto disabled = Raw(L"DisabledLang0");
    ASSERT_TRUE(disabled);
    EXPECT_EQ(disabled->dword, 0xF0C00409u);

    TPreset second = MakePreset(ini);
    second.Load();
    ASSERT_TRUE(second.Loaded());
    EXPECT_EQ(second.KeyboardShowDelay(), 900);
    EXPECT_EQ(second.KeyboardName(), u"Größe");
    EXPECT_TRUE(second.KeyboardShowShift());
    EXPECT_EQ(second.Language(), 1049);
    EXPECT_EQ(second.SensitivityGestures(), 40);
    EXPECT_EQ(second.GestureThreshold(), 247);
    EXPECT_EQ(second.SCSentenceCase(), EncodeHotkey(83, hotkey_mod::kLeftWin));
    EXPECT_EQ(second.ChangeLangTo(4), u"-255851511");
    EXPECT_EQ(second.SCChangeLangTo(4), 160);
    EXPECT_TRUE(second.IsLangDisabled(0xF0C00409));
    EXPECT_EQ(second.SoundName(6), u"C:\\nowhere\\ding.mp3");
    EXPECT_EQ(second.SoundPath(6), u"");
    EXPECT_EQ(second.KeyboardLang(), first.KeyboardLang());
}

TEST_F(PresetRegistryTest, ValueOfTheWrongTypeStopsTheLoadAndNothingIsWritten) {
    TAppIni ini(os.registry, os.files, nullptr, scratch.Path());
    const DWORD delay = 700;
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, scratch.Wide(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, L"KeyboardShowDelay", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&delay), sizeof delay);
    RegSetValueExW(key, L"Language", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"1049"), 5 * sizeof(wchar_t));
    RegCloseKey(key);

    TPreset preset = MakePreset(ini);
    preset.Load();
    EXPECT_FALSE(preset.Loaded());
    EXPECT_EQ(preset.KeyboardShowDelay(), 700);
    preset.Save();
    EXPECT_EQ(Count(), 2u);
}

}  // namespace
}  // namespace kv
