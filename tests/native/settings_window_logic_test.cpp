// The settings window's decisions, apart from its controls: which direct-switch slot a layout
// takes, what the hotkey page lists, the unsaved-edits state, discarding on close, the sound
// choices and the start-up options through the elevated program.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/error.h"
#include "platform/text.h"
#include "settings/layout_slots.h"
#include "settings/preset.h"
#include "settings/settings_edits.h"
#include "settings/shortcut_rows.h"
#include "settings/sound_choices.h"
#include "settings/start_with_windows.h"
#include "settings/startup_options.h"
#include "sim_platform.h"

namespace kv {
namespace {

constexpr LayoutHandle kUs = 0x04090409;
constexpr LayoutHandle kRu = 0x04190419;
constexpr LayoutHandle kDe = 0x04070407;
constexpr LayoutHandle kFr = 0x040C040C;
// A handle whose high bit is set: its slot text is negative.
constexpr LayoutHandle kUsDvorak = 0xF0020409;

struct SettingsWorld {
    sim::SimPlatform os;
    TAppIni ini{os.registry, os.files, nullptr};
    AppFolders folders = ResolveAppFolders(os.desktop.ExecutablePath(), os.files);
    EventSoundPlayer sounds{os.platform.sound, os.platform.files, os.platform.version, folders.soundFolder};
    TPreset preset{os.platform, sounds, ini, folders, os.desktop.ExecutablePath()};

    SettingsWorld() { preset.Load(); }
    sim::SimRegistry::Values Stored() { return os.registry.Key(kProgramRegistryKey); }
    // The stored number of an option; 99 when it is not stored.
    std::uint32_t StoredDword(std::u16string_view name) {
        const auto values = Stored();
        const auto it = values.find(sim::SimRegistry::Normalize(name));
        return it == values.end() ? 99u : it->second.dword;
    }
    // Every stored value as "name=type:value" lines, to compare whole states.
    std::string StoredText() {
        std::string text;
        for (const auto& [name, value] : Stored()) {
            text += Utf16ToUtf8(name) + "=" + std::to_string(static_cast<int>(value.type)) + ":" +
                    std::to_string(value.dword) + ":" + Utf16ToUtf8(value.text) + "\n";
        }
        return text;
    }
};

// "" free, otherwise the layout the slot belongs to (with hotkey 100 + slot).
void ArrangeSlots(TPreset& preset, const std::vector<std::optional<LayoutHandle>>& slots) {
    for (int slot = 0; slot < kLayoutSlotCount; ++slot) {
        const auto owner = slot < static_cast<int>(slots.size()) ? slots[slot] : std::nullopt;
        preset.SetChangeLangTo(slot, owner ? LayoutSlotText(*owner) : u"");
        preset.SetSCChangeLangTo(slot, owner ? 100 + slot : 0);
    }
}

TEST(LayoutSlots, SlotTextIsTheHandleAsSignedDecimal) {
    EXPECT_EQ(LayoutSlotText(kRu), u"68748313");
    EXPECT_EQ(LayoutSlotText(kUsDvorak), u"-268303351");
}

TEST(LayoutSlots, PurgeAndFindOverATableOfSlotStates) {
    using Slots = std::vector<std::optional<LayoutHandle>>;
    struct Case {
        const char* name;
        Slots before;
        std::vector<LayoutHandle> installed;
        Slots afterPurge;
        LayoutHandle wanted;
        std::optional<int> slot;
    };
    const std::optional<LayoutHandle> none;
    const Case cases[] = {
        {"all free: the first", {}, {kUs, kRu}, {}, kRu, 0},
        {"the layout's own slot is reused", {kUs, none, kRu}, {kUs, kRu}, {kUs, none, kRu}, kRu, 2},
        {"a new layout takes the lowest free slot", {kUs, none, kRu}, {kUs, kRu, kDe}, {kUs, none, kRu}, kDe, 1},
        {"uninstalled layouts lose their slots", {kFr, kUs, kDe}, {kUs, kRu}, {none, kUs, none}, kRu, 0},
        {"negative handle text matches", {kUsDvorak, kRu}, {kUsDvorak, kRu}, {kUsDvorak, kRu}, kUsDvorak, 0},
        {"all ten taken by others: nothing",
         {kUs, kDe, kFr, kUsDvorak, kUs, kDe, kFr, kUsDvorak, kUs, kDe},
         {kUs, kDe, kFr, kUsDvorak, kRu},
         {kUs, kDe, kFr, kUsDvorak, kUs, kDe, kFr, kUsDvorak, kUs, kDe},
         kRu,
         std::nullopt},
        {"all ten taken, one by an uninstalled layout",
         {kUs, kDe, kFr, kUsDvorak, kUs, kDe, kFr, kUsDvorak, kUs, kDe},
         {kUs, kDe, kUsDvorak, kRu},
         {kUs, kDe, none, kUsDvorak, kUs, kDe, none, kUsDvorak, kUs, kDe},
         kRu,
         2},
        {"no layouts at all: every slot is freed", {kUs, kRu}, {}, {}, kUs, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SettingsWorld w;
        ArrangeSlots(w.preset, c.before);
        PurgeLayoutSlots(w.preset, c.installed);
        for (int slot = 0; slot < kLayoutSlotCount; ++slot) {
            const auto owner = slot < static_cast<int>(c.afterPurge.size()) ? c.afterPurge[slot] : std::nullopt;
            EXPECT_EQ(Utf16ToUtf8(w.preset.ChangeLangTo(slot)), owner ? Utf16ToUtf8(LayoutSlotText(*owner)) : "")
                << "slot " << slot;
            // A kept slot keeps its hotkey; a freed one has none.
            EXPECT_EQ(w.preset.SCChangeLangTo(slot), owner ? 100 + slot : 0) << "slot " << slot;
        }
        EXPECT_EQ(FindLayoutSlot(w.preset, c.wanted), c.slot);
    }
}

std::u16string SubActionName(int i) { return u"sub" + Utf8ToUtf16(std::to_string(i)); }
std::u16string HotkeyName(HotkeyCode code) { return u"#" + Utf8ToUtf16(std::to_string(code)); }

TEST(ShortcutRows, NamedHotkeysThenOneRowPerLayoutWithItsSlotsHotkey) {
    SettingsWorld w;
    const std::vector<InstalledLayout> layouts{{kUs, u"English (04090409)"}, {kRu, u"Russian (04190419)"}};
    const auto rows = BuildShortcutRows(layouts, SubActionName);
    ASSERT_EQ(rows.size(), 10u);
    const int images[] = {0, 1, 2, 4, 5, 6, 7, 8, 3, 3};
    for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i].image, images[i]) << i;
    EXPECT_EQ(rows[9].name, u"Russian (04190419) - sub3");
    EXPECT_EQ(rows[9].layout, kRu);

