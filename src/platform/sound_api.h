#pragma once
#include <cstdint>
#include <string>

namespace kv {

class ISound {
public:
    virtual ~ISound() = default;
    // sndPlaySound: a null path asks about (or stops) the sound playing now.
    virtual bool SndPlaySound(const std::u16string* path, std::uint32_t flags) = 0;
    // Makes playing ready (loads what it needs), so that the first sound, which may come from
    // inside the keyboard hook, loads nothing there.
    virtual void Prepare() = 0;
};

}  // namespace kv
