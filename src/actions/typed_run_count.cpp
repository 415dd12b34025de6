#include "actions/typed_run_count.h"

#include <array>

#include "keyboard/typing_run.h"
#include "common/key_classes.h"
#include "keyboard/kv_keyboard.h"
#include "platform/keyboard_api.h"
#include "platform/win_constants.h"

namespace kv {

namespace {

constexpr std::uint8_t kBackspace = 8;
constexpr std::uint8_t kHeld = 0x80;
constexpr int kDeadKeyFlushes = 4;

// Shift, Ctrl and Alt without a side are down while either side is.
void UpdateSidelessModifiers(std::array<std::uint8_t, 256>& state) {
    const auto either = [&state](std::uint8_t left, std::uint8_t right) {
        return static_cast<std::uint8_t>((state[left] | state[right]) & kHeld);
    };
    state[vk::kShift] = either(vk::kLeftShift, vk::kRightShift);
    state[vk::kControl] = either(vk::kLeftControl, vk::kRightControl);
    state[vk::kMenu] = either(vk::kLeftMenu, vk::kRightMenu);
}

std::int32_t VisibleCharacters(const char16_t* buffer, int count) {
    std::int32_t visible = 0;
    // Control characters (Ctrl with a letter) are commands to the application, not text.
    for (int i = 0; i < count; ++i) visible += buffer[i] >= u' ' ? 1 : 0;
    return visible;
}

}  // namespace

std::int32_t CharactersTypedByRun(const TypingRun& run, const TKvKeyboard& model, IKeyboardLayouts& layouts) {
    const LayoutHandle layout = model.Layout();
    std::array<std::uint8_t, 256> state{};
    state[vk::kCapsLock] = model.KeyState()[vk::kCapsLock] & 1;
    std::int32_t characters = 0;
    // The dead key the layout holds for the next key, to let go of at the end.
    std::uint8_t deadKey = 0;
    std::uint32_t deadScan = 0;
    std::array<std::uint8_t, 256> deadState{};

    for (const TypedKeyEntry& entry : run.Keys()) {
        const std::uint8_t code = model.PosToVk(entry.position);
        state[code] = entry.isUp ? 0 : kHeld;
        UpdateSidelessModifiers(state);
        if (entry.isUp) continue;
        if (code == kBackspace) {
            if (characters > 0) --characters;
            continue;
        }
        if (!IsPrintableKey(code)) continue;
        const std::uint32_t scan = layouts.MapVirtualKeyCode(code, win::kMapVkToVsc, layout);
        char16_t buffer[4] = {};
        const int result = layouts.TranslateToUnicode(code, scan, state.data(), buffer, 4, 0, layout);
        if (result < 0) {
            deadKey = code;
            deadScan = scan;
            deadState = state;
        } else if (result > 0) {
            deadKey = 0;
            characters += VisibleCharacters(buffer, result);
        }
    }
    for (int flush = 0; deadKey != 0 && flush < kDeadKeyFlushes; ++flush) {
        char16_t ignored[4] = {};
        if (layouts.TranslateToUnicode(deadKey, deadScan, deadState.data(), ignored, 4, 0, layout) >= 0) deadKey = 0;
    }
    return characters;
}

}  // namespace kv
