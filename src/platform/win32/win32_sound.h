#pragma once
#include <windows.h>

#include "platform/sound_api.h"
#include "platform/win32/win32_handles.h"

namespace kv::win32 {

// sndPlaySound of winmm.dll. The library (which brings COM along) is loaded when sounds are
// turned on, not at start-up: sounds are off unless the user turns them on.
class Win32Sound : public ISound {
public:
    Win32Sound() = default;
    ~Win32Sound() override;
    Win32Sound(const Win32Sound&) = delete;
    Win32Sound& operator=(const Win32Sound&) = delete;

    bool SndPlaySound(const std::u16string* path, std::uint32_t flags) override;
    void Prepare() override;

private:
    using PlayFn = BOOL(WINAPI*)(LPCWSTR, UINT);

    UniqueModule winmm_;
    PlayFn play_ = nullptr;
};

}  // namespace kv::win32
