#include "settings/event_sound_player.h"

#include "platform/sound_api.h"
#include "platform/system_api.h"
#include "platform/win_constants.h"

namespace kv {

namespace {

bool IsVistaOrLater(const OsVersion& v) { return v.platformId == win::kVerPlatformWin32Nt && v.major >= 6; }

}  // namespace

EventSoundPlayer::EventSoundPlayer(ISound& sound, const IFileSystem& files, const ISystemVersion& version,
                                   std::u16string soundFolder)
    : sound_(sound), vistaOrLater_(IsVistaOrLater(version.Version())), sounds_(files, std::move(soundFolder)) {
    SetDefaults();
}

void EventSoundPlayer::SetEnabled(bool on) {
    enabled_ = on;
    if (on) sound_.Prepare();
}

void EventSoundPlayer::SetDefaults() {
    for (int event = 0; event < kSoundEventCount; ++event) SetSound(event, u"");
    enabled_ = false;
    SetSound(static_cast<int>(SoundEvent::CharacterKey), u"Type1");
    SetSound(static_cast<int>(SoundEvent::DeleteKey), u"Type4");
    SetSound(static_cast<int>(SoundEvent::OtherKey), u"Type3");
    SetSound(static_cast<int>(SoundEvent::LayoutSwitched), u"Switch1");
}

void EventSoundPlayer::PlayEventSound(SoundEvent event, bool force) {
    if (!enabled_ && !force) return;
    const int slot = static_cast<int>(event);
    if (slot < 0 || slot >= kSoundEventCount) return;
    const std::u16string& path = sounds_.Path(slot);
    if (path.empty()) return;
    if (vistaOrLater_ && !sound_.SndPlaySound(nullptr, win::kSndNoStop)) return;
    sound_.SndPlaySound(&path, win::kSndAsync);
}

}  // namespace kv
