#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "resources/icon_pack_images.h"

namespace kv {

class IFileSystem;
class KvMessageBoxes;
class TKvLang;

// Pack texts are 8-bit text in the ANSI code page (ITextConversion::FromAnsi).
using AnsiDecoder = std::function<std::u16string(std::string_view)>;

// What reading packs needs of the rest of the program; it outlives every pack.
struct IconPackEnvironment {
    IFileSystem& files;
    IIconImageDecoder& decoder;
    const TKvLang& lang;
    KvMessageBoxes& messages;
    AnsiDecoder fromAnsi;
    std::u16string iconFolder;  // IconFolder(appFolder)
    // Where "Icons.tmp" is left with the last strip read; empty for none.
    std::u16string dataFolder;
};

inline constexpr std::u16string_view kIconPackExtension = u".pni";
inline constexpr std::u16string_view kIconCacheFileName = u"Icons.tmp";
// Marks a key code without entries in the run index.
inline constexpr std::uint16_t kNoIconRun = 65500;
inline constexpr std::uint32_t kNoIconHintColor = 0x777777;  // RGB(119, 119, 119)

struct TKvIcon {
    std::uint8_t KeyCode = 0;
    std::uint16_t Modifiers = 0;  // hotkey modifier byte, side-free or side-specific
    std::u16string Hint;
    friend bool operator==(const TKvIcon&, const TKvIcon&) = default;
};

// The entries of one key code: Items[first] to Items[last].
struct IconRun {
    std::uint16_t first = kNoIconRun;
    std::uint16_t last = kNoIconRun;
    friend bool operator==(const IconRun&, const IconRun&) = default;
};

// One icon pack, Icons\<Name>.pni: which application it is for, and the icon each key shows
// under each modifier combination.
class TKvIcons {
public:
    explicit TKvIcons(const IconPackEnvironment& environment) : env_(environment) {}
    TKvIcons(const TKvIcons&) = delete;
    TKvIcons& operator=(const TKvIcons&) = delete;

    const std::u16string& Name() const { return name_; }
    // True once entries and images are read; a header-only read leaves it false.
    bool Loaded() const { return loaded_; }
    const std::u16string& ExeName() const { return exeName_; }
    const std::u16string& WindowClass() const { return windowClass_; }
    const std::u16string& Comment() const { return comment_; }
    // The bytes of the pack's own icon file; nothing shows it.
    const std::string& PackIcon() const { return packIcon_; }
    // In file order, one per image.
    const std::vector<TKvIcon>& Items() const { return items_; }
    const IIconImages* Images() const { return images_.get(); }
    const std::array<IconRun, 256>& RunIndex() const { return runIndex_; }
    std::u16string FilePath() const;

    // Reads Icons\<name>.pni, only its header unless `full`; once loaded in full it is never read
    // again. False without a message when the file is missing; false after an error box when it
    // cannot be read or is no pack, keeping the header fields read before the fault.
    bool LoadPack(std::u16string_view name, bool full);
    void ClearPack();

    // The matching entry: the first of the key code's run whose modifier code is `a` or `b`.
    // Both draw nothing and return false without one.
    bool DrawIcon(IImageCanvas& canvas, std::uint8_t keyCode, std::uint16_t a, std::uint16_t b, std::int32_t x,
                  std::int32_t y) const;
    // Without a match the hint is emptied and the bitmap, when given, filled with kNoIconHintColor.
    bool GetIconHint(std::uint8_t keyCode, std::uint16_t a, std::uint16_t b, std::u16string& hint,
                     IImageCanvas* bitmap) const;
    // The 9 x 9 badge of the key's Ctrl and Alt combinations at (x, y); true when it drew a square.
    bool DrawHotkeySquares(IImageCanvas& canvas, std::uint8_t keyCode, std::int32_t x, std::int32_t y) const;

private:
    std::optional<std::size_t> Match(std::uint8_t keyCode, std::uint16_t a, std::uint16_t b) const;
    bool HasImage(std::size_t index) const { return images_ && index < images_->Count(); }
    void BuildIndex();
    void Fail(const std::u16string& message) const;
    std::unique_ptr<IIconImages> DecodeStrip(std::string_view strip) const;

    const IconPackEnvironment& env_;
    std::u16string name_;
    bool loaded_ = false;
    std::u16string exeName_;
    std::u16string windowClass_;
    std::u16string comment_;
    std::string packIcon_;
    std::vector<TKvIcon> items_;
    std::unique_ptr<IIconImages> images_;
    std::array<IconRun, 256> runIndex_{};
};

}  // namespace kv
