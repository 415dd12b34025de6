#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/error.h"
#include "recording_ports.h"
#include "settings/preset.h"
#include "sim_platform.h"

namespace kv {
namespace {

constexpr std::u16string_view kKey = u"SOFTWARE\\OrlentaSoftware\\Karmux";
constexpr LayoutHandle kUs = sim::kLayoutUs, kRu = sim::kLayoutRu, kDe = sim::kLayoutDe;

struct PresetWorld {
    sim::SimPlatform os;
    TAppIni ini{os.registry, os.files, nullptr};
    AppFolders folders = ResolveAppFolders(os.desktop.ExecutablePath(), os.files);

    EventSoundPlayer sounds{os.platform.sound, os.platform.files, os.platform.version, folders.soundFolder};
    TPreset MakePreset() { return TPreset(os.platform, sounds, ini, folders, os.desktop.ExecutablePath()); }
    sim::SimRegistry::Values& Stored() { return os.registry.Key(kKey); }
    void StoreDword(std::u16string_view name, std::uint32_t value) {
        Stored()[sim::SimRegistry::Normalize(name)] = RegistryValue{RegistryType::Dword, value, {}};
    }
    void StoreString(std::u16string_view name, std::u16string text) {
        Stored()[sim::SimRegistry::Normalize(name)] = RegistryValue{RegistryType::String, 0, std::move(text)};
    }
};

using RecordingEffects = RecordingPorts;

struct LangAction {
    std::uint8_t key;
    std::uint16_t modifiers;
    LangSubAction subAction;
    std::u16string text;
    friend bool operator==(const LangAction&, const LangAction&) = default;
};

// The action list: one action per key combination, in the order they were created.
class FakeActionList : public ILangActionTarget {
public:
    std::vector<LangAction> actions;
    int clears = 0;

