#include "common/synthetic_input.h"

#include "common/key_classes.h"
#include "platform/clock_api.h"
#include "platform/keyboard_api.h"
#include "platform/win_constants.h"

namespace kv {

namespace {
constexpr std::uint32_t kPaceMs = 10;
}

bool KeySender::Send(std::uint8_t vk, bool keyUp, bool extended) {
    KeyEvent event;
    event.vk = vk;
    event.scanCode = static_cast<std::uint16_t>(layouts_.MapVirtualKeyCode(vk, win::kMapVkToVsc, 0));
    event.flags = (keyUp ? win::kKeyEventKeyUp : 0) | (extended ? win::kKeyEventExtendedKey : 0);
    event.extraInfo = kOwnInputMarker;
    return input_.SendKeyEvents(&event, 1) == 1;
}

void KeySender::SendKeyEvent(std::uint8_t vk, bool keyUp, bool extended) {
    if (Send(vk, keyUp, extended)) leftDown_[vk] = !keyUp;
}

void KeySender::PressHeldKeyAgain(std::uint8_t vk, bool extended) {
    if (Send(vk, false, extended)) leftDown_[vk] = false;
}

void KeySender::ReleaseKeysLeftDown() {
    for (int code = 1; code < 256; ++code) {
        const auto vk = static_cast<std::uint8_t>(code);
        if (leftDown_[vk]) SendKeyEvent(vk, true, IsExtendedKey(vk));
    }
}

void KeySender::ReleaseKeyPressedAgain(std::uint8_t vk, bool extended) {
    leftDown_[vk] = true;
    SendKeyEvent(vk, true, extended);
}

bool KeySender::AnyLeftDown() const {
    for (const bool down : leftDown_) {
        if (down) return true;
    }
    return false;
}

void KeySender::SendKeyPress(std::uint8_t vk, bool extended) {
    SendKeyEvent(vk, false, extended);
    SendKeyEvent(vk, true, extended);
}

void KeySender::SendEscapeRelease() {
    SendKeyEvent(kVkEscape, true, false);
    clock_.Sleep(kPaceMs);
}

void KeySender::SendCtrlChord(std::uint8_t vk) {
    clock_.Sleep(kPaceMs);
    SendKeyEvent(kVkControl, false, false);
    clock_.Sleep(kPaceMs);
    SendKeyPress(vk, false);
    clock_.Sleep(kPaceMs);
    SendKeyEvent(kVkControl, true, false);
    clock_.Sleep(kPaceMs);
}

}  // namespace kv
