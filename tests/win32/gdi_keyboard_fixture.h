#pragma once
// A keyboard model on the real system, drawn by the GDI canvas into its memory bitmap (no window).
#include <windows.h>

#include <algorithm>
#include <memory>

#include "common/busy_cursor.h"
#include "common/message_boxes.h"
#include "common/synthetic_input.h"
#include "keyboard/default_key_names.h"
#include "keyboard/kv_keyboard.h"
#include "keyboard/layout_char_cache.h"
#include "platform/win32/win32_platform.h"
#include "resources/kv_lang.h"
#include "theme/kv_theme.h"
#include "win32/gdi_keyboard_canvas.h"

namespace kv::test {

inline TKvTheme DistinctKeyboardTheme() {
    TKvTheme theme;
    theme.Background = 0x402010;
    theme.KeyFace = 0xE0E0E0;
    theme.KeyBorder = 0x808080;
    theme.KeyLabel = 0x000000;
    theme.KeyChar = 0x000080;
    theme.PressedFace = 0x2040C0;
    theme.PressedBorder = 0x102060;
    theme.PressedLabel = 0xFFFFFF;
    theme.PressedChar = 0xFFFFFF;
    theme.HotFace = 0x40C040;
    theme.HotBorder = 0x206020;
    theme.HotLabel = 0x000000;
    theme.HotChar = 0x000000;
    theme.LabelFontName = u"Tahoma";
    theme.CharFontName = u"Tahoma";
    theme.LabelFontSize = 8;
    theme.CharFontSize = 9;
    theme.LabelLineHeight = 16;
    return theme;
}

struct GdiKeyboardWorld {
    win32::Win32Platform os;
    KeySender keys{os.keyInput, os.layouts, os.clock};
    BusyCursor busy{os.windows};
    TKvLang lang;
    KvMessageBoxes boxes{os.messageBoxes, lang};
    KeyNameTable names;
    TKvLayoutCharCache cache;
    TKvTheme theme = DistinctKeyboardTheme();
    KeyboardLook look;
    win32app::GdiKeyboardCanvas canvas{nullptr, look, nullptr, nullptr};
    std::unique_ptr<TKvKeyboard> model;

    // The built-in geometry: the program folder given has no Keyboards\Standard.txt.
    GdiKeyboardWorld() {
        std::copy(DefaultKeyNames().begin(), DefaultKeyNames().end(), names.begin());
        look.theme = &theme;
        look.showLabels = true;
        KeyboardServices services{os.layouts, os.keyInput, os.files, keys, busy, boxes, lang, names, cache,
                                  u"C:\\no-such-folder\\", false};
        const auto layout = static_cast<LayoutHandle>(reinterpret_cast<std::uintptr_t>(GetKeyboardLayout(0)));
        model = std::make_unique<TKvKeyboard>(canvas, std::move(services), layout);
        model->LoadKeyboard(u"Standard");
    }
};

}  // namespace kv::test