    void Clear() override {
        actions.clear();
        ++clears;
    }
    void SetLanguageAction(std::uint8_t key, std::uint16_t modifiers, LangSubAction subAction,
                           const std::u16string& text) override {
        for (LangAction& a : actions) {
            if (a.key == key && a.modifiers == modifiers) {
                a.subAction = subAction;
                a.text = text;
                return;
            }
        }
        actions.push_back({key, modifiers, subAction, text});
    }
};

void PrintTo(const LangAction& a, std::ostream* os) {
    *os << "{key " << int(a.key) << ", mods " << a.modifiers << ", sub " << int(a.subAction) << ", \""
        << Utf16ToUtf8(a.text) << "\"}";
}

using hotkey_mod::kLeftShift;
using hotkey_mod::kLeftWin;

TEST(PresetTest, LoadOfAnEmptyKeyAppliesEveryDefaultThroughItsSetterInOrder) {
    PresetWorld w;
    TPreset preset = w.MakePreset();
    RecordingEffects effects;
    FakeActionList actionList;
    preset.SetPorts(effects.Ports());
    preset.SetLangActionTarget(&actionList);
    ASSERT_FALSE(preset.Loaded());

    preset.Load();

    EXPECT_TRUE(preset.Loaded());
    // Options whose setter acts only on a change, and the transient ones, stay quiet.
    const std::vector<std::string> expected = {
        "RepaintKeyboard",                 // KeyboardLang: new key names
        "RepaintKeyboard",                 // ActionFileName
        "SetKeyboardShowInterval 1600",
        "ReapplyKeyboardAppearance",       // KeyboardHideDelay
        "LoadKeyboardDescription Standard",
        "SetAutoHideButtonState 2",
        "SetWizardAutoHideCheck 1",
        "RepaintKeyboardAndBackground",    // KeyboardShowCaption
        "RepaintKeyboard",                 // KeyboardShowLabels
        "RepaintKeyboard",                 // KeyboardCenterInfo
        "UpdateTrayIcon",                  // ShowLangIcon
        "ShowCaretFlag 0",                 // two layouts; the program is not active
        "SetCaretFlagOpacity 200",
        "ChooseHelpFile 9",                // Language after HideTrayIcon, which waits for start-up
        "ApplyLanguage 9",
        "CheckSoundMenuItem 0",
    };
    EXPECT_EQ(effects.calls, expected);
    EXPECT_EQ(w.os.desktop.PriorityCalls(), std::vector<bool>{});
    EXPECT_EQ(preset.KeyboardLang(), kUs);
    EXPECT_EQ(preset.ActionFileName(), u"C:\\Users\\test\\Documents\\KvActions.pna");
    EXPECT_EQ(preset.TemplatesBreaks(), u" `~#?\"'");
    EXPECT_EQ(preset.TemplatesBreaks().size(), 7u);
    EXPECT_EQ(preset.SoundName(3), u"Type1");
    EXPECT_FALSE(preset.AccessDenied());
    EXPECT_EQ(actionList.actions.size(), 7u);
}

TEST(PresetTest, SaveWritesEveryStoredOptionWithItsTypeButNeverAccessDenied) {
    PresetWorld w;
    TPreset preset = w.MakePreset();
    preset.Load();
    preset.SetColorScheme(4);  // transient: never stored
    preset.Save();

    std::map<std::u16string, RegistryType> expected;
    auto add = [&](std::u16string_view name, RegistryType type) {
        expected[sim::SimRegistry::Normalize(name)] = type;
    };
    for (const char16_t* name : {u"ActionFileName", u"TemplatesFileName", u"TemplatesBreaks", u"KeyboardName"}) {
        add(name, RegistryType::String);
    }
    for (const char16_t* name :
         {u"KeyboardLang", u"KeyboardShowDelay", u"KeyboardHideDelay", u"KeyboardAutoHide", u"KeyboardShowShift",
          u"KeyboardShowCtrl", u"KeyboardShowAlt", u"KeyboardShowWin", u"KeyboardShowCaption", u"KeyboardShowLabels",
          u"KeyboardCenterInfo", u"ShowKeyboardZone", u"ShowCharCtrl", u"ShowLangIcon", u"ShowCaretFlag",
          u"ShowCaretFlagOnChange", u"FastCaretFlag", u"CaretFlagAlphaBlend", u"MaxClipboardHistory",
          u"UniqueClipboard", u"TaskSwitchShowHidden", u"TaskSwitchSmallIcon", u"UniqueProcessHistory",
          u"ShowIconApp", u"ShowIconPondrel", u"ShowIconWindows", u"ShowIconHints", u"HighPriority", u"HideTrayIcon",
          u"Language", u"ShowHotkeySquare", u"UseGestures", u"SensitivityGestures", u"SCChangeLang",
          u"SCChangeSelectedLang", u"SCSwitchLang", u"SCUpperCase", u"SCLowerCase", u"SCInvertCase",
          u"SCSentenceCase", u"SCMixedCase", u"SoundEnabled"}) {
        add(name, RegistryType::Dword);
    }
    auto family = [&](std::u16string_view name, int count, RegistryType type) {
        for (int i = 0; i < count; ++i) add(std::u16string(name) + char16_t(u'0' + i), type);
    };
    family(u"ActionFileName", 4, RegistryType::String);
    family(u"ChangeLangTo", 10, RegistryType::String);
    family(u"SCChangeLangTo", 10, RegistryType::Dword);
    family(u"Sound", 9, RegistryType::String);

    std::map<std::u16string, RegistryType> written;
    for (const auto& [name, value] : w.Stored()) written[name] = value.type;
    EXPECT_EQ(written, expected);

    auto dword = [&](std::u16string_view name) { return w.Stored().at(sim::SimRegistry::Normalize(name)).dword; };
    auto text = [&](std::u16string_view name) { return w.Stored().at(sim::SimRegistry::Normalize(name)).text; };
    EXPECT_EQ(dword(u"KeyboardLang"), kUs);
    EXPECT_EQ(dword(u"KeyboardShowDelay"), 1600u);
    EXPECT_EQ(dword(u"KeyboardAutoHide"), 1u);
    EXPECT_EQ(dword(u"KeyboardShowShift"), 0u);
    EXPECT_EQ(dword(u"CaretFlagAlphaBlend"), 200u);
    EXPECT_EQ(dword(u"SensitivityGestures"), 15u);
    EXPECT_EQ(dword(u"Language"), 9u);
    EXPECT_EQ(dword(u"SCChangeLang"), 36864u);
    EXPECT_EQ(dword(u"SCSwitchLang"), 163u);
    EXPECT_EQ(dword(u"SCUpperCase"), 32806u);
    EXPECT_EQ(dword(u"SCLowerCase"), 32808u);
    EXPECT_EQ(dword(u"SCInvertCase"), 32959u);
    EXPECT_EQ(dword(u"SCChangeLangTo1"), 161u);
    EXPECT_EQ(text(u"ChangeLangTo1"), u"68748313");
    EXPECT_EQ(text(u"ChangeLangTo2"), u"");
    EXPECT_EQ(text(u"TemplatesFileName"), u"C:\\Users\\test\\Documents\\pntemplates.pnt");
    EXPECT_EQ(text(u"Sound7"), u"Switch1");
    EXPECT_EQ(text(u"Sound8"), u"");
}

TEST(PresetTest, WrongTypedValueEndsTheLoadThereAndSaveThenWritesNothing) {
    PresetWorld w;
    w.StoreDword(u"KeyboardShowDelay", 900);     // read before the faulty value
    w.StoreString(u"ShowCaretFlag", u"yes");     // a string where a number belongs
    w.StoreDword(u"UseGestures", 1);             // read after it
    TPreset preset = w.MakePreset();
    preset.Save();
    EXPECT_EQ(w.Stored().size(), 3u) << "nothing is written before a load";

    preset.Load();
    EXPECT_FALSE(preset.Loaded());
    EXPECT_EQ(preset.KeyboardShowDelay(), 900);
    EXPECT_FALSE(preset.UseGestures());
    const sim::SimRegistry::Values before = w.Stored();
    preset.SetKeyboardShowDelay(1200);
    preset.Save();
    EXPECT_EQ(w.Stored().size(), before.size());
    EXPECT_EQ(w.Stored().at(u"KEYBOARDSHOWDELAY").dword, 900u);
    EXPECT_EQ(w.Stored().at(u"SHOWCARETFLAG").text, u"yes");

    // Once the value is repaired a load completes, and a later failed load keeps Loaded.
    w.StoreDword(u"ShowCaretFlag", 0);
    preset.Load();
    EXPECT_TRUE(preset.Loaded());
    EXPECT_TRUE(preset.UseGestures());
    w.StoreString(u"Sound4", u"x");
    w.StoreDword(u"Sound5", 1);
    preset.Load();
    EXPECT_TRUE(preset.Loaded());
    EXPECT_EQ(preset.SoundName(4), u"x");
    EXPECT_EQ(preset.SoundName(5), u"Type3");
}

TEST(PresetTest, ChangedOptionsComeBackFromTheRegistry) {
    PresetWorld w;
    w.os.keyboard.SetInstalled({kUs, kRu, kDe});
    const std::u16string chime = u"D:\\Chimes\\bell.wav";
    w.os.files.AddFile(chime, "RIFF");
    TPreset first = w.MakePreset();
    first.Load();
    first.SetKeyboardLang(kRu);
    first.SetActionFileName(u"D:\\actions.pna");
    first.SetActionFileNameAt(2, u"D:\\more.pna");
    first.SetTemplatesBreaks(u".,");
    first.SetKeyboardShowDelay(900);
    first.SetKeyboardHideDelay(250);
    first.SetKeyboardName(u"Compact");
    first.SetKeyboardAutoHide(false);
    first.SetKeyboardShowShift(true);
    first.SetKeyboardShowLabels(false);
    first.SetShowCharCtrl(true);
    first.SetCaretFlagAlphaBlend(120);
    first.SetMaxClipboardHistory(5);
    first.SetShowIconPondrel(false);
    first.SetHideTrayIcon(true);
    first.SetLanguage(1049);
    first.SetSensitivityGestures(40);
    first.SetSCSentenceCase(EncodeHotkey(83, hotkey_mod::kLeftCtrl | kLeftShift));
    first.SetSCSwitchLang(0);
    first.SetChangeLangTo(2, u"67568647");
    first.SetSCChangeLangTo(2, EncodeHotkey(0, hotkey_mod::kRightCtrl | hotkey_mod::kRightShift));
    first.DisableLang(0xF0C00409);
    first.DisableLang(kDe);
    first.SetSoundEnabled(true);
    first.SetSound(6, chime);
    first.Save();

    TPreset second = w.MakePreset();
    second.Load();
    ASSERT_TRUE(second.Loaded());
    EXPECT_EQ(second.KeyboardLang(), kRu);
    EXPECT_EQ(second.KeyName(81), u"Й");
    EXPECT_EQ(second.ActionFileName(), u"D:\\actions.pna");
    EXPECT_EQ(second.ActionFileNameAt(2), u"D:\\more.pna");
    EXPECT_EQ(second.TemplatesBreaks(), u".,");
    EXPECT_EQ(second.KeyboardShowDelay(), 900);
    EXPECT_EQ(second.KeyboardHideDelay(), 250);
    EXPECT_EQ(second.KeyboardName(), u"Compact");
    EXPECT_FALSE(second.KeyboardAutoHide());
    EXPECT_TRUE(second.KeyboardShowShift());
    EXPECT_FALSE(second.KeyboardShowLabels());
    EXPECT_TRUE(second.ShowCharCtrl());
    EXPECT_EQ(second.CaretFlagAlphaBlend(), 120);
    EXPECT_EQ(second.MaxClipboardHistory(), 5);
    EXPECT_FALSE(second.ShowIconPondrel());
    EXPECT_TRUE(second.HideTrayIcon());
    EXPECT_EQ(second.Language(), 1049);
    EXPECT_EQ(second.SensitivityGestures(), 40);
    EXPECT_EQ(second.SCSentenceCase(), EncodeHotkey(83, hotkey_mod::kLeftCtrl | kLeftShift));
    EXPECT_EQ(second.SCSwitchLang(), 0);
    EXPECT_EQ(second.ChangeLangTo(2), u"67568647");
    EXPECT_EQ(second.SCChangeLangTo(2), 0x0300);
    EXPECT_EQ(second.ChangeLangTo(0), u"67699721");
    EXPECT_TRUE(second.IsLangDisabled(0xF0C00409));
    EXPECT_TRUE(second.IsLangDisabled(kDe));
    EXPECT_EQ(second.DisabledLang(1), kDe);
    EXPECT_TRUE(second.SoundEnabled());
    EXPECT_EQ(second.SoundName(6), chime);
    EXPECT_EQ(second.SoundPath(6), chime);
}

TEST(PresetTest, StoredTemplatesFileNameIsReadButTheRunKeepsTheDocumentsOne) {
    PresetWorld w;
    w.StoreString(u"TemplatesFileName", u"D:\\elsewhere.pnt");
    TPreset preset = w.MakePreset();
    preset.Load();
    ASSERT_TRUE(preset.Loaded());
    EXPECT_EQ(preset.TemplatesFileName(), u"C:\\Users\\test\\Documents\\pntemplates.pnt");
    preset.Save();
    EXPECT_EQ(w.Stored().at(u"TEMPLATESFILENAME").text, u"C:\\Users\\test\\Documents\\pntemplates.pnt");

    w.StoreDword(u"TemplatesFileName", 3);
    preset.SetKeyboardShowDelay(1);
    w.StoreDword(u"KeyboardShowDelay", 700);
    preset.Load();
    EXPECT_EQ(preset.KeyboardShowDelay(), 1) << "a wrong type still ends the load before later values";
}

TEST(PresetTest, ActionFileSlotsMissingFromTheKeyLoadEmptyWhileOtherOptionsKeepTheirValue) {
    PresetWorld w;
    TPreset preset = w.MakePreset();
    preset.SetActionFileNameAt(1, u"D:\\old.pna");
    preset.SetKeyboardHideDelay(123);
    preset.Load();
    EXPECT_EQ(preset.ActionFileNameAt(1), u"");
    EXPECT_EQ(preset.KeyboardHideDelay(), 123);
}

TEST(PresetTest, DefaultsDependOnTheInstalledLayouts) {
    struct Case {
        const char* name;
        std::vector<LayoutHandle> installed;
        LayoutHandle keyboardLang;
        bool several;
        std::u16string slot0;
        std::u16string slot1;
    };
    std::vector<LayoutHandle> eleven;
    for (LayoutHandle i = 1; i <= 10; ++i) eleven.push_back(0x04000000 + i);
    eleven.push_back(kUs);
    const Case cases[] = {
        {"US alone", {kUs}, kUs, false, u"", u""},
        {"Russian alone", {kRu}, kRu, false, u"", u""},
        {"US second", {kDe, kUs}, kUs, true, u"67568647", u"67699721"},
        {"high handle is negative", {kRu, 0xF0C00409}, kRu, true, u"68748313", u"-255851511"},
        {"only ten are looked at", eleven, 0x04000001, true, u"67108865", u"67108866"},
        {"none installed", {}, kUs, false, u"", u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PresetWorld w;
        w.os.keyboard.SetInstalled(c.installed);
        TPreset preset = w.MakePreset();
        EXPECT_EQ(preset.KeyboardLang(), c.keyboardLang);
        EXPECT_EQ(preset.KeyboardShowLabels(), c.several);
        EXPECT_EQ(preset.ShowLangIcon(), c.several);
        EXPECT_EQ(preset.ShowCaretFlag(), c.several);
        EXPECT_EQ(preset.ChangeLangTo(0), c.slot0);
        EXPECT_EQ(preset.SCChangeLangTo(0), c.several ? 160 : 0);
        EXPECT_EQ(preset.ChangeLangTo(1), c.slot1);
        EXPECT_EQ(preset.SCChangeLangTo(1), c.several ? 161 : 0);
        for (int slot = 2; slot < kLayoutSlotCount; ++slot) {
            EXPECT_EQ(preset.ChangeLangTo(slot), u"");
            EXPECT_EQ(preset.SCChangeLangTo(slot), 0);
        }
    }
}

TEST(PresetTest, DefaultHotkeysRegisterLeftWinShiftOnceAsConversionOfTheLastTypedText) {
    PresetWorld w;
    TPreset preset = w.MakePreset();
    FakeActionList actionList;
    preset.SetLangActionTarget(&actionList);
    preset.RebuildLangActions();

    const std::vector<LangAction> expected = {
        {191, kLeftWin, LangSubAction::InvertCase, u""},
        {40, kLeftWin, LangSubAction::LowerCase, u""},
        {38, kLeftWin, LangSubAction::UpperCase, u""},
        {163, 0, LangSubAction::SwitchToNextLayout, u""},
        {0, kLeftWin | kLeftShift, LangSubAction::ConvertLastTyped, u""},
        {160, 0, LangSubAction::SwitchToLayout, u"67699721"},
        {161, 0, LangSubAction::SwitchToLayout, u"68748313"},
    };
    EXPECT_EQ(actionList.actions, expected);
    EXPECT_EQ(actionList.clears, 1);
}

TEST(PresetTest, EveryHotkeyChangeRebuildsTheActionsAndTheLastRegistrationWins) {
    struct Case {
        const char* name;
        std::function<void(TPreset&)> change;
        LangAction expected;  // the action of that combination afterwards
        bool present;
    };
    const HotkeyCode leftShiftAlone = EncodeHotkey(160, 0);
    const Case cases[] = {
        {"switch hotkey shared with a direct slot", [&](TPreset& p) { p.SetSCSwitchLang(leftShiftAlone); },
         {160, 0, LangSubAction::SwitchToLayout, u"67699721"}, true},
        {"case hotkey shared with the conversion", [](TPreset& p) { p.SetSCMixedCase(36864); },
         {0, kLeftWin | kLeftShift, LangSubAction::ConvertLastTyped, u""}, true},
        {"conversion removed leaves the selection one", [](TPreset& p) { p.SetSCChangeLang(0); },
         {0, kLeftWin | kLeftShift, LangSubAction::ConvertSelection, u""}, true},
        {"slot without text", [](TPreset& p) {
             p.SetChangeLangTo(0, u"");
             p.SetSCChangeLangTo(0, 160);
         }, {160, 0, {}, u""}, false},
        {"slot without hotkey", [](TPreset& p) { p.SetSCChangeLangTo(1, 0); }, {161, 0, {}, u""}, false},
        {"later slot overrides an earlier one", [](TPreset& p) {
             p.SetChangeLangTo(7, u"67568647");
             p.SetSCChangeLangTo(7, 160);
         }, {160, 0, LangSubAction::SwitchToLayout, u"67568647"}, true},
        {"sentence case gets its own action", [](TPreset& p) { p.SetSCSentenceCase(EncodeHotkey(83, kLeftWin)); },
         {83, kLeftWin, LangSubAction::SentenceCase, u""}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PresetWorld w;
        TPreset preset = w.MakePreset();
        FakeActionList actionList;
        preset.SetLangActionTarget(&actionList);
        c.change(preset);
        const LangAction* found = nullptr;
        for (const LangAction& a : actionList.actions) {
            if (a.key == c.expected.key && a.modifiers == c.expected.modifiers) found = &a;
        }
        ASSERT_EQ(found != nullptr, c.present);
        if (found) {
            EXPECT_EQ(*found, c.expected);
        }
    }
}

TEST(PresetTest, DirectSwitchTextTakesEffectAtTheNextRebuild) {
    PresetWorld w;
    TPreset preset = w.MakePreset();
    FakeActionList actionList;
    preset.SetLangActionTarget(&actionList);
    preset.RebuildLangActions();
    preset.SetChangeLangTo(1, u"67568647");
    EXPECT_EQ(actionList.actions.back().text, u"68748313");
    preset.SetSCChangeLangTo(1, 161);
    EXPECT_EQ(actionList.actions.back().text, u"67568647");
}

TEST(PresetTest, SettersApplyTheirEffects) {
    struct Case {
        const char* name;
        bool startupComplete;
        bool programActive;
        std::function<void(TPreset&)> change;
        std::vector<std::string> expected;
    };
    const std::u16string picture = u"D:\\Pictures\\wood.bmp";
    const Case cases[] = {
        {"zone unchanged", false, false, [](TPreset& p) { p.SetShowKeyboardZone(false); }, {}},
        {"zone changed", false, false, [](TPreset& p) { p.SetShowKeyboardZone(true); }, {"RepaintKeyboard"}},
        {"own icons unchanged", false, false, [](TPreset& p) { p.SetShowIconPondrel(true); }, {}},
        {"hotkey squares changed", false, false, [](TPreset& p) { p.SetShowHotkeySquare(true); }, {"RepaintKeyboard"}},
        {"ctrl characters changed", false, false, [](TPreset& p) { p.SetShowCharCtrl(true); },
         {"RebuildKeyboardCharacters"}},
        {"ctrl characters unchanged", false, false, [](TPreset& p) { p.SetShowCharCtrl(false); }, {}},
        {"labels always repaint", false, false, [](TPreset& p) { p.SetKeyboardShowLabels(true); }, {"RepaintKeyboard"}},
        {"colour scheme unchanged", false, false, [](TPreset& p) { p.SetColorScheme(0); }, {}},
        {"colour scheme changed", false, false, [](TPreset& p) { p.SetColorScheme(3); }, {"RefreshVisuals"}},
        {"font unchanged", false, false, [](TPreset& p) { p.SetThemeFontName(u"Tahoma"); }, {}},
        {"font changed", false, false, [](TPreset& p) { p.SetThemeFontName(u"Arial"); }, {"RefreshVisuals"}},
        {"info font size unchanged", false, false, [](TPreset& p) { p.SetThemeInfoFontSize(10); }, {}},
        {"info font bold changed", false, false, [](TPreset& p) { p.SetThemeInfoFontBold(false); }, {"RefreshVisuals"}},
        {"theme opacity", false, false, [](TPreset& p) { p.SetThemeAlphaBlend(100); }, {"ReapplyKeyboardAppearance"}},
        {"window opacity", false, false, [](TPreset& p) { p.SetThemeCommonAlphaBlend(180); },
         {"SetKeyboardOpacity 180"}},
        {"auto-hide off while inactive", false, false, [](TPreset& p) { p.SetKeyboardAutoHide(false); },
         {"SetAutoHideButtonState 1", "SetWizardAutoHideCheck 0"}},
        {"auto-hide off while active", false, true, [](TPreset& p) { p.SetKeyboardAutoHide(false); },
         {"SetAutoHideButtonState 1", "SetWizardAutoHideCheck 0", "ShowKeyboardAndReactivateLayout"}},
        {"auto-hide on while active", false, true, [](TPreset& p) { p.SetKeyboardAutoHide(true); },
         {"SetAutoHideButtonState 2", "SetWizardAutoHideCheck 1"}},
        {"caret flag on while active", false, true, [](TPreset& p) { p.SetShowCaretFlag(true); }, {"ShowCaretFlag 1"}},
        {"caret flag off", false, true, [](TPreset& p) { p.SetShowCaretFlag(false); }, {"FreeCaretFlag"}},
        {"caret flag opacity", false, false, [](TPreset& p) { p.SetCaretFlagAlphaBlend(90); },
         {"SetCaretFlagOpacity 90"}},
        {"tray icon before start-up completes", false, false, [](TPreset& p) { p.SetHideTrayIcon(true); }, {}},
        {"tray icon hidden after start-up", true, false, [](TPreset& p) { p.SetHideTrayIcon(true); },
         {"SetTrayIconVisible 0"}},
        {"tray icon shown after start-up", true, false, [](TPreset& p) { p.SetHideTrayIcon(false); },
         {"SetTrayIconVisible 1"}},
        {"language flag in the tray", false, false, [](TPreset& p) { p.SetShowLangIcon(false); }, {"UpdateTrayIcon"}},
        {"sound menu item", false, false, [](TPreset& p) { p.SetSoundEnabled(true); }, {"CheckSoundMenuItem 1"}},
        {"interface language", false, false, [](TPreset& p) { p.SetLanguage(1049); },
         {"ChooseHelpFile 1049", "ApplyLanguage 1049"}},
        {"keyboard description", false, false, [](TPreset& p) { p.SetKeyboardName(u"Compact"); },
         {"LoadKeyboardDescription Compact"}},
        {"show delay", false, false, [](TPreset& p) { p.SetKeyboardShowDelay(700); }, {"SetKeyboardShowInterval 700"}},
        {"caption", false, false, [](TPreset& p) { p.SetKeyboardShowCaption(false); },
         {"RepaintKeyboardAndBackground"}},
        {"background picture that exists", false, false, [&](TPreset& p) { p.SetBackgroundPicture(picture); },
         {"LoadBackgroundImage D:\\Pictures\\wood.bmp", "RefreshVisuals"}},
        {"background picture that is missing", false, false,
         [](TPreset& p) { p.SetBackgroundPicture(u"D:\\Pictures\\gone.bmp"); },
         {"ClearBackgroundImage", "RefreshVisuals"}},
        {"no background picture", false, false, [](TPreset& p) { p.SetBackgroundPicture(u""); },
         {"ClearBackgroundImage", "RefreshVisuals"}},
        {"stored-only options", false, true, [](TPreset& p) {
             p.SetKeyboardShowWin(false);
             p.SetFastCaretFlag(false);
             p.SetUseGestures(true);
             p.SetSensitivityGestures(3);
             p.SetTemplatesBreaks(u"!");
             p.SetChangeLangTo(4, u"1");
             p.SetActionFileNameAt(0, u"x");
             p.DisableLang(kRu);
         }, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PresetWorld w;
        w.os.files.AddFile(picture, "BM");
        TPreset preset = w.MakePreset();
        RecordingEffects effects;
        effects.startupComplete = c.startupComplete;
        effects.programActive = c.programActive;
        preset.SetPorts(effects.Ports());
        c.change(preset);
        EXPECT_EQ(effects.calls, c.expected);
    }
}

TEST(PresetTest, HighPriorityReachesTheSystemOnlyWhenItChanges) {
    struct Case {
        const char* name;
        std::optional<std::uint32_t> stored;
        std::vector<bool> expected;
    };
    const Case cases[] = {
        {"not stored", std::nullopt, {}},
        {"stored on, as at start-up", 1u, {}},
        {"stored off", 0u, {false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PresetWorld w;
        if (c.stored) w.StoreDword(u"HighPriority", *c.stored);
        TPreset preset = w.MakePreset();
        preset.Load();
        EXPECT_EQ(w.os.desktop.PriorityCalls(), c.expected);
        EXPECT_EQ(preset.HighPriority(), !c.stored || *c.stored != 0);
    }
    PresetWorld w;
    TPreset preset = w.MakePreset();
    preset.SetHighPriority(false);
    preset.SetHighPriority(false);
    preset.SetHighPriority(true);
    EXPECT_EQ(w.os.desktop.PriorityCalls(), (std::vector<bool>{false, true}));
}

TEST(PresetTest, GestureSensitivityIsKeptAsAByteAndTheThresholdWraps) {
    struct Case {
        std::uint32_t stored;
        std::uint8_t sensitivity;
        std::uint8_t threshold;
    };
    for (const Case& c : {Case{40, 40, 247}, Case{15, 15, 16}, Case{31, 31, 0}, Case{300, 44, 243}}) {
        SCOPED_TRACE(c.stored);
        PresetWorld w;
        w.StoreDword(u"SensitivityGestures", c.stored);
        TPreset preset = w.MakePreset();
        preset.Load();
        EXPECT_EQ(preset.SensitivityGestures(), c.sensitivity);
        EXPECT_EQ(preset.GestureThreshold(), c.threshold);
        preset.Save();
        EXPECT_EQ(w.Stored().at(u"SENSITIVITYGESTURES").dword, c.sensitivity);
    }
}

TEST(PresetTest, FreedDisabledLayoutSlotsAreDeletedNotWrittenAsZero) {
    PresetWorld w;
    w.StoreDword(u"DisabledLang0", kDe);
    w.StoreDword(u"DisabledLang3", kRu);
    w.StoreDword(u"DisabledLang9", kUs);
    TPreset preset = w.MakePreset();
    preset.Load();
    ASSERT_TRUE(preset.IsLangDisabled(kRu));
    ASSERT_TRUE(preset.IsLangDisabled(kUs));
    preset.EnableLang(kRu);
    preset.Save();
    EXPECT_EQ(w.Stored().count(u"DISABLEDLANG3"), 0u);
    EXPECT_EQ(w.Stored().at(u"DISABLEDLANG0").dword, kDe);
    EXPECT_EQ(w.Stored().at(u"DISABLEDLANG9").dword, kUs);
    for (int slot = 1; slot < kLayoutSlotCount - 1; ++slot) {
        EXPECT_EQ(w.Stored().count(u"DISABLEDLANG" + std::u16string(1, char16_t(u'0' + slot))), 0u);
    }
}

TEST(PresetTest, FailingWriteReachesTheCaller) {
    PresetWorld w;
    TPreset preset = w.MakePreset();
    preset.Load();
    w.os.registry.SetFailWrites(true);
    EXPECT_THROW(preset.Save(), KvError);
}

TEST(PresetTest, SetDefaultsResetsOptionsWithoutApplyingThemAndKeepsWhatConstructionSet) {
    PresetWorld w;
    w.os.desktop.SetUILanguage(0x0419);
    w.StoreDword(u"AccessDenied", 1);
    w.StoreString(u"ActionFileName", u"D:\\mine.pna");
    w.StoreDword(u"KeyboardShowDelay", 50);
    w.StoreDword(u"DisabledLang0", kRu);
    w.StoreDword(u"Language", 7);
    TPreset preset = w.MakePreset();
    EXPECT_EQ(preset.Language(), 25) << "low byte of the system's interface language";
    preset.Load();
    ASSERT_TRUE(preset.AccessDenied());
    RecordingEffects effects;
    FakeActionList actionList;
    preset.SetPorts(effects.Ports());
    preset.SetLangActionTarget(&actionList);
    preset.SetSCSwitchLang(0);

    preset.SetDefaults();

    EXPECT_EQ(effects.calls, std::vector<std::string>{});
    EXPECT_EQ(actionList.clears, 2);
    EXPECT_EQ(preset.SCSwitchLang(), 163);
    EXPECT_EQ(actionList.actions.size(), 7u);
    EXPECT_EQ(preset.KeyboardShowDelay(), 1600);
    EXPECT_FALSE(preset.IsLangDisabled(kRu));
    EXPECT_EQ(preset.Language(), 25);
    EXPECT_TRUE(preset.AccessDenied());
    EXPECT_EQ(preset.ActionFileName(), u"D:\\mine.pna");
}

TEST(PresetTest, WebAddressFollowsTheInterfaceLanguage) {
    PresetWorld w;
    TPreset preset = w.MakePreset();
    const std::u16string address = u"http://www.orlenta.com/karmux/";
    preset.SetLanguage(1031);
    EXPECT_EQ(preset.LocalizeWebAddress(address), u"http://de.orlenta.com/karmux/");
    preset.SetLanguage(25);
    EXPECT_EQ(preset.LocalizeWebAddress(address), u"http://ru.orlenta.com/karmux/");
    preset.SetLanguage(1033);
    EXPECT_EQ(preset.LocalizeWebAddress(address), address);
}

TEST(PresetTest, StartWithWindowsComparesTheRunEntryWithTheRunningExecutable) {
    PresetWorld w;
    TPreset preset = w.MakePreset();
    EXPECT_FALSE(preset.IsStartWithWindows());
    w.os.registry.MachineKey(u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run")[u"KARMUX"] =
        RegistryValue{RegistryType::String, 0, u"C:\\Program Files\\Karmux\\Karmux.exe"};
    EXPECT_TRUE(preset.IsStartWithWindows());
}

}  // namespace
}  // namespace kv
