#pragma once
// A keyboard model on the simulated Windows, with a canvas that records what the model draws.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "common/busy_cursor.h"
#include "common/message_boxes.h"
#include "common/synthetic_input.h"
#include "keyboard/default_key_names.h"
#include "keyboard/keyboard_canvas.h"
#include "keyboard/kv_keyboard.h"
#include "keyboard/layout_char_cache.h"
#include "resources/kv_lang.h"
#include "sim_platform.h"

namespace kv::test {

constexpr LayoutHandle kUs = sim::kLayoutUs, kRu = sim::kLayoutRu, kDe = sim::kLayoutDe, kFr = sim::kLayoutFr;

class RecordingCanvas : public IKeyboardCanvas {
public:
    Point displaySize{640, 200};
    bool refusePictures = false;
    int fullDraws = 0;
    int copies = 0;
    std::vector<std::uint8_t> drawnKeys;
    std::vector<std::u16string> pictures;
    int pictureClears = 0;
    Point size{};

    Point DisplaySize() const override { return displaySize; }
    void Resize(std::int32_t width, std::int32_t height) override { size = {width, height}; }
    bool LoadPicture(const std::u16string& path) override {
        if (refusePictures) return false;
        pictures.push_back(path);
        return true;
    }
    void ClearPicture() override { ++pictureClears; }
    void DrawKeyboard(TKvKeyboard&) override { ++fullDraws; }
    void DrawKey(TKvBtn& key) override { drawnKeys.push_back(key.Vk()); }
    void CopyToDisplay() override { ++copies; }
    void ForgetDrawing() {
        fullDraws = copies = 0;
        drawnKeys.clear();
    }
};

// The simulated layouts, counting the translations and with refusals on demand.
class CountingLayouts : public IKeyboardLayouts {
public:
    explicit CountingLayouts(sim::SimKeyboard& inner) : inner_(inner) {}
    int translations = 0;
    bool refuseLoading = false;

    std::vector<LayoutHandle> InstalledLayouts() const override { return inner_.InstalledLayouts(); }
    std::uint32_t MapVirtualKeyCode(std::uint32_t code, std::uint32_t mapType, LayoutHandle layout) const override {
        return inner_.MapVirtualKeyCode(code, mapType, layout);
    }
    int TranslateToUnicode(std::uint32_t vk, std::uint32_t scan, const std::uint8_t* state, char16_t* buffer, int length,
                           std::uint32_t flags, LayoutHandle layout) override {
        ++translations;
        return inner_.TranslateToUnicode(vk, scan, state, buffer, length, flags, layout);
    }
    std::int16_t ScanForCharacter(char16_t ch, LayoutHandle layout) const override {
        return inner_.ScanForCharacter(ch, layout);
    }
    LayoutHandle LoadLayout(std::u16string_view id) override { return refuseLoading ? 0 : inner_.LoadLayout(id); }
    void UnloadLayout(LayoutHandle layout) override { inner_.UnloadLayout(layout); }
    void ActivateLayout(LayoutHandle layout) override { inner_.ActivateLayout(layout); }
    LayoutHandle ThreadLayout(std::uint32_t threadId) const override { return inner_.ThreadLayout(threadId); }

private:
    sim::SimKeyboard& inner_;
};

inline KeyNameTable EnglishKeyNames() {
    KeyNameTable names;
    std::copy(DefaultKeyNames().begin(), DefaultKeyNames().end(), names.begin());
    return names;
}

// Everything the model needs, on one simulated machine; the model itself is made by Create.
struct KeyboardWorld {
    sim::SimPlatform os;
    CountingLayouts layouts{os.keyboard};
    KeySender keys{os.keyInput, os.keyboard, os.loop};
    BusyCursor busy{os.desktop};
    TKvLang lang;
    KvMessageBoxes boxes{os.desktop, lang};
    KeyNameTable names = EnglishKeyNames();
    TKvLayoutCharCache cache;
    RecordingCanvas canvas;
    std::unique_ptr<TKvKeyboard> model;

    static std::u16string GeometryPath(std::u16string_view name) {
        return std::u16string(sim::SimPlatform::kAppFolder) + u"Keyboards\\" + std::u16string(name) + u".txt";
    }

    // A model on the built-in geometry (no file "Standard.txt").
    TKvKeyboard& Create(LayoutHandle layout = kUs, bool is64BitWindows = false) {
        KeyboardServices services{layouts, os.keyInput, os.files, keys, busy, boxes, lang, names, cache,
                                  std::u16string(sim::SimPlatform::kAppFolder), is64BitWindows};
        model = std::make_unique<TKvKeyboard>(canvas, std::move(services), layout);
        model->LoadKeyboard(u"Standard");
        return *model;
    }

    void Press(std::initializer_list<std::uint8_t> codes) {
        for (std::uint8_t code : codes) model->SetKeyPressed(code, true);
    }
    void Release(std::initializer_list<std::uint8_t> codes) {
        for (std::uint8_t code : codes) model->SetKeyPressed(code, false);
    }
};

}  // namespace kv::test
