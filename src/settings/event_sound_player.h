#pragma once
#include <string>

#include "settings/event_sounds.h"

namespace kv {

class IFileSystem;
class ISound;
class ISystemVersion;

// Plays the sound of each program event ("SoundEnabled" and the "Sound" slots). The keyboard
// hook plays on every key, so playing is one asynchronous call on a file resolved when the
// sound was chosen. The settings model loads and saves these options; the parts that raise
// events hold only this.
class EventSoundPlayer {
public:
    // Starts with the defaults.
    EventSoundPlayer(ISound& sound, const IFileSystem& files, const ISystemVersion& version,
                     std::u16string soundFolder);
    EventSoundPlayer(const EventSoundPlayer&) = delete;
    EventSoundPlayer& operator=(const EventSoundPlayer&) = delete;

    bool Enabled() const { return enabled_; }
    // Turning sounds on readies playing, so the first sound, which may come from inside the
    // keyboard hook, loads nothing there.
    void SetEnabled(bool on);
    const std::u16string& Name(int event) const { return sounds_.Name(event); }
    const std::u16string& Path(int event) const { return sounds_.Path(event); }
    void SetSound(int event, std::u16string name) { sounds_.Set(event, std::move(name)); }
    // Off, with the typing clicks and the switch chime chosen.
    void SetDefaults();

    // `force` plays even with sounds switched off (the settings window's test button). On Vista
    // and later a sound still playing is not cut off, the new one is skipped instead. Events
    // outside 0..8 and events without a file are silent.
    void PlayEventSound(SoundEvent event, bool force = false);

private:
    ISound& sound_;
    const bool vistaOrLater_;
    bool enabled_ = false;
    EventSounds sounds_;
};

}  // namespace kv
