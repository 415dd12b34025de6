// Loading a keyboard geometry into the model.
#include "common/busy_cursor.h"
#include "common/message_boxes.h"
#include "keyboard/default_key_names.h"
#include "keyboard/keyboard_canvas.h"
#include "keyboard/keyboard_geometry.h"
#include "keyboard/kv_keyboard.h"
#include "platform/error.h"
#include "platform/files_api.h"
#include "platform/paths.h"

namespace kv {

namespace {
constexpr std::u16string_view kGeometryFolder = u"Keyboards\\";
}

bool TKvKeyboard::LoadKeyboard(std::u16string_view name) {
    SetDrawEnabled(false);
    services_.busyCursor.Begin(false);
    ClearKeys();
    keyboardName_ = name;
    const std::u16string folder = services_.appFolder + std::u16string(kGeometryFolder);
    const std::u16string path = folder + std::u16string(name) + u".txt";
    try {
        ReadGeometry(folder, path);
        SetDrawEnabled(true);
        RebuildPositionMap();
        BuildLayoutChars();
        Redraw();
    } catch (const KvError& error) {
        // The keys read so far still get the layout's characters.
        if (layoutSlot_ < 0) BuildLayoutChars();
        services_.busyCursor.End(true);
        services_.messageBoxes.ShowError(path + u": " + error.Message());
        return false;
    }
    services_.busyCursor.End(true);
    return true;
}

void TKvKeyboard::ReadGeometry(const std::u16string& folder, const std::u16string& path) {
    std::string bytes;
    if (services_.files.FileExists(path)) {
        std::optional<std::string> read = services_.files.ReadWholeFile(path);
        if (!read) throw KvError(u"the file cannot be read.");
        bytes = std::move(*read);
    } else {
        bytes = DefaultGeometryText();
    }
    const TKvGeometryText text(bytes);
    comment_ = text.Comment();
    const std::u16string background = text.ReadBackground();
    if (background.empty()) {
        canvas_.ClearPicture();
    } else {
        LoadBackground(folder + background);
    }
    const std::int32_t height = text.ReadImageSize(u"Height", kDefaultGeometryHeight);
    const std::int32_t width = text.ReadImageSize(u"Width", kDefaultGeometryWidth);
    Resize(width, height);
    info_ = text.Value(u"Info").value_or(u"");
    const auto& names = DefaultKeyNames();
    for (std::uint32_t code = 1; code < 256; ++code) {
        const auto key = static_cast<std::uint8_t>(code);
        std::optional<std::vector<Point>> outline = text.ReadKeyOutline(key);
        if (outline) {
            AddKey(key, std::move(*outline));
        } else if (!names[code].empty()) {
            AddKey(key, {});
        }
    }
}

void TKvKeyboard::AddKey(std::uint8_t code, std::vector<Point> points) {
    btns_[code] = std::make_unique<TKvBtn>(*this, code, std::move(points));
    btns_[code]->Paint();
}

void TKvKeyboard::Resize(std::int32_t width, std::int32_t height) {
    width_ = width;
    height_ = height;
    canvas_.Resize(width, height);
}

void TKvKeyboard::LoadBackground(const std::u16string& path) {
    if (path.empty()) return;
    if (!canvas_.LoadPicture(path)) throw KvError(u"the picture " + path + u" cannot be loaded.");
    backgroundFile_ = std::u16string(FileNameOf(path));
}

void TKvKeyboard::ClearKeys() {
    // Keys held now are let go first, so the count and the modifier sets do not keep them.
    for (auto& key : btns_) {
        if (key && key->pressed_) {
            key->pressed_ = false;
            TrackKeyChange(key->vk_, false);
        }
    }
    hotBtn_ = nullptr;
    for (auto& key : btns_) key.reset();
    keyboardName_.clear();
    comment_.clear();
    backgroundFile_.clear();
    info_.clear();
}

}  // namespace kv
