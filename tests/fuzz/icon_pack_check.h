#pragma once
// What must hold for any bytes read as an icon pack. The fuzzer aborts on a violation; the
// native tests replay the kept regression inputs through the same check.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/message_boxes.h"
#include "icon_pack_fakes.h"
#include "resources/icon_pack_file.h"
#include "resources/icon_pack_list.h"
#include "resources/icon_pack_pictures.h"
#include "resources/kv_lang.h"
#include "sim_files.h"

namespace kv::fuzz {

inline std::string BitmapInfoViolation(std::string_view bytes) {
    const auto info = ReadBitmapFileInfo(bytes);
    if (!info) return {};
    if (info->width <= 0 || info->height <= 0) return "a bitmap without pixels";
    const auto pixels = static_cast<std::uint64_t>(info->width) * static_cast<std::uint64_t>(info->height);
    if (pixels > kMaxStripPixels) return "a bitmap larger than the bound";
    if (static_cast<std::size_t>(info->width / kIconImageSize) > kMaxPackImages) return "more images than positions";
    if (info->pixelOffset >= bytes.size()) return "pixels outside the file";
    if (info->compression == 0) {
        const std::uint64_t stride = (static_cast<std::uint64_t>(info->width) * info->bitsPerPixel + 31) / 32 * 4;
        if (info->pixelOffset + stride * static_cast<std::uint64_t>(info->height) > bytes.size()) {
            return "pixel rows outside the file";
        }
    }
    return {};
}

inline std::string RunIndexViolation(const TKvIcons& pack) {
    const auto& items = pack.Items();
    std::array<std::size_t, 256> lastOfKey;
    lastOfKey.fill(SIZE_MAX);
    for (std::size_t i = 0; i < items.size(); ++i) lastOfKey[items[i].KeyCode] = i;
    for (int key = 0; key < 256; ++key) {
        const IconRun run = pack.RunIndex()[key];
        if (lastOfKey[key] == SIZE_MAX) {
            if (run != IconRun{}) return "a run for a key without entries";
            continue;
        }
        if (run.last != lastOfKey[key] || run.first > run.last) return "the run is not the key's last group";
        for (std::size_t i = run.first; i <= run.last; ++i) {
            if (items[i].KeyCode != key) return "a run holding another key";
        }
        if (run.first > 0 && items[run.first - 1].KeyCode == key) return "a run that does not start its group";
    }
    return {};
}

// Counts what was drawn, without allocating: the lookups run for every key of every input.
class CountingCanvas : public IImageCanvas {
public:
    static constexpr std::uint32_t kInitialBrush = 0xFFFFFF;
    int images = 0;
    int fills = 0;
    std::size_t lastImage = 0;
    Point lastAt;
    Rect lastFill;
    std::uint32_t brush = kInitialBrush;
    std::uint32_t fillColor = 0;
    bool outOfRange = false;

