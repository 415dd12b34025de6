#include "keyboard/typing_run.h"

#include <algorithm>

#include "common/key_classes.h"
#include "keyboard/kv_keyboard.h"

namespace kv {

namespace {

constexpr std::uint8_t kBackspace = 8;

// A dead key, or a key without a character under these modifiers, leaves nothing on screen;
// counting it would make the conversion erase a character typed before the run.
bool TypesCharacter(const TKvKeyboard& model, std::uint8_t code) noexcept {
    return model.CharOf(code) != u' ' || code == ' ';
}

}  // namespace

void TypingRun::RecordKey(const TKvKeyboard& model, std::uint8_t code, const TKvBtn& key, bool isUp,
                          bool systemKeyUp) noexcept {
    if (replaying_) return;
    const bool printable = IsPrintableKey(code);
    const bool modifier = IsModifierKey(code);
    if (!recording_) {
        if (!isUp && printable) {
            Start(model);
        } else if (!printable && !modifier) {
            Forget();
        }
    }
    if (!recording_) return;

    const bool ctrlHeld = model.IsKeyPressed(vk::kLeftControl) || model.IsKeyPressed(vk::kRightControl);
    // Ctrl with Alt is AltGr, which types characters; only Ctrl alone makes a shortcut.
    const bool altHeld = model.IsKeyPressed(vk::kLeftMenu) || model.IsKeyPressed(vk::kRightMenu);
    if (!isUp && printable && ctrlHeld && !altHeld) {
        Forget();
        return;
    }
    if (!printable && !modifier && code != kBackspace) {
        Forget();
        return;
    }
    // Erasing text typed before the run: replaying it would erase that text again.
    if (Full() || systemKeyUp || (!isUp && code == kBackspace && chars_ == 0)) {
        Forget();
        return;
    }
    Append(key, isUp);
    if (isUp) return;
    if (code == kBackspace) {
        --chars_;
    } else if (printable && TypesCharacter(model, code)) {
        ++chars_;
    }
}

void TypingRun::ResetTypedBuffer() noexcept {
    if (!replaying_) Forget();
}

void TypingRun::Forget() noexcept {
    std::fill_n(entries_.begin(), count_, TypedKeyEntry{});
    count_ = 0;
    chars_ = 0;
    recording_ = false;
}

void TypingRun::Start(const TKvKeyboard& model) noexcept {
    Forget();
    recording_ = true;
    // The run replays with the modifiers that were already held when it began.
    for (int code = 1; code <= 255 && !Full(); ++code) {
        const TKvBtn* held = model.Btn(static_cast<std::uint8_t>(code));
        if (held != nullptr && IsModifierKey(static_cast<std::uint32_t>(code)) && held->Pressed()) Append(*held, false);
    }
}

void TypingRun::Close(const TKvKeyboard& model) noexcept {
    if (!recording_) return;
    for (int code = 1; code <= 255 && !Full(); ++code) {
        const TKvBtn* key = model.Btn(static_cast<std::uint8_t>(code));
        if (key != nullptr && key->Pressed()) Append(*key, true);
    }
    recording_ = false;
}

void TypingRun::Append(const TKvBtn& key, bool isUp) noexcept {
    const TKvBtn& position = key.PositionKey();
    entries_[static_cast<std::size_t>(count_++)] = {std::uint8_t(isUp ? 1 : 0), std::uint8_t(position.Extended() ? 1 : 0),
                                                    position.Vk()};
}

}  // namespace kv
