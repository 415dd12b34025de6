#include <gtest/gtest.h>

#include <vector>

#include "platform/text.h"
#include "settings/event_sound_player.h"
#include "settings/event_sounds.h"
#include "settings/preset.h"
#include "sim_platform.h"

namespace kv {
namespace {

const std::u16string kSoundFolder = u"C:\\Program Files\\Karmux\\Sound\\";

TEST(EventSoundsTest, SoundNamesResolveToExistingWaveFiles) {
    sim::SimFileSystem files;
    files.AddFile(kSoundFolder + u"click.wav", "RIFF");
    files.AddFile(u"D:\\Sounds\\Bell.WAV", "RIFF");
    files.AddFile(u"D:\\Sounds\\tune.mp3", "ID3");
    files.AddFile(u"D:\\Sounds\\tune2.mp3.wav", "RIFF");
    struct Case {
        std::u16string name;
        std::u16string path;
    };
    const Case cases[] = {
        {u"", u""},
        {u"click", kSoundFolder + u"click.wav"},
        {u"click.WAV", kSoundFolder + u"click.WAV"},
        {u"missing", u""},
        {u"D:\\Sounds\\Bell.WAV", u"D:\\Sounds\\Bell.WAV"},
        {u"D:\\Sounds\\Bell", u"D:\\Sounds\\Bell.wav"},
        {u"D:\\Sounds\\tune.mp3", u""},
        {u"D:\\Sounds\\tune2.mp3", u"D:\\Sounds\\tune2.mp3.wav"},
        {u"wav", u""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utf16ToUtf8(ResolveSoundFile(files, kSoundFolder, c.name)), Utf16ToUtf8(c.path))
            << Utf16ToUtf8(c.name);
    }
}

TEST(EventSoundsTest, FileIsLookedUpWhenTheNameIsSetNotWhenPlaying) {
    sim::SimFileSystem files;
    EventSounds sounds(files, kSoundFolder);
    sounds.Set(6, u"late");
    EXPECT_EQ(sounds.Name(6), u"late");
    EXPECT_EQ(sounds.Path(6), u"");
    files.AddFile(kSoundFolder + u"late.wav", "RIFF");
    EXPECT_EQ(sounds.Path(6), u"");
    sounds.Set(6, u"late");
    EXPECT_EQ(sounds.Path(6), kSoundFolder + u"late.wav");
}

struct SoundWorld {
    sim::SimPlatform os;
    TAppIni ini{os.registry, os.files, nullptr};
    AppFolders folders = ResolveAppFolders(os.desktop.ExecutablePath(), os.files);