    void DrawImage(const IIconImages& list, std::size_t index, std::int32_t x, std::int32_t y) override {
        ++images;
        lastImage = index;
        lastAt = {x, y};
        outOfRange = outOfRange || index >= list.Count();
    }
    std::uint32_t BrushColor() const override { return brush; }
    void SetBrushColor(std::uint32_t color) override { brush = color; }
    void FillRect(const Rect& rect) override {
        ++fills;
        lastFill = rect;
        fillColor = brush;
    }
};

inline std::string LookupViolation(const TKvIcons& pack) {
    const std::uint16_t codes[][2] = {{0, 0}, {0x20, 0x02}, {0x10, 0x01}, {0x40, 0x04}, {0x30, 0x50}};
    std::u16string hint = u"stale";
    for (int key = 0; key < 256; ++key) {
        const auto keyCode = static_cast<std::uint8_t>(key);
        for (const auto& code : codes) {
            CountingCanvas screen;
            CountingCanvas bitmap;
            const bool drawn = pack.DrawIcon(screen, keyCode, code[0], code[1], 3, 4);
            const bool hinted = pack.GetIconHint(keyCode, code[0], code[1], hint, &bitmap);
            if (drawn != hinted) return "DrawIcon and GetIconHint disagree";
            if (screen.images != (drawn ? 1 : 0) || screen.fills != 0) return "DrawIcon drew other than one image";
            if (screen.outOfRange || bitmap.outOfRange) return "an image beyond the list";
            if (bitmap.brush != CountingCanvas::kInitialBrush) return "the hint bitmap's brush was left changed";
            if (!hinted) {
                if (!hint.empty()) return "no match left a hint";
                if (bitmap.images != 0 || bitmap.fills != 1 || bitmap.lastFill != Rect{0, 0, 16, 16} ||
                    bitmap.fillColor != kNoIconHintColor) {
                    return "no match did not fill the hint bitmap grey";
                }
                continue;
            }
            if (screen.lastAt != Point{3, 4} || bitmap.images != 1 || bitmap.fills != 0 ||
                bitmap.lastImage != screen.lastImage || bitmap.lastAt != Point{0, 0}) {
                return "the hint bitmap did not get the drawn image";
            }
            const TKvIcon& item = pack.Items()[screen.lastImage];
            if (item.KeyCode != key || (item.Modifiers != code[0] && item.Modifiers != code[1])) {
                return "the image drawn is not a matching entry";
            }
            if (hint != item.Hint) return "the hint is not the entry's";
        }
        CountingCanvas badge;
        const bool squares = pack.DrawHotkeySquares(badge, keyCode, 0, 0);
        if (squares != (badge.fills > 0) || badge.images != 0 || badge.brush != CountingCanvas::kInitialBrush) {
            return "hotkey squares misreported";
        }
    }
    return {};
}

// Empty when every property holds, else what broke.
inline std::string IconPackViolation(std::string_view bytes) {
    if (std::string broken = BitmapInfoViolation(bytes); !broken.empty()) return broken;
    IsIconFile(bytes);  // the whole input as a pack icon too: only memory safety to check

    sim::SimFileSystem files;
    const std::u16string iconFolder = u"C:\\App\\Icons\\";
    const std::u16string dataFolder = u"C:\\Data\\";
    files.AddFile(iconFolder + u"xx.pni", std::string(bytes));
    files.CreateDirectoryTree(dataFolder);
    FakeIconDecoder decoder;
    RecordingMessageBoxes shown;
    TKvLang lang;
    KvMessageBoxes messages(shown, lang);
    TKvIconsList packs({files, decoder, lang, messages, Latin1, iconFolder, dataFolder});

    packs.ScanPacks();
    if (packs.Count() != 1 || packs.Pack(0).Name() != u"xx") return "the scan did not list the one file";
    const TKvIcons& header = packs.Pack(0);
    if (header.Loaded() || !header.Items().empty() || header.Images()) return "a header read holds entries";
    const IconPackFile parsed = ReadIconPackFile(bytes, true);
    const bool valid = parsed.error == IconPackFileError::None;
    if (shown.texts.size() != (valid ? 0u : 1u)) return "header read: error boxes against the file";

    TKvIcons* pack = packs.FindPack(u"xx", true);
    if (pack != &header) return "FindPack found another pack";
    if (pack->Loaded() != valid) return "loaded against the file";
    if (shown.texts.size() != (valid ? 0u : 2u)) return "full read: error boxes against the file";
    if (!valid) {
        const std::u16string expected = u"The file " + iconFolder + u"xx.pni is not a valid icon pack.";
        if (shown.texts.back() != expected) return "the error is not text 7 with the path";
        return pack->Items().empty() ? std::string() : "a failed read holds entries";
    }

    const std::size_t images = pack->Images() ? pack->Images()->Count() : 0;
    if (pack->Items().size() != images || images > kMaxPackImages) return "entries do not follow the images";
    if (decoder.calls > 1 || (decoder.calls == 1) != ReadBitmapFileInfo(parsed.strip).has_value()) {
        return "the decoder saw a strip that is no valid bitmap";
    }
    if (files.ReadWholeFile(dataFolder + u"Icons.tmp") != std::string(parsed.strip)) return "Icons.tmp is not the strip";
    for (std::size_t i = 0; i < images; ++i) {
        const TKvIcon expected = i < parsed.entries.size() ? TKvIcon{parsed.entries[i].keyCode, parsed.entries[i].modifiers,
                                                                     Latin1(parsed.entries[i].hint)}
                                                           : TKvIcon{};
        if (pack->Items()[i] != expected) return "an entry differs from the file";
    }
    if (std::string broken = RunIndexViolation(*pack); !broken.empty()) return broken;
    if (std::string broken = LookupViolation(*pack); !broken.empty()) return broken;

    if (!pack->ExeName().empty() || !pack->WindowClass().empty()) {
        if (packs.FindPackForApplication(pack->ExeName(), pack->WindowClass()) != pack) return "not found for its own names";
    }
    files.AddFile(iconFolder + u"xx.pni", "changed");
    if (packs.FindPack(u"xx", true) != pack || !pack->Loaded() || shown.texts.size() != 0 ||
        pack->Items().size() != images) {
        return "a loaded pack was read again";
    }
    return {};
}

}  // namespace kv::fuzz