    w.preset.SetSCChangeLang(0);
    w.preset.SetSCMixedCase(EncodeHotkey('M', hotkey_mod::kLeftCtrl));
    ArrangeSlots(w.preset, {kRu});
    const auto texts = ShortcutTexts(w.preset, rows, HotkeyName, u"none");
    EXPECT_EQ(texts[0], u"none");                                                            // hotkey 0
    EXPECT_EQ(texts[7], HotkeyName(EncodeHotkey('M', hotkey_mod::kLeftCtrl)));                // mixed case
    EXPECT_EQ(texts[8], u"");                                                                 // US: no slot
    EXPECT_EQ(texts[9], HotkeyName(100));                                                     // Russian: slot 0

    EXPECT_TRUE(BuildShortcutRows({}, SubActionName).empty());
}

TEST(ShortcutRows, AssigningALayoutHotkeyFillsItsSlotAndFreesSlotsOfUninstalledLayouts) {
    SettingsWorld w;
    const auto rows = BuildShortcutRows({{kUs, u"US"}, {kRu, u"RU"}}, SubActionName);
    ArrangeSlots(w.preset, {kFr, kRu});
    const ShortcutRow& usRow = rows[8];
    // French is gone: its slot 0 is freed, US takes it.
    ASSERT_EQ(PrepareRowHotkey(w.preset, rows, usRow), 0);
    AssignRowHotkey(w.preset, usRow, EncodeHotkey('1', hotkey_mod::kLeftAlt));
    EXPECT_EQ(w.preset.ChangeLangTo(0), LayoutSlotText(kUs));
    EXPECT_EQ(w.preset.SCChangeLangTo(0), EncodeHotkey('1', hotkey_mod::kLeftAlt));
    // Russian keeps its slot 1 and gets a new hotkey there.
    ASSERT_EQ(PrepareRowHotkey(w.preset, rows, rows[9]), 101);
    AssignRowHotkey(w.preset, rows[9], EncodeHotkey('2', hotkey_mod::kLeftAlt));
    EXPECT_EQ(w.preset.SCChangeLangTo(1), EncodeHotkey('2', hotkey_mod::kLeftAlt));
    // A named row sets its option.
    ASSERT_TRUE(PrepareRowHotkey(w.preset, rows, rows[3]).has_value());
    AssignRowHotkey(w.preset, rows[3], EncodeHotkey('U', hotkey_mod::kRightCtrl));
    EXPECT_EQ(w.preset.SCUpperCase(), EncodeHotkey('U', hotkey_mod::kRightCtrl));
}

// The window's unsaved-edits state as its handlers drive it.
struct EditsWorld : SettingsWorld {
    int startupRuns = 0;
    int menuDirty = 0;
    SettingsEdits edits{{preset, [this] { ++startupRuns; }, [this] { ++menuDirty; }}};