    SoundWorld() {
        for (const char16_t* name : {u"Type1.wav", u"Type3.wav", u"Type4.wav", u"Switch1.wav"}) {
            os.files.AddFile(kSoundFolder + name, "RIFF");
        }
    }
    EventSoundPlayer MakeSounds() {
        return EventSoundPlayer(os.platform.sound, os.platform.files, os.platform.version, folders.soundFolder);
    }
    TPreset MakePreset(EventSoundPlayer& sounds) {
        return TPreset(os.platform, sounds, ini, folders, os.desktop.ExecutablePath());
    }
};

TEST(PresetSoundsTest, DefaultSoundsAreTheTypingClicksAndTheSwitchChime) {
    SoundWorld w;
    EventSoundPlayer sounds = w.MakeSounds();
    sounds.SetSound(0, u"Type1");
    sounds.SetEnabled(true);
    TPreset preset = w.MakePreset(sounds);
    const std::u16string names[kSoundEventCount] = {u"", u"", u"", u"Type1", u"Type4", u"Type3", u"", u"Switch1", u""};
    for (int slot = 0; slot < kSoundEventCount; ++slot) {
        EXPECT_EQ(preset.SoundName(slot), names[slot]) << slot;
        EXPECT_EQ(preset.SoundPath(slot), names[slot].empty() ? u"" : kSoundFolder + names[slot] + u".wav") << slot;
    }
    EXPECT_FALSE(preset.SoundEnabled());
}

TEST(EventSoundPlayerTest, EventsSoundOnlyWhenEnabledOrForced) {
    struct Case {
        const char* name;
        bool enabled;
        bool force;
        SoundEvent event;
        bool plays;
    };
    const Case cases[] = {
        {"sounds off", false, false, SoundEvent::CharacterKey, false},
        {"test button with sounds off", false, true, SoundEvent::CharacterKey, true},
        {"sounds on", true, false, SoundEvent::LayoutSwitched, true},
        {"event without a sound", true, true, SoundEvent::ActionExecuted, false},
        {"unknown event", true, true, static_cast<SoundEvent>(kSoundEventCount), false},
        {"negative event", true, true, static_cast<SoundEvent>(-1), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SoundWorld w;
        EventSoundPlayer sounds = w.MakeSounds();
        sounds.SetEnabled(c.enabled);
        sounds.PlayEventSound(c.event, c.force);
        const std::vector<std::u16string> expected =
            c.plays ? std::vector<std::u16string>{sounds.Path(static_cast<int>(c.event))}
                    : std::vector<std::u16string>{};
        EXPECT_EQ(w.os.sound.Played(), expected);
    }
}

TEST(PresetSoundsTest, SoundsTurnedOnAreReadyBeforeTheFirstKeySounds) {
    // Typing sounds play inside the keyboard hook, which must not load a library.
    SoundWorld w;
    w.ini.WriteBool(u"SoundEnabled", true);
    EventSoundPlayer sounds = w.MakeSounds();
    TPreset preset = w.MakePreset(sounds);
    EXPECT_FALSE(w.os.sound.Prepared()) << "sounds are off by default: nothing is loaded for them";
    preset.Load();
    ASSERT_TRUE(preset.SoundEnabled());
    sounds.PlayEventSound(SoundEvent::CharacterKey);
    EXPECT_EQ(w.os.sound.Played().size(), 1u);
    EXPECT_FALSE(w.os.sound.PlayedUnprepared());
}

TEST(EventSoundPlayerTest, OnVistaAndLaterASoundStillPlayingIsNotCutOff) {
    SoundWorld w;
    EventSoundPlayer sounds = w.MakeSounds();
    sounds.SetEnabled(true);
    sounds.PlayEventSound(SoundEvent::CharacterKey);
    w.os.loop.Sleep(299);
    sounds.PlayEventSound(SoundEvent::DeleteKey);
    w.os.loop.Sleep(1);
    sounds.PlayEventSound(SoundEvent::LayoutSwitched);
    EXPECT_EQ(w.os.sound.Played(),
              (std::vector<std::u16string>{kSoundFolder + u"Type1.wav", kSoundFolder + u"Switch1.wav"}));
}

TEST(EventSoundPlayerTest, BeforeVistaEachSoundReplacesThePreviousOne) {
    SoundWorld w;
    w.os.desktop.SetVersion({2, 5, 1, 2600});
    EventSoundPlayer sounds = w.MakeSounds();
    sounds.SetEnabled(true);
    sounds.PlayEventSound(SoundEvent::CharacterKey);
    sounds.PlayEventSound(SoundEvent::OtherKey);
    EXPECT_EQ(w.os.sound.Played(),
              (std::vector<std::u16string>{kSoundFolder + u"Type1.wav", kSoundFolder + u"Type3.wav"}));
}

TEST(PresetSoundsTest, LoadedSoundNamesAreResolvedAgain) {
    SoundWorld w;
    w.os.registry.Key(u"SOFTWARE\\OrlentaSoftware\\Karmux")[u"SOUND6"] =
        RegistryValue{RegistryType::String, 0, u"Switch1"};
    w.os.registry.Key(u"SOFTWARE\\OrlentaSoftware\\Karmux")[u"SOUND3"] = RegistryValue{RegistryType::String, 0, u""};
    EventSoundPlayer sounds = w.MakeSounds();
    TPreset preset = w.MakePreset(sounds);
    preset.Load();
    EXPECT_EQ(preset.SoundPath(6), kSoundFolder + u"Switch1.wav");
    EXPECT_EQ(preset.SoundName(3), u"");
    EXPECT_EQ(preset.SoundPath(3), u"");
    EXPECT_EQ(sounds.Path(6), kSoundFolder + u"Switch1.wav") << "the player plays what the settings loaded";
}

}  // namespace
}  // namespace kv
