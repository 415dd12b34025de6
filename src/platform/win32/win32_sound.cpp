#include "platform/win32/win32_sound.h"

#include <mmsystem.h>

#include "platform/win32/system_library.h"
#include "platform/win32/win32_text.h"
#include "platform/win_constants.h"

namespace kv::win32 {

static_assert(win::kSndAsync == SND_ASYNC && win::kSndNoStop == SND_NOSTOP);

Win32Sound::~Win32Sound() {
    // A sound still playing runs on the library's code.
    if (play_) play_(nullptr, 0);
}

void Win32Sound::Prepare() {
    if (play_) return;
    if (!winmm_) winmm_ = LoadSystemLibrary(L"winmm.dll");
    if (winmm_) play_ = ExportOf<PlayFn>(winmm_.Get(), "sndPlaySoundW");
}

bool Win32Sound::SndPlaySound(const std::u16string* path, std::uint32_t flags) {
    Prepare();
    return play_ && play_(path ? W(*path) : nullptr, flags) != FALSE;
}

}  // namespace kv::win32
