#include "actions/text_conversion.h"

#include <array>

#include "keyboard/kv_keyboard.h"
#include "platform/keyboard_api.h"
#include "platform/win_constants.h"
#include "switching/layout_switcher.h"

namespace kv {

namespace {

constexpr std::uint8_t kShift = 16, kControl = 17, kMenu = 18;
constexpr std::uint8_t kHeld = 0x81;
constexpr int kDeadKeyFlushes = 4;

// The US-layout position of every key in the model's current layout.
std::array<std::uint8_t, 256> KeyPositions(const TKvKeyboard& model) {
    std::array<std::uint8_t, 256> positions{};
    for (int code = 0; code < 256; ++code) {
        const TKvBtn* key = model.Btn(static_cast<std::uint8_t>(code));
        positions[static_cast<std::size_t>(code)] = key ? key->PositionKey().Vk() : static_cast<std::uint8_t>(code);
    }
    return positions;
}

std::u16string_view Trimmed(std::u16string_view text) {
    while (!text.empty() && text.front() == u' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == u' ') text.remove_suffix(1);
    return text;
}

}  // namespace

std::u16string ConvertText(std::u16string_view text, TKvKeyboard& model, LayoutSwitcher& switcher,
                           IKeyboardLayouts& layouts) {
    const std::array<std::uint8_t, 256> positions = KeyPositions(model);
    const LayoutHandle from = model.Layout();
    switcher.SwitchLayout(kNextLayout);
    const LayoutHandle to = model.Layout();

    std::array<std::uint8_t, 256> state{};
    std::u16string out;
    out.reserve(text.size());
    for (char16_t c : text) {
        const std::int16_t scan = layouts.ScanForCharacter(c, from);
        if (scan == -1) {
            out.push_back(c);
            continue;
        }
        const std::uint8_t target = model.PosToVk(positions[static_cast<std::uint8_t>(scan & 0xFF)]);
        const int shiftState = (scan >> 8) & 0xFF;
        state[kShift] = (shiftState & 1) ? kHeld : 0;
        state[kControl] = (shiftState & 2) ? kHeld : 0;
        state[kMenu] = (shiftState & 4) ? kHeld : 0;
        const std::uint32_t scanCode = layouts.MapVirtualKeyCode(target, win::kMapVkToVsc, to);
        char16_t buffer[2] = {u' ', u' '};
        const int result = layouts.TranslateToUnicode(target, scanCode, state.data(), buffer, 2, 0, to);
        if (result == 1) {
            out.push_back(buffer[0]);
        } else if (result >= 2 && result <= 255) {
            const std::u16string_view trimmed = Trimmed(std::u16string_view(buffer, 2));
            if (!trimmed.empty()) out.push_back(trimmed.back());
        } else if (result < 0) {
            // The key only starts a character here; its spacing form stands for it, so nothing
            // of the text is lost.
            if (buffer[0] != u' ' && buffer[0] != 0) out.push_back(buffer[0]);
            // The dead key now waits in the layout for its second key; pressing it again lets
            // it go, or it would change the next character converted.
            for (int flush = 0; flush < kDeadKeyFlushes; ++flush) {
                char16_t ignored[2] = {};
                if (layouts.TranslateToUnicode(target, scanCode, state.data(), ignored, 2, 0, to) >= 0) break;
            }
        } else {
            // Nothing at that position in the new layout (AltGr where it has none): the character
            // stays rather than vanish from the user's text.
            out.push_back(c);
        }
    }
    return out;
}

}  // namespace kv
