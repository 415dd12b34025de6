#pragma once
#include <array>
#include <cstdint>

namespace kv {

class IKeyInput;
class KeySender;

// Fills `state` with the thread's key state and releases, by synthetic key-ups, every left or
// right Shift, Ctrl, Alt and Win key the system holds down, so the model starts with none held.
// Lock toggles and all other bytes keep the system's values; the modifier bytes end up 0.
void ReleaseSystemModifiers(IKeyInput& input, KeySender& keys, std::array<std::uint8_t, 256>& state);

}  // namespace kv