    // What FillControls does around reading the model into the controls; a handler that fires
    // meanwhile (a check box set by code) must not count as an edit.
    void Fill() {
        SettingsEdits::Filling filling(edits);
        Handler([this] { preset.SetHideTrayIcon(preset.HideTrayIcon()); });
    }
    void Handler(const std::function<void()>& change) {
        if (edits.Updating()) return;
        change();
        edits.Edited();
    }
};

TEST(SettingsEdits, ApplyStateThroughFillEditSaveAndDiscard) {
    EditsWorld w;
    w.edits.Open();
    w.Fill();
    EXPECT_FALSE(w.edits.ApplyEnabled()) << "filling is no edit";

    w.Handler([&] { w.preset.SetSoundEnabled(true); });
    EXPECT_TRUE(w.edits.ApplyEnabled());
    EXPECT_TRUE(w.preset.SoundEnabled()) << "the edit is in force at once";
    EXPECT_EQ(w.StoredDword(u"SoundEnabled"), 0u)
        << "and not saved yet";

    ASSERT_FALSE(w.edits.Save().has_value());
    EXPECT_FALSE(w.edits.ApplyEnabled());
    EXPECT_EQ(w.StoredDword(u"SoundEnabled"), 1u);
    EXPECT_EQ(w.menuDirty, 1);
    EXPECT_EQ(w.startupRuns, 0) << "start-up options untouched: no elevated program";

    w.Handler([&] { w.preset.SetSoundEnabled(false); });
    EXPECT_TRUE(w.edits.ApplyEnabled());
    EXPECT_TRUE(w.edits.MayClose([] { return SaveChangesAnswer::No; }, [](const std::u16string&) {}));
    EXPECT_TRUE(w.edits.Closed(true));
    EXPECT_TRUE(w.preset.SoundEnabled()) << "discarding reloads the saved state";
    EXPECT_FALSE(w.edits.ApplyEnabled());
}

TEST(SettingsEdits, CloseQueryAnswers) {
    {
        EditsWorld w;
        w.edits.Open();
        EXPECT_TRUE(w.edits.MayClose([]() -> SaveChangesAnswer { throw std::logic_error("asked"); },
                                     [](const std::u16string&) {}))
            << "nothing unsaved: closes without asking";
    }
    {
        EditsWorld w;
        w.edits.Open();
        w.Handler([&] { w.preset.SetHighPriority(true); });
        EXPECT_FALSE(w.edits.MayClose([] { return SaveChangesAnswer::Cancel; }, [](const std::u16string&) {}));
        EXPECT_TRUE(w.edits.ApplyEnabled());
        EXPECT_TRUE(w.edits.MayClose([] { return SaveChangesAnswer::Yes; }, [](const std::u16string&) {}));
        EXPECT_FALSE(w.edits.Closed(true)) << "saved: nothing to discard";
        EXPECT_TRUE(w.preset.HighPriority());
        EXPECT_EQ(w.StoredDword(u"HighPriority"), 1u);
    }
    {
        EditsWorld w;
        w.edits.Open();
        w.Handler([&] { w.preset.SetHideTrayIcon(true); });
        w.os.registry.SetFailWrites(true);
        std::u16string shown;
        EXPECT_FALSE(w.edits.MayClose([] { return SaveChangesAnswer::Yes; },
                                      [&](const std::u16string& text) { shown = text; }))
            << "a failed save keeps the window open";
        EXPECT_FALSE(shown.empty());
        EXPECT_TRUE(w.edits.ApplyEnabled());
    }
}

TEST(SettingsEdits, NoOnCloseRestoresEveryOptionChanged) {
    EditsWorld w;
    w.edits.Open();
    w.Fill();
    const auto storedAtOpening = w.Stored();
    const std::string textAtOpening = w.StoredText();
    const std::int32_t languageAtOpening = w.preset.Language();
    ASSERT_NE(languageAtOpening, 1049);
    // Every option the window edits, changed as its handlers do.
    const std::vector<std::function<void()>> edits{
        [&] { w.preset.SetHighPriority(!w.preset.HighPriority()); },
        [&] { w.preset.SetHideTrayIcon(!w.preset.HideTrayIcon()); },
        [&] { w.preset.SetShowLangIcon(!w.preset.ShowLangIcon()); },
        [&] { w.preset.SetShowCaretFlag(!w.preset.ShowCaretFlag()); },
        [&] { w.preset.SetShowCaretFlagOnChange(!w.preset.ShowCaretFlagOnChange()); },
        [&] { w.preset.SetFastCaretFlag(!w.preset.FastCaretFlag()); },
        [&] { w.preset.SetCaretFlagAlphaBlend(77); },
        [&] { w.preset.DisableLang(kRu); },
        [&] { w.preset.SetSoundEnabled(!w.preset.SoundEnabled()); },
        [&] { w.preset.SetSound(static_cast<int>(SoundEvent::ActionExecuted), u"Type1"); },
        [&] { w.preset.SetSound(static_cast<int>(SoundEvent::CharacterKey), u""); },
        [&] { w.preset.SetSCChangeLang(EncodeHotkey('Q', hotkey_mod::kLeftWin)); },
        [&] { w.preset.SetSCSentenceCase(EncodeHotkey('S', hotkey_mod::kRightAlt)); },
        [&] {
            w.preset.SetChangeLangTo(4, LayoutSlotText(kDe));
            w.preset.SetSCChangeLangTo(4, EncodeHotkey('4', hotkey_mod::kLeftAlt));
        },
        [&] { w.preset.SetLanguage(1049); },
    };
    for (const auto& edit : edits) w.Handler(edit);
    ASSERT_TRUE(w.edits.ApplyEnabled());
    w.preset.Save();  // only to read the edited model back: it differs from the opening state
    ASSERT_NE(w.StoredText(), textAtOpening);
    // What the edited model looks like is now in the registry; restore the opening state there,
    // as "No" finds it when the window did not save.
    w.os.registry.Key(kProgramRegistryKey) = storedAtOpening;

    ASSERT_TRUE(w.edits.MayClose([] { return SaveChangesAnswer::No; }, [](const std::u16string&) {}));
    ASSERT_TRUE(w.edits.Closed(true));
    w.preset.Save();
    EXPECT_EQ(w.StoredText(), textAtOpening) << "the model after No is the model at opening";
    EXPECT_EQ(w.preset.Language(), languageAtOpening);
    EXPECT_FALSE(w.preset.IsLangDisabled(kRu));
}

TEST(SettingsEdits, ResetToDefaultsIsSavedAtOnce) {
    EditsWorld w;
    w.edits.Open();
    w.Handler([&] { w.preset.SetSoundEnabled(true); });
    w.edits.ResetToDefaults();
    EXPECT_FALSE(w.edits.ApplyEnabled());
    EXPECT_FALSE(w.preset.SoundEnabled());
    EXPECT_EQ(w.StoredDword(u"SoundEnabled"), 0u);
}

TEST(SettingsEdits, StartupOptionsRunOnlyAfterTheirBoxWasClickedAndAFailureKeepsTheEdits) {
    EditsWorld w;
    w.edits.Open();
    w.edits.StartupOptionsClicked();
    w.edits.StartupOptionsClicked();  // twice: still runs once, with the final state
    ASSERT_FALSE(w.edits.Save().has_value());
    EXPECT_EQ(w.startupRuns, 1);

    SettingsWorld failing;
    SettingsEdits edits{{failing.preset, [] { throw KvError(u"The operation was canceled by the user."); }, {}}};
    edits.Open();
    edits.StartupOptionsClicked();
    EXPECT_EQ(edits.Save(), u"The operation was canceled by the user.");
    EXPECT_TRUE(edits.ApplyEnabled());
}

TEST(SoundChoices, TypeSoundsFirstWithoutExtensionAndBrowsedFilesByShortName) {
    SettingsWorld w;
    const std::u16string folder = w.folders.soundFolder;
    for (const char16_t* name : {u"Switch1.wav", u"Type2.wav", u"type9.wav", u"Type1.wav", u"notes.txt"}) {
        w.os.files.AddFile(folder + name, "RIFF");
    }
    const auto choices = SoundChoices(w.os.files, folder, u"(none)");
    ASSERT_GE(choices.size(), 5u);
    EXPECT_EQ(choices[0], u"(none)");
    // "Type" is case-sensitive: type9 goes with the others.
    EXPECT_TRUE(choices[1].starts_with(u"Type") && choices[2].starts_with(u"Type"));
    EXPECT_EQ(std::count(choices.begin(), choices.end(), u"type9"), 1);
    EXPECT_EQ(std::count(choices.begin(), choices.end(), u"notes"), 0);

    EXPECT_EQ(StoredSoundName(folder + u"Type1.wav", folder, choices), u"Type1");
    EXPECT_EQ(StoredSoundName(u"D:\\Other\\Type1.wav", folder, choices), u"D:\\Other\\Type1.wav");
    EXPECT_EQ(StoredSoundName(u"D:\\Other\\x.wav", folder, choices), u"D:\\Other\\x.wav");

    EXPECT_EQ(SoundChoices(w.os.files, u"C:\\Nowhere\\", u"(none)"), std::vector<std::u16string>{u"(none)"});
}

TEST(StartupOptions, TheElevatedProgramIsWatchedUntilTheStateShowsOrAbout2Seconds) {
    SettingsWorld w;
    const std::u16string program = w.os.desktop.ExecutablePath();
    EXPECT_EQ(ElevoptParameters(u"C:\\P F\\Karmux.exe", {true, false}), u"\"C:\\P F\\Karmux.exe\" 1 0");

    // The program writes the value 400 ms after it was started.
    w.os.loop.StartTimer(400, [&] { w.os.registry.MachineKey(kMachineRunKey)[sim::SimRegistry::Normalize(kRunValueName)] = {RegistryType::String, 0, program}; });
    const std::uint64_t t0 = w.os.loop.NowMs();
    const StartupState state = ApplyStartupOptions(w.os.platform, w.folders.appFolder, program, {true, false});
    EXPECT_TRUE(state.startWithWindows);
    EXPECT_LT(w.os.loop.NowMs() - t0, 1000u) << "stops watching once the state shows";
    ASSERT_EQ(w.os.shell.Elevated().size(), 1u);
    EXPECT_EQ(w.os.shell.Elevated()[0], w.folders.appFolder + u"Elevopt.exe \"" + program + u"\" 1 0");

    // Refused at the prompt or too slow: the real state comes back after about 2.2 s.
    SettingsWorld slow;
    const std::uint64_t t1 = slow.os.loop.NowMs();
    const StartupState unchanged =
        ApplyStartupOptions(slow.os.platform, slow.folders.appFolder, slow.os.desktop.ExecutablePath(), {true, false});
    EXPECT_FALSE(unchanged.startWithWindows);
    EXPECT_GE(slow.os.loop.NowMs() - t1, 2200u);
    EXPECT_LT(slow.os.loop.NowMs() - t1, 2500u);

    SettingsWorld failing;
    failing.os.shell.FailElevation(u"The operation was canceled by the user.");
    EXPECT_THROW(ApplyStartupOptions(failing.os.platform, failing.folders.appFolder, u"C:\\K\\Karmux.exe", {true, false}),
                 KvError);
}

}  // namespace
}  // namespace kv
