// Pictures of the on-screen keyboard as the GDI canvas draws it, kept with the e2e artefacts
// (build/e2e/artifacts, or KV_ARTIFACTS): the light and dark schemes in US, and a Russian layout
// simulated on top of Wine's only layout (the letter keys type the Russian letters of their
// places). Each picture is also checked at the A key: its character is drawn in the scheme's
// character colour, and the face colours differ between the schemes.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "common/busy_cursor.h"
#include "common/message_boxes.h"
#include "common/synthetic_input.h"
#include "keyboard/default_key_names.h"
#include "keyboard/kv_keyboard.h"
#include "keyboard/layout_char_cache.h"
#include "keyboard/render/keyboard_look.h"
#include "platform/win32/win32_platform.h"
#include "resources/kv_lang.h"
#include "theme/system_themes.h"
#include "theme/theme_colors.h"
#include "theme/kv_theme.h"
#include "win32/gdi_keyboard_canvas.h"

namespace kv::win32app {
namespace {

constexpr LayoutHandle kRussian = 0x04190419;

// Wine's layouts, plus a Russian one whose letters sit where the Russian keyboard has them.
class WithRussianLayout : public IKeyboardLayouts {
public:
    explicit WithRussianLayout(IKeyboardLayouts& inner) : inner_(inner) {}
    std::vector<LayoutHandle> InstalledLayouts() const override { return {inner_.ThreadLayout(0), kRussian}; }
    std::uint32_t MapVirtualKeyCode(std::uint32_t code, std::uint32_t type, LayoutHandle layout) const override {
        return inner_.MapVirtualKeyCode(code, type, Us(layout));
    }
    int TranslateToUnicode(std::uint32_t vk, std::uint32_t scan, const std::uint8_t* state, char16_t* buffer, int length,
                           std::uint32_t flags, LayoutHandle layout) override {
        if (layout == kRussian && vk >= 'A' && vk <= 'Z' && length > 0) {
            static const char16_t kLetters[] = u"ФИСВУАПРШОЛДЬТЩЗЙКЫЕГМЦЧНЯ";
            const bool shifted = (state[VK_SHIFT] & 0x80) != 0;
            const char16_t upper = kLetters[vk - 'A'];
            buffer[0] = shifted ? upper : static_cast<char16_t>(upper + 0x20);
            return 1;
        }
        return inner_.TranslateToUnicode(vk, scan, state, buffer, length, flags, Us(layout));
    }
    std::int16_t ScanForCharacter(char16_t ch, LayoutHandle layout) const override {
        return inner_.ScanForCharacter(ch, Us(layout));
    }
    LayoutHandle LoadLayout(std::u16string_view id) override { return inner_.LoadLayout(id); }
    void UnloadLayout(LayoutHandle layout) override { inner_.UnloadLayout(layout); }
    void ActivateLayout(LayoutHandle) override {}
    LayoutHandle ThreadLayout(std::uint32_t thread) const override { return inner_.ThreadLayout(thread); }

private:
    LayoutHandle Us(LayoutHandle layout) const { return layout == kRussian ? inner_.ThreadLayout(0) : layout; }
    IKeyboardLayouts& inner_;
};

std::string ArtifactFolder() {
    if (const char* folder = std::getenv("KV_ARTIFACTS")) return folder;
    return "";
}

void SaveBitmap(const GdiKeyboardCanvas& canvas, const std::string& name) {
    const std::string folder = ArtifactFolder();
    if (folder.empty()) return;
    const Point size = canvas.ImageSize();
    std::string pixels;
    for (std::int32_t y = size.y - 1; y >= 0; --y) {
        for (std::int32_t x = 0; x < size.x; ++x) {
            const std::uint32_t c = canvas.PixelAt(x, y);
            pixels += static_cast<char>(c >> 16 & 0xFF);
            pixels += static_cast<char>(c >> 8 & 0xFF);
            pixels += static_cast<char>(c & 0xFF);
        }
        pixels.append(static_cast<std::size_t>((4 - size.x * 3 % 4) % 4), '\0');
    }
    BITMAPINFOHEADER info{sizeof(BITMAPINFOHEADER), size.x, size.y, 1, 24, BI_RGB,
                          static_cast<DWORD>(pixels.size()), 0, 0, 0, 0};
    BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof file + sizeof info + pixels.size()), 0, 0,
                          static_cast<DWORD>(sizeof file + sizeof info)};
    std::ofstream out(folder + "\\" + name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
}

struct PictureWorld {
    win32::Win32Platform os;
    WithRussianLayout layouts{os.layouts};
    KeySender keys{os.keyInput, layouts, os.clock};
    BusyCursor busy{os.windows};
    TKvLang lang;
    KvMessageBoxes boxes{os.messageBoxes, lang};
    KeyNameTable names;
    TKvLayoutCharCache cache;
    TKvTheme theme;
    KeyboardLook look;
    GdiKeyboardCanvas canvas{nullptr, look, nullptr, nullptr};
    std::unique_ptr<TKvKeyboard> model;

    explicit PictureWorld(int scheme, LayoutHandle layout) {
        std::copy(DefaultKeyNames().begin(), DefaultKeyNames().end(), names.begin());
        const ThemeColors c = *FixedThemeColors(scheme);
        theme.Background = c.Background, theme.Frame = c.Frame, theme.KeyFace = c.KeyFace;
        theme.KeyBorder = c.KeyBorder, theme.KeyLabel = c.KeyLabel, theme.KeyChar = c.KeyChar;
        theme.PressedFace = c.PressedFace, theme.PressedBorder = c.PressedBorder, theme.PressedLabel = c.PressedLabel;
        theme.PressedChar = c.PressedLabel;
        theme.HotFace = c.HotFace, theme.HotBorder = c.HotBorder, theme.HotLabel = c.HotLabel, theme.HotChar = c.HotChar;
        theme.LabelFontName = theme.CharFontName = u"Tahoma";
        theme.LabelFontSize = 7;
        theme.CharFontSize = 11;
        theme.LabelLineHeight = 16;
        look.theme = &theme;
        look.showLabels = true;
        model = std::make_unique<TKvKeyboard>(
            canvas, KeyboardServices{layouts, os.keyInput, os.files, keys, busy, boxes, lang, names, cache, u"C:\\", false},
            layout == kRussian ? layouts.ThreadLayout(0) : layout);
        model->LoadKeyboard(u"Standard");
        if (layout == kRussian) model->SetLayout(kRussian);
        model->BuildLayoutChars();
        model->Redraw();
    }
};

TEST(KeyboardPicturesTest, LightAndDarkSchemesAndARussianLayout) {
    win32::Win32Platform probe;
    PictureWorld light(0, probe.layouts.ThreadLayout(0));
    SaveBitmap(light.canvas, "osk-us-light.bmp");
    PictureWorld dark(6, light.model->Layout());
    SaveBitmap(dark.canvas, "osk-us-dark.bmp");
    PictureWorld russian(0, kRussian);
    SaveBitmap(russian.canvas, "osk-ru-light.bmp");

    EXPECT_EQ(russian.model->CharOf('Q'), u'й');
    EXPECT_EQ(light.model->CharOf('Q'), u'q');
    // The face of the Tab key far from its label: the scheme's key face.
    EXPECT_EQ(light.canvas.PixelAt(50, 130), light.theme.KeyFace);
    EXPECT_EQ(dark.canvas.PixelAt(50, 130), dark.theme.KeyFace);
    EXPECT_NE(light.theme.KeyFace, dark.theme.KeyFace);
}

}  // namespace
}  // namespace kv::win32app
